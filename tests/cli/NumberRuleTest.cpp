// The one rule for numbers, from one table of cases, wherever a register is typed: a command's
// operand, a script's line, a --virtual fault and the --address option.
#include <cstdio>
#include <optional>

#include "board/BoardOptions.h"
#include "cli/Script.h"
#include "tests/cli/CliRun.h"

namespace qk::test {
namespace {

struct NumberCase {
    const char* text;
    std::optional<uint8_t> value;  // as a register, when accepted
    const char* refusal;           // the refusal's words, for a register, when refused
};

// clang-format off
const NumberCase kCases[] = {
    {"0x1a", 0x1A, ""},  {"0X1A", 0x1A, ""}, {"1ah", 0x1A, ""}, {"1AH", 0x1A, ""},
    {"0x1B", 0x1B, ""},  {"26h", 0x26, ""},  {"0x7f", 0x7F, ""}, {"ffh", 0xFF, ""},
    {"7", 7, ""},        {"07", 7, ""},      {"0", 0, ""},
    {"26", {}, "'26': write 0x26 for the register shown as 26, or 0x1a for decimal 26"},
    {"10", {}, "'10': write 0x10 for the register shown as 10, or 0x0a for decimal 10"},
    {"010", {}, "'010': write 0x10 for the register shown as 010, or 0x0a for decimal 10"},
    {"200", {}, "'200': write 0xc8 for decimal 200 (a bare number is one digit, 0 to 9)"},
    {"999", {}, "'999' is over 0xff"},
    {"1a", {}, "'1a': write 0x1a or 1ah for a hexadecimal register"},
    {"0x100", {}, "'0x100' is over 0xff"},
    {"-1", {}, "'-1' is not a register: write it as 0x1f or 1fh"},
    {"0x1fh", {}, "'0x1fh' is not a register: write it as 0x1f or 1fh"},
    {"0x", {}, "'0x' is not a register: write it as 0x1f or 1fh"},
    {"h", {}, "'h' is not a register: write it as 0x1f or 1fh"},
};
// clang-format on

// The refusal as it reads for `noun` instead of a register.
std::string For(const std::string& refusal, const std::string& noun) {
    std::string text = refusal;
    for (const std::string word : {"a register", "register"})
        if (const size_t at = text.find(word); at != std::string::npos) {
            text.replace(at, word.size(), word == "register" ? noun : "an " + noun);
            break;
        }
    return text;
}

TEST(NumberRule, ScriptsTakeRegistersByTheRule) {
    for (const NumberCase& c : kCases) {
        const cli::Script script = cli::ParseScript("s.txt", {std::string("r ") + c.text});
        if (c.value) {
            ASSERT_EQ(script.commands.size(), 1u) << c.text << ": " << script.error;
            EXPECT_EQ(script.commands[0].reg, *c.value) << c.text;
        } else {
            EXPECT_EQ(script.error, std::string("s.txt:1: r ") + c.text + ": " + c.refusal);
        }
    }
}

TEST(NumberRule, VirtualFaultsTakeRegistersByTheRule) {
    for (const NumberCase& c : kCases) {
        const std::string fault = std::string("stuck-bit:") + c.text + ":0";
        const board::ParsedOptions parsed = board::ParseBoardOptions({"--fault", fault});
        if (c.value) {
            EXPECT_EQ(parsed.error, "") << c.text;
            EXPECT_EQ(parsed.options.stuckRegister, *c.value) << c.text;
        } else {
            EXPECT_EQ(parsed.error, std::string("--fault: ") + c.refusal);
        }
        const CliResult cli = Cli({"--virtual", "qk330:" + fault, "--chip", "qk330", "detect"});
        EXPECT_EQ(cli.code, c.value ? 0 : 2) << c.text;
        if (!c.value) {
            EXPECT_EQ(cli.err.substr(0, cli.err.find('\n')),
                      "qk3xx-cli: --virtual qk330:" + fault + ": " + c.refusal);
        }
    }
}

// The register read goes out as its sub-address frame, which the log shows.
TEST(NumberRule, CommandsTakeRegistersByTheRule) {
    const std::string log = ::testing::TempDir() + "number-rule-log.txt";
    for (const NumberCase& c : kCases) {
        const CliResult result = Cli({"--virtual", "qk330", "--log", log, "get", c.text});
        if (c.value) {
            char frame[32];
            std::snprintf(frame, sizeof frame, "{0x34 0x%x }\n", *c.value);
            EXPECT_EQ(result.code, 0) << c.text << result.err;
            EXPECT_EQ(FileText(log), frame) << c.text;
        } else {
            EXPECT_EQ(result.code, 2) << c.text;
            EXPECT_EQ(result.err, std::string("qk3xx-cli: ") + c.refusal + "\n");
        }
    }
}

TEST(NumberRule, TheAddressOptionTakesAddressesByTheRule) {
    for (const NumberCase& c : kCases) {
        const CliResult result = Cli({"--virtual", "qk310", "--address", c.text, "detect"});
        const std::string line = result.err.substr(0, result.err.find('\n'));
        if (c.value == 0x1A || c.value == 0x1B) {
            EXPECT_EQ(result.code, 0) << c.text << result.err;
        } else if (c.value) {
            EXPECT_EQ(line, std::string("qk3xx-cli: --address ") + c.text +
                                ": the chip answers at 0x1a or 0x1b");
        } else {
            EXPECT_EQ(line, "qk3xx-cli: --address " + For(c.refusal, "address"));
        }
    }
}

}  // namespace
}  // namespace qk::test
