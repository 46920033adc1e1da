#pragma once
#include <map>
#include <set>
#include <string>
#include <vector>

#include "cli/BusSession.h"

namespace qk::cli {

// A command line taken apart: the global options (anywhere on the line), the subcommand, its
// operands and its own options, not yet checked against the subcommand.
struct Invocation {
    BusChoice bus;
    bool quiet = false;
    bool help = false;
    bool version = false;
    std::string command;
    std::vector<std::string> operands;
    std::set<std::string> flags;                // e.g. "--verify"
    std::map<std::string, std::string> values;  // e.g. {"--format", "c"}
    std::string error;                          // why the line was refused
};

Invocation ParseInvocation(const std::vector<std::string>& arguments);

}  // namespace qk::cli
