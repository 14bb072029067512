#include "platform/linux/io/cups_client.h"

#include <cups/cups.h>

#include <memory>

namespace platform::linux_backend {

namespace {

constexpr int kConnectMilliseconds = 1000;
constexpr double kRequestSeconds = 1.0;

struct HttpClose {
    void operator()(http_t* http) const { httpClose(http); }
};

// Called when a request has waited kRequestSeconds: give up rather than wait on.
int GiveUp(http_t*, void*) { return 0; }

std::string Option(const cups_dest_t& dest, const char* name) {
    const char* value = cupsGetOption(name, dest.num_options, dest.options);
    return value ? value : "";
}

}  // namespace

std::optional<std::vector<CupsDestination>> AskCupsDestinations() {
    std::unique_ptr<http_t, HttpClose> http(
        httpConnect2(cupsServer(), ippPort(), nullptr, AF_UNSPEC, cupsEncryption(), 1, kConnectMilliseconds, nullptr));
    if (!http) return std::nullopt;
    httpSetTimeout(http.get(), kRequestSeconds, GiveUp, nullptr);
    // One small request first: a server that takes the connection but does
    // not answer is given up after it, not after each of the several
    // requests that listing the destinations makes.
    if (ipp_t* probe = cupsDoRequest(http.get(), ippNewRequest(IPP_OP_CUPS_GET_DEFAULT), "/"))
        ippDelete(probe);
    else
        return std::nullopt;

    cups_dest_t* dests = nullptr;
    const int count = cupsGetDests2(http.get(), &dests);
    if (count == 0 && cupsLastError() > IPP_STATUS_OK_EVENTS_COMPLETE && cupsLastError() != IPP_STATUS_ERROR_NOT_FOUND) {
        cupsFreeDests(count, dests);
        return std::nullopt;
    }
    std::vector<CupsDestination> destinations;
    for (int i = 0; i < count; ++i) {
        const cups_dest_t& dest = dests[i];
        if (dest.instance) continue;  // "name/instance" is a set of options, not another printer
        destinations.push_back(CupsDestination{dest.name ? dest.name : "", Option(dest, "device-uri"),
                                               Option(dest, "printer-make-and-model"), Option(dest, "printer-info"),
                                               Option(dest, "printer-location"), dest.is_default != 0});
    }
    // The default may be an instance ("office/duplex"): its printer is the default.
    for (int i = 0; i < count; ++i) {
        if (!dests[i].instance || !dests[i].is_default) continue;
        for (auto& d : destinations)
            if (d.name == dests[i].name) d.isDefault = true;
    }
    cupsFreeDests(count, dests);
    return destinations;
}

}  // namespace platform::linux_backend
