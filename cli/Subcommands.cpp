#include "cli/Subcommands.h"

#include <algorithm>

#include "cli/Invocation.h"
#include "core/cmdline/NumberRule.h"

namespace qk::cli {

namespace {

const char kExitCodes[] =
    "Exit codes:\n"
    "  0  done\n"
    "  1  a difference, a failed expectation, or no chip\n"
    "  2  usage, script or file error\n"
    "  3  bus error (no acknowledge, clock held, line held low)\n"
    "  4  port or adapter unavailable\n"
    "  129, 130, 143  stopped between two frames by SIGHUP, SIGINT, SIGTERM\n"
    "A failed write (standard output, the log, a file) is told and exits 2.\n";

}  // namespace

const std::vector<Subcommand>& Subcommands() {
    static const std::vector<Subcommand> commands = {
        {.name = "detect",
         .synopsis = "detect",
         .summary = "the chip and its address, one line",
         .details =
             "Prints the chip and its 7-bit address, e.g. \"QK310 at 0x1a\"; a chip whose ID\n"
             "cannot tell its family as both, \"QK350 or QK330/QK340 at 0x1a\" (give\n"
             "--chip). Exits 1 when nothing answers, 3 when SDA or SCL is held low.\n",
         .fewestOperands = 0,
         .mostOperands = 0,
         .options = {},
         .run = &Detect},
        {.name = "get",
         .synopsis = "get REG [COUNT]",
         .summary = "reads COUNT registers (default 1) from REG",
         .details = "Prints the values on one line, e.g. \"0x13 0xa6\": one register read\n"
                    "(sub-address frame, then a one-byte read frame) each.\n",
         .fewestOperands = 1,
         .mostOperands = 2,
         .options = {},
         .run = &Get},
        {.name = "set",
         .synopsis = "set REG VALUE... [--verify] [--test-registers]",
         .summary = "writes the values from REG on, in one frame",
         .details = "Sends one frame [REG, VALUE...]. --verify reads every register written\n"
                    "back and exits 1 when one differs; a write-only register (the first\n"
                    "generation's volumes) cannot be read back, and is said so. A test register\n"
                    "is written only with --test-registers.\n",
         .fewestOperands = 2,
         .mostOperands = 256,
         .options = {"--verify", "--test-registers"},
         .run = &Set},
        {.name = "run",
         .synopsis = "run SCRIPT [--test-registers]",
         .summary = "runs a script of writes, reads, delays and waits",
         .details = "One command a line; the whole script is checked before anything is sent:\n"
                    "  w REG BYTE...                    writes the bytes from REG on, one frame\n"
                    "  r REG [EXPECT [MASK]]            prints \"REG: VALUE\"; stops with exit 1\n"
                    "                                   unless (VALUE & MASK) == EXPECT\n"
                    "  d MS                             waits MS milliseconds\n"
                    "  wait REG MASK VALUE [TIMEOUT_MS] reads REG until (value & MASK) == VALUE\n"
                    "                                   (default 1000 ms; exit 1 when it never\n"
                    "                                   does)\n"
                    "  # ...                            a comment, also after a command\n"
                    "A w line to a test register needs --test-registers.\n",
         .fewestOperands = 1,
         .mostOperands = 1,
         .options = {"--test-registers"},
         .run = &Run},
        {.name = "replay",
         .synopsis = "replay DATALOG [--any-address] [--test-registers]",
         .summary = "re-sends the frames of a DataLog.txt",
         .details = "Sends the write frames of the log in order; a frame of a sub-address alone\n"
                    "is the first half of a read, and the register is read again and printed.\n"
                    "The whole log is checked first: a line that is not a frame, or a frame to\n"
                    "another address (unless --any-address), or to a test register (unless\n"
                    "--test-registers), stops it before anything is sent.\n",
         .fewestOperands = 1,
         .mostOperands = 1,
         .options = {"--any-address", "--test-registers"},
         .run = &Replay},
        {.name = "dump",
         .synopsis = "dump [FILE]",
         .summary = "the chip's registers as a snapshot file (stdout by default, or -)",
         .details = "One \"hh: hh\" line per register with its name and fields decoded after\n"
                    "\"#\". A write-only register reads XX: the chip cannot tell it. The file\n"
                    "is written whole or not at all.\n",
         .fewestOperands = 0,
         .mostOperands = 1,
         .options = {},
         .run = &Dump},
        {.name = "diff",
         .synopsis = "diff FILE [--all]",
         .summary = "the registers where the chip differs from a snapshot file",
         .details = "Prints each register that differs, decoded as the Snapshot window shows it\n"
                    "(file, chip and power-on default), and exits 1 when one does. The status\n"
                    "registers change by themselves: --all compares them too. A file without\n"
                    "a \"# chip:\" line is read only with --chip.\n",
         .fewestOperands = 1,
         .mostOperands = 1,
         .options = {"--all"},
         .run = &Diff},
        {.name = "restore",
         .synopsis = "restore FILE [--no-verify] [--test-registers]",
         .summary = "writes a snapshot file back to the chip, verified",
         .details = "Checks the whole file first: a file without a \"# chip:\" line is read\n"
                    "only with --chip. Mutes all channels, writes every writable register of the\n"
                    "file in address order (status registers never, test registers only with\n"
                    "--test-registers, reset and clear bits in their inactive state), the mute\n"
                    "register last, then reads every register written back and compares its\n"
                    "bytes: exit 1 when one differs. Write-only registers cannot be read back.\n"
                    "--no-verify skips the read-back.\n",
         .fewestOperands = 1,
         .mostOperands = 1,
         .options = {"--no-verify", "--test-registers"},
         .run = &Restore},
        {.name = "export",
         .synopsis = "export SNAPSHOT --format c|i2ctransfer|script [--bus N]",
         .summary = "a snapshot file as an init sequence, in the restore's order",
         .details = "c: a C array with one row per frame, {sub-address, byte count, bytes...},\n"
                    "the fields as comments;\n"
                    "i2ctransfer: a shell script of i2ctransfer lines on bus N (without --bus the\n"
                    "script takes it as its argument); script: a script for `run`. Needs no bus;\n"
                    "--test-registers includes the test registers. The chip family is the file's\n"
                    "\"# chip:\" line, or --chip.\n",
         .fewestOperands = 1,
         .mostOperands = 1,
         .options = {"--format", "--bus", "--test-registers"},
         .run = &Export},
    };
    return commands;
}

const Subcommand* FindSubcommand(const std::string& name) {
    for (const Subcommand& command : Subcommands())
        if (name == command.name) return &command;
    return nullptr;
}

std::string UsageLine() {
    return "Usage: qk3xx-cli [OPTIONS] COMMAND [ARGUMENTS]  (qk3xx-cli --help tells more)\n";
}

std::string ProgramHelp() {
    std::string text =
        "Usage: qk3xx-cli [OPTIONS] COMMAND [ARGUMENTS]\n"
        "\n"
        "The QK3xx chip from scripts and production tests: one command per job, data on\n"
        "stdout, messages on stderr.\n"
        "\n"
        "Commands:\n";
    constexpr size_t SummaryColumn = 34;
    for (const Subcommand& command : Subcommands()) {
        std::string line = "  " + std::string(command.synopsis);
        // A long synopsis has its summary on the next line.
        if (line.size() >= SummaryColumn) line += "\n";
        line.resize(line.back() == '\n' ? line.size() + SummaryColumn : SummaryColumn, ' ');
        text += line + command.summary + "\n";
    }
    return text + "\n" + GlobalOptionsHelp() + "\n" + cmdline::kNumberRuleText + "\n" + kExitCodes;
}

std::string SubcommandHelp(const Subcommand& command) {
    return std::string("Usage: qk3xx-cli [OPTIONS] ") + command.synopsis + "\n\n" +
           command.summary + ".\n" + command.details +
           "\nOPTIONS choose the bus and the chip (--virtual, --port, --i2c-dev, --address,\n"
           "--chip, --log, --quiet): qk3xx-cli --help tells of them, of the numbers and of the\n"
           "exit codes.\n";
}

}  // namespace qk::cli
