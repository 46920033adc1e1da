#pragma once
#include <cstddef>
#include <string>
#include <vector>

#include "cli/Context.h"

namespace qk::cli {

// One subcommand: its synopsis, what it does, its operands and options, and its code.
struct Subcommand {
    const char* name;
    const char* synopsis;  // after "qk3xx-cli [OPTIONS] "
    const char* summary;   // one line for the overview
    const char* details;   // the rest of its --help
    size_t fewestOperands;
    size_t mostOperands;
    std::vector<std::string> options;  // its own options
    int (*run)(Context&);
};

const std::vector<Subcommand>& Subcommands();
const Subcommand* FindSubcommand(const std::string& name);

// The --help texts: the whole program's, and one subcommand's.
std::string ProgramHelp();
std::string SubcommandHelp(const Subcommand& command);
// One line for a refused command line: "Usage: qk3xx-cli [OPTIONS] COMMAND ...".
std::string UsageLine();

}  // namespace qk::cli
