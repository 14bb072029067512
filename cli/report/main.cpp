#include <iostream>

#include "cli/report/report_command.h"
#include "platform/standard_streams.h"

int main(int argc, char** argv) {
    platform::UseBinaryStandardOutput();
    std::ios::sync_with_stdio(false);
    return cli::RunReport(std::vector<std::string>(argv + 1, argv + argc), std::cout, std::cerr);
}
