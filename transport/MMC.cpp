#include "transport/MMC.h"

#include <algorithm>
#include <exception>
#include <string>

#include "base/codepage.h"
#include "platform/drive_records.h"
#include "transport/DLL.h"

namespace transport {

namespace {

using platform::DeviceHandle;
using platform::kInvalidHandleValue;
namespace drive = platform::drive;
namespace aspi = platform::aspi;

constexpr std::wstring_view kHandleAlreadyOpen = L"Handle already open";
constexpr std::wstring_view kErrorAccessingDrive = L"Error accessing drive";
constexpr std::wstring_view kErrorAccessingDriver = L"Error accessing driver";
constexpr std::wstring_view kInvalidHandle = L"Invalid handle";
constexpr std::wstring_view kErrorReadingAddress = L"Error reading SCSI address";

constexpr std::uint8_t kAspiTargets = 8;

}  // namespace

MMC::~MMC() { CloseDrive(); }

bool MMC::Create(std::string_view drive, std::string_view initialdriver) {
    errorMessage_.clear();
    interface_.clear();
    pathId_ = targetId_ = lun_ = 0;
    aspiReady_ = false;
    if (device_ != kInvalidHandleValue) {
        errorMessage_ = kHandleAlreadyOpen;
        return false;
    }
    try {
        return CreateTransport(drive, initialdriver);
    } catch (const std::exception& error) {
        errorMessage_ = base::DecodeUtf8(error.what());
        CloseDrive();
        return false;
    }
}

bool MMC::CreateTransport(std::string_view drive, std::string_view initialdriver) {
    if (drives_.GetDriveTypeA(drive) != drive::kDriveCdrom) {
        errorMessage_ = kErrorAccessingDrive;
        return false;
    }
    const auto aspiAvailable = [this] {
        DLL module(drives_);
        return module.IsAvailable(drive::kAspiModule, drive::kGetAspi32SupportInfo) &&
               module.IsAvailable(drive::kAspiModule, drive::kSendAspi32Command);
    };
    if (initialdriver.empty())
        interface_ = aspiAvailable() ? kAspi : kSpti;
    else if (initialdriver == "ASPI" && aspiAvailable())
        interface_ = kAspi;
    else if (initialdriver == "SPTI")
        interface_ = kSpti;

    if (interface_ == kSpti) {
        if (!OpenDrive(drive)) return false;
        platform::ScsiAddress address;
        if (!ReadAddress(address)) return false;
        pathId_ = address.pathId;
        targetId_ = address.targetId;
        lun_ = address.lun;
        return true;
    }
    if (interface_ == kAspi) return SearchAspi(drive);
    errorMessage_ = kErrorAccessingDriver;
    return false;
}

// The ASPI layer numbers adapters and targets its own way; the drive's device
// tells its SCSI address, and the adapter and target that match it are the
// drive's. The logical unit is not compared.
bool MMC::SearchAspi(std::string_view drive) {
    const std::uint32_t support = drives_.GetASPI32SupportInfo();
    const std::uint32_t adapters = support / 256 == 0 ? 0 : (support & 0xFF);
    for (std::uint32_t a = 0; a < adapters; ++a) {
        platform::SrbHaInquiry inquiry;
        inquiry.haId = static_cast<std::uint8_t>(a);
        drives_.SendASPI32Command(inquiry);
        if (inquiry.status != aspi::kSsComp) continue;
        for (std::uint8_t t = 0; t < kAspiTargets; ++t) {
            platform::SrbGetDevType device;
            device.haId = static_cast<std::uint8_t>(a);
            device.target = t;
            drives_.SendASPI32Command(device);
            if (device.status != aspi::kSsComp || device.deviceType != aspi::kDeviceTypeCdrom) continue;
            if (!OpenDrive(drive)) return false;
            platform::ScsiAddress address;
            if (!ReadAddress(address)) return false;
            if (address.portNumber == a && address.targetId == t) {
                adapter_ = static_cast<std::uint8_t>(a);
                aspiTarget_ = t;
                aspiReady_ = true;
                return true;
            }
            CloseDrive();
        }
    }
    errorMessage_ = kErrorAccessingDrive;
    return false;
}

bool MMC::OpenDrive(std::string_view drive) {
    const std::string path = std::string(drive::kDevicePrefix) + std::string(platform::DriveName(drive));
    device_ = drives_.CreateFileA(path, drive::kGenericRead | drive::kGenericWrite,
                                  drive::kFileShareRead | drive::kFileShareWrite, drive::kOpenExisting, 0);
    if (device_ != kInvalidHandleValue) return true;
    errorMessage_ = kInvalidHandle;
    return false;
}

bool MMC::ReadAddress(platform::ScsiAddress& address) {
    std::array<std::uint8_t, sizeof(platform::ScsiAddress)> reply{};
    if (drives_.DeviceIoControl(device_, drive::kIoctlScsiGetAddress, {}, reply, bytesReturned_)) {
        address = *platform::ReadRecord<platform::ScsiAddress>(reply);
        return true;
    }
    errorMessage_ = kErrorReadingAddress;
    CloseDrive();
    return false;
}

void MMC::CloseDrive() {
    if (device_ == kInvalidHandleValue) return;
    drives_.CloseHandle(device_);
    device_ = kInvalidHandleValue;
}

void MMC::Destroy() {
    errorMessage_.clear();
    CloseDrive();
}

bool MMC::SendCommand(std::uint8_t cdbLength, std::span<const std::uint8_t> cdb, std::int16_t outputbuffersize,
                      std::span<std::uint8_t> outputbuffer) {
    if (outputbuffersize < 0 || outputbuffer.size() < static_cast<std::size_t>(outputbuffersize)) return false;
    if (cdbLength > cdb.size() || cdbLength > 16) return false;
    const auto data = outputbuffer.first(static_cast<std::size_t>(outputbuffersize));
    std::fill(data.begin(), data.end(), std::uint8_t{0});
    const bool sent = interface_ == kAspi   ? SendAspi(cdbLength, cdb, data)
                      : interface_ == kSpti ? SendSpti(cdbLength, cdb, data)
                                            : false;
    // A failed command leaves nothing behind that could be taken for a reply.
    if (!sent) std::fill(data.begin(), data.end(), std::uint8_t{0});
    return sent;
}

bool MMC::SendAspi(std::uint8_t cdbLength, std::span<const std::uint8_t> cdb, std::span<std::uint8_t> data) {
    if (!aspiReady_) return false;
    platform::SrbExecScsiCmd srb;
    srb.haId = adapter_;
    srb.flags = aspi::kSrbDirIn | aspi::kSrbEventNotify;
    srb.target = aspiTarget_;
    srb.lun = 0;
    srb.bufferLength = static_cast<std::uint32_t>(data.size());
    srb.buffer = data;
    srb.senseLength = aspi::kSenseLength;
    srb.cdbLength = cdbLength;
    std::copy_n(cdb.begin(), cdbLength, srb.cdb.begin());
    const DeviceHandle event = drives_.CreateEventA();
    if (event == kInvalidHandleValue) return false;
    srb.postEvent = event;
    drives_.SendASPI32Command(srb);
    bool finished = srb.status != aspi::kSsPending;
    if (!finished)
        finished = drives_.WaitForSingleObject(event, kCommandTimeoutSeconds * 1000) == drive::kWaitObject0;
    drives_.CloseHandle(event);
    return finished && srb.status == aspi::kSsComp;
}

bool MMC::SendSpti(std::uint8_t cdbLength, std::span<const std::uint8_t> cdb, std::span<std::uint8_t> data) {
    platform::ScsiPassThroughDirect request;
    request.pathId = pathId_;
    request.targetId = targetId_;
    request.lun = lun_;
    request.cdbLength = cdbLength;
    request.senseInfoLength = 0;
    request.dataIn = platform::ScsiPassThroughDirect::kDataIn;
    request.dataTransferLength = static_cast<std::uint32_t>(data.size());
    request.timeOutValue = kCommandTimeoutSeconds;
    request.dataBuffer = data;
    std::copy_n(cdb.begin(), cdbLength, request.cdb.begin());
    const bool sent = drives_.DeviceIoControl(device_, drive::kIoctlScsiPassThroughDirect, request);
    if (!sent || request.scsiStatus != platform::ScsiPassThroughDirect::kStatusGood) return false;
    // What the drive did not send stays zero, whatever the backend left there.
    if (request.dataTransferLength < data.size())
        std::fill(data.begin() + request.dataTransferLength, data.end(), std::uint8_t{0});
    return true;
}

}  // namespace transport
