#include <iostream>

#include "cli/common/command_output.h"
#include "cli/report/report_command.h"
#include "platform/standard_streams.h"

int main(int argc, char** argv) {
    platform::UseBinaryStandardOutput();
    std::ios::sync_with_stdio(false);
    cli::ProcessOutput out;
    return cli::RunReport(std::vector<std::string>(argv + 1, argv + argc), out, std::cerr);
}
