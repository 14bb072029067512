#pragma once
// The print server of this machine, asked through libcups: the server and
// the user's default come from the client's own configuration
// (CUPS_SERVER, client.conf, lpoptions), exactly as for the user's other
// programs.

#include <optional>
#include <vector>

#include "platform/linux/parsers/cups_destinations.h"

namespace platform::linux_backend {

// One entry per destination (instances of a destination are left out), the
// user's default marked. Nothing when no server answers within about two
// seconds (the connection and every request have a bounded time-out), when
// no server can be reached at all (no socket, no CUPS_SERVER, no
// client.conf: libcups is then not even loaded), or when libcups is not
// installed.
std::optional<std::vector<CupsDestination>> AskCupsDestinations();

}  // namespace platform::linux_backend
