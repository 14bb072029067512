#include "platform/standard_streams.h"

namespace platform {

void UseBinaryStandardOutput() {}  // POSIX streams never translate line ends

}  // namespace platform
