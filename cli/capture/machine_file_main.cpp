// veltrix-capture where the machine file is the only capture (Windows).
#include <iostream>

#include "cli/capture/machine_file_command.h"
#include "cli/common/command_output.h"

int main(int argc, char** argv) {
    cli::ProcessOutput out;
    return cli::RunMachineFileCapture(std::vector<std::string>(argv + 1, argv + argc), out, std::cerr);
}
