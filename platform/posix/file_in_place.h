#pragma once
// Rewriting an existing regular file in place, for a folder that takes no
// new file beside it: afterwards the file holds either the whole new content
// or, when a step fails, its old content again.

#include <string>
#include <string_view>

#include "platform/report_file.h"

namespace platform {

WriteResult RewriteInPlace(const std::string& path, std::string_view bytes);

}  // namespace platform
