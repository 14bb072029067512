#pragma once
// The categories as the command line names them: by number (0-14), by the
// tab's Dutch text or by the English name, without regard to case
// ("3", "netwerk", "Network", "memory usage", "MemoryUsage").

#include <optional>
#include <string>

namespace cli {

std::optional<int> CategoryFromArgument(const std::string& text);

// The English name without spaces ("MemoryUsage"): the category's key in the
// JSON document, and a name --category takes.
std::string CategoryKey(int category);

// The list for --help: one line per category, number, English and Dutch name.
std::string CategoryList();

}  // namespace cli
