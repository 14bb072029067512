#include <iostream>

#include "cli/capture/capture_command.h"
#include "cli/common/command_output.h"

int main(int argc, char** argv) {
    cli::ProcessOutput out;
    return cli::RunCapture(std::vector<std::string>(argv + 1, argv + argc), out, std::cerr);
}
