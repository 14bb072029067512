#pragma once
// The optical drives among the system's drives: each one that answers INQUIRY
// through the command transport, with the speeds of its capabilities page.

#include <string>
#include <string_view>
#include <vector>

#include "base/codepage.h"
#include "collectors/Collection.h"
#include "collectors/OpticalDriveItem.h"
#include "platform/drive_services.h"
#include "platform/machine.h"

namespace collectors {

class OpticalDrives : public Collection<OpticalDriveItem> {
public:
    // As many as the letters C to Z.
    static constexpr std::size_t kDrivesTried = 24;

    explicit OpticalDrives(platform::Machine& machine) : OpticalDrives(machine.Drives(), machine.TextCodePage()) {}
    // `page`: the machine's code page, which drive names and INQUIRY texts are read in.
    OpticalDrives(platform::DriveServices& drives, base::CodePage page);

    // The drive names tried, in order: the roots of the drive list without the
    // floppy letters A and B, at most kDrivesTried of them.
    static std::vector<std::string> DrivesToTry(std::string_view driveStrings);
};

}  // namespace collectors
