#include "platform/linux/io/cups_library.h"

#include <dlfcn.h>
#include <unistd.h>

#include <cstdlib>
#include <memory>

namespace platform::linux_backend {

namespace {

// The client library's soname: its ABI has been 2 since CUPS 1.2.
constexpr const char* kLibraryName = "libcups.so.2";
constexpr const char* kSockets[] = {"/run/cups/cups.sock", "/var/run/cups/cups.sock"};

template <typename Function>
bool Resolve(void* library, const char* name, Function& function) {
    function = reinterpret_cast<Function>(::dlsym(library, name));
    return function != nullptr;
}

bool Exists(const std::string& path) { return ::access(path.c_str(), F_OK) == 0; }

std::unique_ptr<CupsLibrary> Load() {
    // Never closed: the library keeps threads and per-thread state of its own.
    void* library = ::dlopen(kLibraryName, RTLD_NOW | RTLD_LOCAL);
    if (!library) return nullptr;
    auto cups = std::make_unique<CupsLibrary>();
    const bool complete =
        Resolve(library, "httpConnect2", cups->httpConnect2) && Resolve(library, "httpClose", cups->httpClose) &&
        Resolve(library, "httpSetTimeout", cups->httpSetTimeout) && Resolve(library, "cupsServer", cups->cupsServer) &&
        Resolve(library, "ippPort", cups->ippPort) && Resolve(library, "cupsEncryption", cups->cupsEncryption) &&
        Resolve(library, "cupsDoRequest", cups->cupsDoRequest) &&
        Resolve(library, "ippNewRequest", cups->ippNewRequest) && Resolve(library, "ippDelete", cups->ippDelete) &&
        Resolve(library, "cupsGetDests2", cups->cupsGetDests2) &&
        Resolve(library, "cupsFreeDests", cups->cupsFreeDests) &&
        Resolve(library, "cupsGetOption", cups->cupsGetOption) &&
        Resolve(library, "cupsLastError", cups->cupsLastError);
    return complete ? std::move(cups) : nullptr;
}

}  // namespace

const CupsLibrary* LoadCupsLibrary() {
    static const std::unique_ptr<CupsLibrary> library = Load();
    return library.get();
}

bool PrintServerMayAnswer(const PrintServerHints& hints) {
    return !hints.cupsServer.empty() || hints.localSocket || hints.clientConfig;
}

PrintServerHints PrintServerHintsOfThisMachine() {
    PrintServerHints hints;
    if (const char* server = std::getenv("CUPS_SERVER")) hints.cupsServer = server;
    for (const char* socket : kSockets) hints.localSocket = hints.localSocket || Exists(socket);
    hints.clientConfig = Exists("/etc/cups/client.conf");
    if (const char* home = std::getenv("HOME"); home && *home)
        hints.clientConfig = hints.clientConfig || Exists(std::string(home) + "/.cups/client.conf");
    return hints;
}

}  // namespace platform::linux_backend
