#include "platform/standard_streams.h"

#include <fcntl.h>
#include <io.h>
#include <cstdio>

namespace platform {

void UseBinaryStandardOutput() { _setmode(_fileno(stdout), _O_BINARY); }

}  // namespace platform
