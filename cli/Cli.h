#pragma once
#include <ostream>
#include <string>
#include <vector>

namespace qk::cli {

// The whole of qk3xx-cli: the arguments after the program's name in, data on `out`, messages on
// `err`; returns the exit code (cli/ExitCode.h). `out` is flushed at the end: a failed write is
// told and exits 2. main() only hands over its streams and catches the stop signals.
int RunCli(const std::vector<std::string>& arguments, std::ostream& out, std::ostream& err);

}  // namespace qk::cli
