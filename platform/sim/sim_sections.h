#pragma once
// The top-level sections of the machine file and their readers, in the
// order they are read. The root accepts exactly these keys.

#include <span>

#include "platform/sim/sim_reader.h"

namespace platform::sim {

struct SimAreas;

using SectionReader = void (*)(const Node& section, SimAreas& areas);

struct Section {
    const char* key;
    SectionReader read;
};

std::span<const Section> Sections();

}  // namespace platform::sim
