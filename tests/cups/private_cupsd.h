#pragma once
// A print server of the test's own: cupsd on a local socket in a temporary
// directory, with its own configuration, no network listener and no
// browsing. Started and stopped by its process id.

#include <sys/types.h>

#include <string>
#include <vector>

namespace cups_tests {

class PrivateCupsd {
public:
    // Empty when the server runs; otherwise why the tests are skipped.
    static std::string Missing();

    PrivateCupsd();
    ~PrivateCupsd();
    PrivateCupsd(const PrivateCupsd&) = delete;
    PrivateCupsd& operator=(const PrivateCupsd&) = delete;

    // Empty when the server answers on its socket; else what went wrong.
    const std::string& Error() const { return error_; }
    const std::string& Socket() const { return socket_; }
    const std::string& Directory() const { return directory_; }
    // lpadmin with these arguments against this server; its error output, or "" on success.
    std::string Lpadmin(const std::vector<std::string>& args) const;
    // Ends the server (SIGTERM, then SIGKILL) and waits for it.
    void Stop();

private:
    std::string directory_;
    std::string socket_;
    std::string error_;
    pid_t pid_ = -1;
};

}  // namespace cups_tests
