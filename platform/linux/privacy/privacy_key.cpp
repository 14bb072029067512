#include "platform/linux/privacy/privacy_key.h"

#include <pwd.h>
#include <unistd.h>

#include <cstdlib>
#include <vector>

#include "platform/linux/parsers/text_fields.h"
#include "platform/regular_file.h"

namespace platform::linux_backend {

namespace {

// Our own keys for turning the material into the mask key, one per half.
constexpr HashKey kFirstHalf = {0x56656c7472697831ULL, 0x7072697661637931ULL};
constexpr HashKey kSecondHalf = {0x56656c7472697832ULL, 0x7072697661637932ULL};
constexpr std::string_view kPublicMaterial = "veltrix public mask";
constexpr const char* kMachineIdFiles[] = {"/etc/machine-id", "/var/lib/dbus/machine-id"};
constexpr std::size_t kMachineIdLimit = 4096;
constexpr uid_t kFirstPersonUid = 1000;
constexpr std::size_t kHostNameLimit = 256;
constexpr std::size_t kPasswdBuffer = 16384;

}  // namespace

HashKey PrivacyKeyFrom(std::string_view material) {
    return {KeyedHash(kFirstHalf, material), KeyedHash(kSecondHalf, material)};
}

HashKey PrivacyKeyOfThisSystem() {
    if (const char* key = std::getenv(kPrivacyKeyVariable); key && *key) return PrivacyKeyFrom(key);
    for (const char* file : kMachineIdFiles) {
        const auto read = ReadRegularFile(file, kMachineIdLimit);
        if (!read.content) continue;
        const auto id = Trim(*read.content);
        if (!id.empty()) return PrivacyKeyFrom(id);
    }
    return PrivacyKeyFrom(kPublicMaterial);
}

LocalNames LocalNamesOfThisSystem() {
    LocalNames names;
    char host[kHostNameLimit] = {};
    if (::gethostname(host, sizeof host - 1) == 0 && host[0] && std::string_view(host) != "localhost") {
        names.hosts.emplace_back(host);
        // The short name too, for texts that write it without its domain.
        if (const std::string_view full(host); full.find('.') != std::string_view::npos)
            names.hosts.emplace_back(full.substr(0, full.find('.')));
    }
    const uid_t uid = ::getuid();
    if (uid >= kFirstPersonUid) {
        passwd entry {};
        passwd* found = nullptr;
        std::vector<char> buffer(kPasswdBuffer);
        if (::getpwuid_r(uid, &entry, buffer.data(), buffer.size(), &found) == 0 && found && found->pw_name &&
            *found->pw_name)
            names.users.emplace_back(found->pw_name);
    }
    return names;
}

}  // namespace platform::linux_backend
