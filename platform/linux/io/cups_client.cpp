#include "platform/linux/io/cups_client.h"

#include <memory>

#include "platform/linux/io/cups_library.h"

namespace platform::linux_backend {

namespace {

constexpr int kConnectMilliseconds = 1000;
constexpr double kRequestSeconds = 1.0;

struct HttpClose {
    const CupsLibrary* cups;
    void operator()(http_t* http) const { cups->httpClose(http); }
};

// Called when a request has waited kRequestSeconds: give up rather than wait on.
int GiveUp(http_t*, void*) { return 0; }

std::string Option(const CupsLibrary& cups, const cups_dest_t& dest, const char* name) {
    const char* value = cups.cupsGetOption(name, dest.num_options, dest.options);
    return value ? value : "";
}

}  // namespace

std::optional<std::vector<CupsDestination>> AskCupsDestinations() {
    if (!PrintServerMayAnswer(PrintServerHintsOfThisMachine())) return std::nullopt;
    const CupsLibrary* library = LoadCupsLibrary();
    if (!library) return std::nullopt;
    const CupsLibrary& cups = *library;
    std::unique_ptr<http_t, HttpClose> http(cups.httpConnect2(cups.cupsServer(), cups.ippPort(), nullptr, AF_UNSPEC,
                                                              cups.cupsEncryption(), 1, kConnectMilliseconds, nullptr),
                                            HttpClose{&cups});
    if (!http) return std::nullopt;
    cups.httpSetTimeout(http.get(), kRequestSeconds, GiveUp, nullptr);
    // One small request first: a server that takes the connection but does
    // not answer is given up after it, not after each of the several
    // requests that listing the destinations makes.
    if (ipp_t* probe = cups.cupsDoRequest(http.get(), cups.ippNewRequest(IPP_OP_CUPS_GET_DEFAULT), "/"))
        cups.ippDelete(probe);
    else
        return std::nullopt;

    cups_dest_t* dests = nullptr;
    const int count = cups.cupsGetDests2(http.get(), &dests);
    if (count == 0 && cups.cupsLastError() > IPP_STATUS_OK_EVENTS_COMPLETE &&
        cups.cupsLastError() != IPP_STATUS_ERROR_NOT_FOUND) {
        cups.cupsFreeDests(count, dests);
        return std::nullopt;
    }
    std::vector<CupsDestination> destinations;
    for (int i = 0; i < count; ++i) {
        const cups_dest_t& dest = dests[i];
        if (dest.instance) continue;  // "name/instance" is a set of options, not another printer
        destinations.push_back(CupsDestination{dest.name ? dest.name : "", Option(cups, dest, "device-uri"),
                                               Option(cups, dest, "printer-make-and-model"),
                                               Option(cups, dest, "printer-info"), Option(cups, dest, "printer-location"),
                                               dest.is_default != 0});
    }
    // The default may be an instance ("office/duplex"): its printer is the default.
    for (int i = 0; i < count; ++i) {
        if (!dests[i].instance || !dests[i].is_default) continue;
        for (auto& d : destinations)
            if (d.name == dests[i].name) d.isDefault = true;
    }
    cups.cupsFreeDests(count, dests);
    return destinations;
}

}  // namespace platform::linux_backend
