#pragma once
// What the collector benchmarks share: a Linux machine over a root that does
// not wait (the clock measurement's half second is not what they measure),
// and a round that creates a set of collectors on a fresh machine, so that
// nothing read by the round before is reused. Making and dropping the
// machine is not timed.

#include <benchmark/benchmark.h>

#include <memory>
#include <string>

#include "platform/linux/areas/linux_machine.h"

namespace bench {

inline std::unique_ptr<platform::linux_backend::LinuxMachine> LinuxMachineWithoutWaits(const std::string& root = "/") {
    platform::linux_backend::LinuxMachineOptions options;
    options.root = root;
    options.realWaits = false;
    return std::make_unique<platform::linux_backend::LinuxMachine>(std::move(options));
}

template <typename... Collectors>
void CreateOnFreshMachines(benchmark::State& state, const std::string& root) {
    for (auto _ : state) {
        state.PauseTiming();
        auto machine = LinuxMachineWithoutWaits(root);
        state.ResumeTiming();
        {
            const auto counts = (0 + ... + Collectors(*machine).Count());
            benchmark::DoNotOptimize(counts);
        }
        state.PauseTiming();
        machine.reset();
        state.ResumeTiming();
    }
}

}  // namespace bench
