#include "platform/linux/io/session.h"

#include <pwd.h>
#include <unistd.h>

#include <cstdlib>
#include <vector>

namespace platform::linux_backend {

namespace {

std::string Variable(const char* name) {
    const char* value = std::getenv(name);
    return value ? std::string(value) : std::string();
}

std::string HomeFromPasswordDatabase() {
    constexpr std::size_t kBufferSize = 16384;
    std::vector<char> buffer(kBufferSize);
    passwd entry{};
    passwd* found = nullptr;
    if (::getpwuid_r(::getuid(), &entry, buffer.data(), buffer.size(), &found) != 0 || !found || !found->pw_dir)
        return {};
    return found->pw_dir;
}

const std::string& FirstSet(const std::string& a, const std::string& b, const std::string& c) {
    static const std::string kDefault = "C";
    if (!a.empty()) return a;
    if (!b.empty()) return b;
    if (!c.empty()) return c;
    return kDefault;
}

}  // namespace

SessionEnvironment SessionEnvironment::FromProcess() {
    SessionEnvironment session;
    session.display = Variable("DISPLAY");
    session.lcAll = Variable("LC_ALL");
    session.lcNumeric = Variable("LC_NUMERIC");
    session.lcTime = Variable("LC_TIME");
    session.lang = Variable("LANG");
    session.home = Variable("HOME");
    if (session.home.empty()) session.home = HomeFromPasswordDatabase();
    session.xdgConfigHome = Variable("XDG_CONFIG_HOME");
    return session;
}

std::string SessionEnvironment::NumericLocale() const { return FirstSet(lcAll, lcNumeric, lang); }

std::string SessionEnvironment::TimeLocale() const { return FirstSet(lcAll, lcTime, lang); }

std::string SessionEnvironment::ConfigDirectory() const {
    if (!xdgConfigHome.empty() && xdgConfigHome.front() == '/') return xdgConfigHome;
    if (!home.empty() && home.front() == '/') return (home == "/" ? std::string() : home) + "/.config";
    return {};
}

}  // namespace platform::linux_backend
