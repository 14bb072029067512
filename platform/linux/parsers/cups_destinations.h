#pragma once
// The print server's destinations as the spooler needs them, and the bytes of
// the recorded reply that carries them (channel "cups", request
// "destinations"): for each destination six UTF-8 texts, each ended by a NUL
// byte, one destination after another: name, device URI, make and model,
// info, location, and "1" when it is the default destination, else "0".
// An empty reply is a server without destinations.

#include <optional>
#include <string>
#include <vector>

#include "base/bytes.h"

namespace platform::linux_backend {

using base::Bytes;

struct CupsDestination {
    std::string name;
    std::string deviceUri;
    std::string makeAndModel;
    std::string info;
    std::string location;
    bool isDefault = false;

    bool operator==(const CupsDestination&) const = default;
};

inline constexpr std::size_t kCupsDestinationFields = 6;

Bytes EncodeCupsDestinations(const std::vector<CupsDestination>& destinations);
// Nothing when the reply is not whole destinations of six NUL-ended texts
// with a default flag of "0" or "1".
std::optional<std::vector<CupsDestination>> DecodeCupsDestinations(const Bytes& reply);

}  // namespace platform::linux_backend
