#pragma once
// Simulated machines for tests: from inline JSON or from tests/machines/.

#include <fstream>
#include <memory>
#include <sstream>
#include <string>

#include "platform/sim/sim_machine.h"
#include "platform/sim/sim_reader.h"

namespace testing_support {

inline std::unique_ptr<platform::sim::SimMachine> SimFrom(const std::string& json) {
    return std::make_unique<platform::sim::SimMachine>(platform::sim::ParseMachineText(json));
}

inline std::string SourcePath(const std::string& relative) { return std::string(VELTRIX_SOURCE_DIR) + "/" + relative; }

inline std::string ReadFile(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    std::stringstream s;
    s << in.rdbuf();
    return s.str();
}

inline std::unique_ptr<platform::sim::SimMachine> SimMachineFile(const std::string& name) {
    return SimFrom(ReadFile(SourcePath("tests/machines/" + name)));
}

}  // namespace testing_support
