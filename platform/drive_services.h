#pragma once
// Drives: physical disks by number, optical drives and volumes by name.
// Every operation of the plain class refuses; a backend overrides those it
// can answer.

namespace platform {

class DriveServices {
public:
    virtual ~DriveServices() = default;
};

}  // namespace platform
