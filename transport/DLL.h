#pragma once
// Whether a module can be loaded and exports a routine; the module is loaded
// only for the question and released before the answer.

#include <string>
#include <string_view>

#include "platform/drive_services.h"

namespace transport {

class DLL {
public:
    explicit DLL(platform::DriveServices& drives) : drives_(drives) {}

    // True when `file` loads and, unless `routine` is empty, exports it.
    bool IsAvailable(std::string_view file, std::string_view routine);
    // The full path of the module the last successful load found.
    const std::string& FileName() const { return fileName_; }

private:
    platform::DriveServices& drives_;
    std::string fileName_;
};

}  // namespace transport
