#include <iostream>

#include "cli/capture/capture_command.h"

int main(int argc, char** argv) {
    return cli::RunCapture(std::vector<std::string>(argv + 1, argv + argc), std::cout, std::cerr);
}
