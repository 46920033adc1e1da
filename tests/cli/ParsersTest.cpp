// The command line's small parsers: numbers, scripts and data logs, each refusing a bad line with
// its file, number and text.
#include <gtest/gtest.h>

#include <sstream>

#include "cli/DatalogFrames.h"
#include "cli/Numbers.h"
#include "cli/Script.h"

namespace qk::cli {
namespace {

TEST(Script, ReadsEveryCommandWithItsLine) {
    const Script script = ParseScript(
        "s.txt", {"# set up", "w 0x03 0x13 14h", "", "r 03h", "r 0x03 0x10 0xf0  # speed", "d 5",
                  "wait 0x11 0x80 0x80", "wait 0x11 0x80 0x00 250"});
    ASSERT_EQ(script.error, "");
    std::vector<std::string> seen;
    for (const ScriptCommand& c : script.commands) {
        std::ostringstream item;
        item << c.line << ":" << int(c.kind) << ":" << Hex(c.reg) << ":" << (c.expects ? "e" : "")
             << Hex(c.expected) << "/" << Hex(c.mask) << ":" << c.milliseconds;
        for (uint8_t b : c.bytes) item << "," << Hex(b);
        seen.push_back(item.str());
    }
    EXPECT_EQ(seen, (std::vector<std::string>{
                        "2:0:0x03:0x00/0xff:0,0x13,0x14",
                        "4:1:0x03:0x00/0xff:0",
                        "5:1:0x03:e0x10/0xf0:0",
                        "6:2:0x00:0x00/0xff:5",
                        "7:3:0x11:0x80/0x80:1000",
                        "8:3:0x11:0x00/0x80:250",
                    }));
    EXPECT_EQ(ScriptWriteLine(0x26, {0x03, 0xCF}), "w 0x26 0x03 0xcf");
}

struct RefusedLine {
    std::vector<std::string> lines;
    std::string error;
};

TEST(Script, RefusesTheFirstBadLineAndKeepsNoCommand) {
    const RefusedLine cases[] = {
        {{"w 3 1", "x 3"}, "s.txt:2: x 3: 'x' is not a command (w, r, d, wait or #)"},
        {{"w 0x03"}, "s.txt:1: w 0x03: expected w REG BYTE..."},
        {{"r 1 2 3 4"}, "s.txt:1: r 1 2 3 4: expected r REG [EXPECT [MASK]]"},
        {{"", "w 0x03 0x1ff"}, "s.txt:2: w 0x03 0x1ff: '0x1ff' is over 0xff"},
        {{"d 600001"}, "s.txt:1: d 600001: '600001' is not a time from 0 to 600000 ms (decimal)"},
        {{"d 0x10"}, "s.txt:1: d 0x10: '0x10' is not a time from 0 to 600000 ms (decimal)"},
        {{"w 0x03 13"},
         "s.txt:1: w 0x03 13: '13': write 0x13 for the value shown as 13, or 0x0d "
         "for decimal 13"},
        {{"r 0x03 0x10 f0"},
         "s.txt:1: r 0x03 0x10 f0: 'f0': write 0xf0 or f0h for a hexadecimal "
         "mask"},
        {{"wait 3 0x0f 0x10"},
         "s.txt:1: wait 3 0x0f 0x10: the value has bits outside the mask: "
         "it can never match"},
        {{"W 3 1"}, "s.txt:1: W 3 1: 'W' is not a command (w, r, d, wait or #)"},
    };
    for (const RefusedLine& c : cases) {
        const Script script = ParseScript("s.txt", c.lines);
        EXPECT_EQ(script.error, c.error);
        EXPECT_TRUE(script.commands.empty()) << c.error;
    }
}

TEST(Datalog, ReadsTheLogsFramesAsWritten) {
    const LoggedFrames log = ParseDatalog("DataLog.txt", {"{0x34 0x13 0xc9 }", "{0x34 0x0 }", "",
                                                          "{0x36 0x26 0x3 0xcf }\r", "  {0x34 }"});
    ASSERT_EQ(log.error, "");
    ASSERT_EQ(log.frames.size(), 4u);
    EXPECT_EQ(log.frames[0].bytes, (std::vector<uint8_t>{0x13, 0xC9}));
    EXPECT_TRUE(log.frames[1].IsRead());
    EXPECT_EQ(log.frames[2].address, 0x36);
    EXPECT_EQ(log.frames[2].line, 4u);
    EXPECT_TRUE(log.frames[3].bytes.empty());
}

TEST(Datalog, RefusesTheFirstLineThatIsNotAFrame) {
    const RefusedLine cases[] = {
        {{"{0x34 0x3 }", "DATALOG ON"},
         "DataLog.txt:2: DATALOG ON: not a frame: a frame reads {0x34 0x03 0x13 }"},
        {{"{0x34 0x3 0x100 }"},
         "DataLog.txt:1: {0x34 0x3 0x100 }: '0x100' is not a byte as the log writes it "
         "(0x0..0xff)"},
        {{"{0x34 13 }"},
         "DataLog.txt:1: {0x34 13 }: '13' is not a byte as the log writes it (0x0..0xff)"},
        {{"{ }"}, "DataLog.txt:1: { }: a frame without its address"},
        {{"{0x35 0x3 }"},
         "DataLog.txt:1: {0x35 0x3 }: a read address: the log holds write frames only"},
        {{"{0x34 0x3 "}, "DataLog.txt:1: {0x34 0x3 : not a frame: a frame reads {0x34 0x03 0x13 }"},
    };
    for (const RefusedLine& c : cases) {
        const LoggedFrames log = ParseDatalog("DataLog.txt", c.lines);
        EXPECT_EQ(log.error, c.error);
        EXPECT_TRUE(log.frames.empty()) << c.error;
    }
}

}  // namespace
}  // namespace qk::cli
