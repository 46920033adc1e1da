// qk3xx-cli: the QK3xx chip from scripts and production tests (see cli/Subcommands.cpp).
#include <unistd.h>

#include <iostream>

#include "cli/Cli.h"
#include "cli/DescriptorOutput.h"
#include "cli/StopSignals.h"

int main(int argc, char** argv) {
    qk::cli::CatchStopSignals();
    qk::cli::DescriptorOutput standardOutput(STDOUT_FILENO);
    std::ostream out(&standardOutput);
    return qk::cli::RunCli({argv + 1, argv + argc}, out, std::cerr);
}
