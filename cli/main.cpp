// qk3xx-cli: the QK3xx chip from scripts and production tests (see cli/Subcommands.cpp).
#include <iostream>

#include "cli/Cli.h"

int main(int argc, char** argv) {
    return qk::cli::RunCli({argv + 1, argv + argc}, std::cout, std::cerr);
}
