#include "collectors/OpticalDrives.h"

#include <array>
#include <memory>

#include "collectors/DriveStrings.h"
#include "base/codepage.h"
#include "transport/MMC.h"
#include "transport/ScsiReplies.h"

namespace collectors {

namespace {

bool IsFloppyLetter(std::string_view root) {
    const auto name = platform::DriveName(root);
    return name.size() == 2 && name[1] == ':' && (name[0] == 'A' || name[0] == 'B' || name[0] == 'a' || name[0] == 'b');
}

}  // namespace

std::vector<std::string> OpticalDrives::DrivesToTry(std::string_view driveStrings) {
    std::vector<std::string> tried;
    for (auto& root : SplitDriveStrings(driveStrings)) {
        if (root.empty() || IsFloppyLetter(root)) continue;
        if (tried.size() == kDrivesTried) break;
        tried.push_back(std::string(platform::DriveName(root)));
    }
    return tried;
}

OpticalDrives::OpticalDrives(platform::DriveServices& drives, base::CodePage page) {
    transport::MMC mmc(drives);
    for (const auto& drive : DrivesToTry(drives.GetLogicalDriveStringsA())) {
        if (!mmc.Create(drive, "")) continue;
        std::array<std::uint8_t, transport::inquiry_data::kLength> inquiry{};
        if (!mmc.Inquiry(static_cast<std::int16_t>(inquiry.size()), inquiry)) {
            mmc.Destroy();
            continue;
        }
        auto item = std::make_unique<OpticalDriveItem>();
        item->interface_ = mmc.Interface();
        item->letter_ = base::DecodeText(page, drive);
        auto texts = transport::DecodeInquiry(inquiry, page);
        item->manufacturer_ = std::move(texts.manufacturer);
        item->name_ = std::move(texts.name);
        item->revision_ = std::move(texts.revision);

        std::array<std::uint8_t, transport::capabilities_page::kBufferSize> capabilities{};
        if (mmc.ModeSense(transport::capabilities_page::kPageCode, transport::capabilities_page::kRequestSize,
                          capabilities)) {
            const auto speeds = transport::DecodeCapabilitiesPage(capabilities);
            item->readCurrentSpeed_ = speeds.readCurrent;
            item->readMaximumSpeed_ = speeds.readMaximum;
            item->writeCurrentSpeed_ = speeds.writeCurrent;
            item->writeMaximumSpeed_ = speeds.writeMaximum;
        }
        Add(std::move(item));
        mmc.Destroy();
    }
}

}  // namespace collectors
