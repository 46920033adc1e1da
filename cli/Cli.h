#pragma once
#include <ostream>
#include <string>
#include <vector>

namespace qk::cli {

// The whole of qk3xx-cli: the arguments after the program's name in, data on `out`, messages on
// `err`; returns the exit code (cli/ExitCode.h). main() only hands over its streams.
int RunCli(const std::vector<std::string>& arguments, std::ostream& out, std::ostream& err);

}  // namespace qk::cli
