// The descriptors file of a USB device as the kernel caches it, and the
// string descriptors made from its string attributes. The input is the
// file; the same bytes, read as UTF-8, are a string attribute.

#include <cstddef>
#include <cstdint>
#include <string>

#include "fuzz_check.h"
#include "platform/linux/parsers/usb_sysfs.h"

namespace pl = platform::linux_backend;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string file(reinterpret_cast<const char*>(data), size);
    if (const auto cached = pl::SplitCachedDescriptors(file)) {
        FUZZ_CHECK(cached->device.size() == pl::UsbDeviceDescriptorLayout::kSize);
        FUZZ_CHECK(cached->device[0] == 18 && cached->device[1] == pl::UsbDeviceDescriptorLayout::kType);
        if (cached->configuration) {
            FUZZ_CHECK(cached->configuration->size() == pl::UsbConfigurationDescriptorLayout::kSize);
            FUZZ_CHECK((*cached->configuration)[1] == pl::UsbConfigurationDescriptorLayout::kType);
            FUZZ_CHECK(size >= 18 + 9);
        }
    }
    const auto descriptor = pl::EncodeStringDescriptor(file);
    FUZZ_CHECK(descriptor.size() >= 2 && descriptor.size() <= pl::UsbStringDescriptorLayout::kMaxSize);
    FUZZ_CHECK(descriptor[0] == descriptor.size());
    FUZZ_CHECK(descriptor[1] == pl::UsbStringDescriptorLayout::kType);
    FUZZ_CHECK(descriptor.size() % 2 == 0);
    // The text is cut at a whole character: the last unit is never a lone high surrogate.
    if (descriptor.size() >= 4) {
        const unsigned last = descriptor[descriptor.size() - 2] | descriptor[descriptor.size() - 1] << 8;
        FUZZ_CHECK(last < 0xD800 || last >= 0xDC00);
    }
    return 0;
}
