#include "transport/MMC.h"

#include <algorithm>
#include <bit>
#include <exception>
#include <memory>
#include <string>

#include "base/bytes.h"

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
        alignment_ = ReadAlignment();
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

// The adapter's AlignmentMask (0, 1, 3 or 7 as documented); where the adapter
// does not tell, the widest of them. A mask that is no power of two less one
// is widened to one, and none beyond a page is taken from the device.
std::size_t MMC::ReadAlignment() {
    namespace q = platform::storage_query;
    std::array<std::uint8_t, q::kQuerySize> query{};
    base::WriteLe32(query, q::kPropertyIdOffset, q::kStorageAdapterProperty);
    base::WriteLe32(query, q::kQueryTypeOffset, q::kPropertyStandardQuery);
    std::array<std::uint8_t, q::kAdapterDescriptorSize> reply{};
    std::uint32_t returned = 0;
    std::uint32_t mask = kDefaultAlignmentMask;
    if (drives_.DeviceIoControl(device_, drive::kIoctlStorageQueryProperty, query, reply, returned) &&
        returned >= q::kAlignmentMaskOffset + 4)
        mask = std::min(*base::ReadLe32(reply, q::kAlignmentMaskOffset), kPageSize - 1);
    return std::bit_ceil(std::size_t{mask} + 1);
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

std::span<std::uint8_t> MMC::AlignedBuffer(std::size_t size) {
    aligned_.assign(size + alignment_, 0);
    void* start = aligned_.data();
    std::size_t room = aligned_.size();
    std::align(alignment_, size, start, room);
    return {static_cast<std::uint8_t*>(start), size};
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
    // The adapter refuses a buffer that is not aligned as its mask asks (the
    // request fails as an invalid parameter): the data goes through an
    // aligned buffer of our own unless the caller's already is.
    const bool aligned = reinterpret_cast<std::uintptr_t>(data.data()) % alignment_ == 0;
    const auto buffer = aligned ? data : AlignedBuffer(data.size());
    request.dataBuffer = buffer;
    std::copy_n(cdb.begin(), cdbLength, request.cdb.begin());
    const bool sent = drives_.DeviceIoControl(device_, drive::kIoctlScsiPassThroughDirect, request);
    if (!sent || request.scsiStatus != platform::ScsiPassThroughDirect::kStatusGood) return false;
    const std::size_t received = std::min<std::size_t>(request.dataTransferLength, data.size());
    if (!aligned) std::copy_n(buffer.begin(), received, data.begin());
    // What the drive did not send stays zero, whatever the backend left there.
    std::fill(data.begin() + static_cast<std::ptrdiff_t>(received), data.end(), std::uint8_t{0});
    return true;
}

}  // namespace transport
