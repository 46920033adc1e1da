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

// The run ended with `code`, wrote `out`, and told `errPart` (nothing at all for "").
inline void ExpectResult(const CliResult& result, int code, const char* out, const char* errPart) {
    EXPECT_EQ(result.code, code);
    EXPECT_EQ(result.out, out);
    if (*errPart == '\0')
        EXPECT_EQ(result.err, "");
    else
        EXPECT_NE(result.err.find(errPart), std::string::npos) << result.err;
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
