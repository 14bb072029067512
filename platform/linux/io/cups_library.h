#pragma once
// libcups, loaded when the printers are first asked for and only when a
// print server can be reached: a machine without one does not pay for the
// library and the forty-odd libraries it pulls in (TLS, Kerberos, Avahi) at
// every start of veltrix-report.

#include <cups/cups.h>

#include <string>

namespace platform::linux_backend {

// The calls the spooler uses, resolved from libcups.so.2.
struct CupsLibrary {
    decltype(&::httpConnect2) httpConnect2;
    decltype(&::httpClose) httpClose;
    decltype(&::httpSetTimeout) httpSetTimeout;
    decltype(&::cupsServer) cupsServer;
    decltype(&::ippPort) ippPort;
    decltype(&::cupsEncryption) cupsEncryption;
    decltype(&::cupsDoRequest) cupsDoRequest;
    decltype(&::ippNewRequest) ippNewRequest;
    decltype(&::ippDelete) ippDelete;
    decltype(&::cupsGetDests2) cupsGetDests2;
    decltype(&::cupsFreeDests) cupsFreeDests;
    decltype(&::cupsGetOption) cupsGetOption;
    decltype(&::cupsLastError) cupsLastError;
};

// The library, loaded on the first call (and kept); null when it is not
// installed or lacks a call.
const CupsLibrary* LoadCupsLibrary();

// Where a print server could be: what the client library itself would look
// at to find one.
struct PrintServerHints {
    std::string cupsServer;        // the CUPS_SERVER variable
    bool localSocket = false;      // the scheduler's socket (/run/cups/cups.sock) exists
    bool clientConfig = false;     // /etc/cups/client.conf or ~/.cups/client.conf exists
};

// Whether asking for printers can find a server at all.
bool PrintServerMayAnswer(const PrintServerHints& hints);

// The hints of this machine and this user.
PrintServerHints PrintServerHintsOfThisMachine();

}  // namespace platform::linux_backend
