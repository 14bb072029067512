#pragma once
// What the user's session tells the backend through its environment, read
// once when the machine is created: the X display, the locale names and the
// configuration directory.

#include <string>

namespace platform::linux_backend {

struct SessionEnvironment {
    std::string display;        // DISPLAY
    std::string lcAll;          // LC_ALL
    std::string lcNumeric;      // LC_NUMERIC
    std::string lcTime;         // LC_TIME
    std::string lang;           // LANG
    std::string home;           // HOME, else the user's home from the password database
    std::string xdgConfigHome;  // XDG_CONFIG_HOME

    static SessionEnvironment FromProcess();

    // The locale that formats numbers: LC_ALL, else LC_NUMERIC, else LANG, else "C".
    std::string NumericLocale() const;
    // The locale that formats times: LC_ALL, else LC_TIME, else LANG, else "C".
    std::string TimeLocale() const;
    // XDG_CONFIG_HOME when it is an absolute path, else HOME/.config; empty
    // when neither is known.
    std::string ConfigDirectory() const;
};

}  // namespace platform::linux_backend
