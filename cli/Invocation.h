#pragma once
#include <functional>
#include <map>
#include <set>
#include <span>
#include <string>
#include <vector>

#include "cli/BusSession.h"
#include "core/cmdline/OptionTable.h"

namespace qk::cli {

// A command line taken apart: the global options (anywhere on the line), the subcommand, its
// operands and its own options, not yet checked against the subcommand.
struct Invocation {
    BusChoice bus;
    bool quiet = false;
    bool listAdapters = false;
    bool help = false;
    bool version = false;
    std::string command;
    std::vector<std::string> operands;
    std::set<std::string> flags;                // e.g. "--verify"
    std::map<std::string, std::string> values;  // e.g. {"--format", "c"}
    std::string error;                          // why the line was refused
};

// qk3xx-cli's options, in the table every program's options use. Their errors name the option
// and its value themselves ("--address 0x1c: the chip answers at 0x1a or 0x1b").
using CliOption = cmdline::Option<Invocation>;
// The bus (one of --port, --i2c-dev, --ftdi and --virtual; --state with --virtual), as --help
// lists it.
std::span<const CliOption> BusOptions();
// The other global options.
std::span<const CliOption> GeneralOptions();
// The subcommands' own options, kept as given (`flags`, `values`) for the subcommand that takes
// them; each subcommand lists the names it takes and tells of them in its own help.
std::span<const CliOption> CommandOptions();

// The global options as every --help shows them, under "Bus (one of):" and "Options:".
std::string GlobalOptionsHelp();

// `isCommand` tells a command's name: an option whose value may be left out does not take it.
Invocation ParseInvocation(const std::vector<std::string>& arguments,
                           const std::function<bool(const std::string&)>& isCommand);

}  // namespace qk::cli
