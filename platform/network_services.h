#pragma once
// Network: the adapters and the registry keys that list them.
// Every operation of the plain class refuses; a backend overrides those it
// can answer.

namespace platform {

class NetworkServices {
public:
    virtual ~NetworkServices() = default;
};

}  // namespace platform
