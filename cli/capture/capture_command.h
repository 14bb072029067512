#pragma once
// veltrix-capture [--privacy] DIR
// Runs the Linux backend on this machine through everything the report asks
// and writes what it read (files) and was told (recorded replies) into DIR,
// which must not exist or be empty. With --privacy the backend masks the
// identifiers in everything it reads, so the tree holds only their masks. `veltrix-report --root DIR` then reports
// this machine anywhere. Bad input: one line on standard error, status 2.

#include <ostream>
#include <string>
#include <vector>

namespace cli {

int RunCapture(const std::vector<std::string>& args, std::ostream& out, std::ostream& err);

}  // namespace cli
