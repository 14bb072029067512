#include "collectors/Network.h"

#include <array>

#include "collectors/Registry.h"
#include "format/FormatEx.h"
#include "base/bytes.h"
#include "base/codepage.h"

namespace collectors {

namespace {

namespace ndis = platform::ndis;
namespace reg = platform::registry;

// One NDIS query into a freshly zeroed buffer, of which `passed` bytes are
// offered to the driver. The byte count the driver reports, or nothing.
std::optional<std::uint32_t> Query(platform::NetworkServices& services, ndis::Handle handle, std::uint32_t oid,
                                   std::span<std::uint8_t> buffer, std::size_t passed) {
    std::fill(buffer.begin(), buffer.end(), std::uint8_t{0});
    std::array<std::uint8_t, ndis::kOidSize> request{};
    base::WriteLe32(request, 0, oid);
    return services.DeviceIoControl(handle, ndis::kQueryGlobalStats, request, buffer.first(passed));
}

}  // namespace

Network::Network(platform::Machine& machine) {
    platform::NetworkServices& services = machine.Network();
    Registry registry(services);
    const std::string cardsKey(reg::kNetworkCards);
    std::int16_t count = 0;
    std::vector<std::wstring> keys;
    if (!registry.EnumerateKeys(reg::kLocalMachine, cardsKey, count, keys)) return;

    for (const auto& key : keys) {
        std::wstring service;
        std::uint32_t type = 0;
        if (!registry.ReadStringValue(reg::kLocalMachine, cardsKey + "\\" + base::EncodeWindows1252(key),
                                      std::string(reg::kServiceName), service, type))
            continue;
        const ndis::Handle handle =
            services.CreateFile(std::string(ndis::kDevicePrefix) + base::EncodeWindows1252(service));
        if (handle == ndis::kInvalidHandle) continue;

        std::array<std::uint8_t, kAddressBuffer> address{};
        if (!Query(services, handle, ndis::kCurrentAddress, address, ndis::kAddressSize)) {
            services.CloseHandle(handle);
            continue;
        }
        auto item = std::make_unique<NetworkItem>();
        item->macAddress_ = format::FormatEx::FormatMAC(std::span(address).first(ndis::kAddressSize));

        std::array<std::uint8_t, kDescriptionBuffer> description{};
        if (const auto returned = Query(services, handle, ndis::kVendorDescription, description, description.size() - 1)) {
            // The count includes the terminating NUL. A driver's count is not
            // trusted beyond the buffer, and a count of 0 gives no text.
            const std::size_t length = std::min<std::size_t>(*returned, description.size()) - (*returned > 0 ? 1 : 0);
            const std::string_view text(reinterpret_cast<const char*>(description.data()), length);
            item->name_ = base::DecodeWindows1252(text.substr(0, text.find('\0')));
        }

        std::array<std::uint8_t, kVersionBuffer> version{};
        if (Query(services, handle, ndis::kDriverVersion, version, version.size() - 1))
            item->version_ = std::to_wstring(version[1]) + L"." + std::to_wstring(version[0]);

        Add(std::move(item));
        services.CloseHandle(handle);
    }
}

}  // namespace collectors
