#pragma once
#include <gtest/gtest.h>

#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "cli/Cli.h"

namespace qk::test {

// One run of qk3xx-cli in this process: its exit code and its two streams.
struct CliResult {
    int code = -1;
    std::string out;
    std::string err;
};

inline CliResult Cli(const std::vector<std::string>& arguments) {
    std::ostringstream out, err;
    CliResult result;
    result.code = cli::RunCli(arguments, out, err);
    result.out = out.str();
    result.err = err.str();
    return result;
}

// A file in the test's scratch folder with `text` in it; its path.
inline std::string ScratchFile(const std::string& name, const std::string& text) {
    const std::string path = ::testing::TempDir() + name;
    std::ofstream(path, std::ios::trunc) << text;
    return path;
}

inline std::string FileText(const std::string& path) {
    std::ifstream in(path);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

}  // namespace qk::test
