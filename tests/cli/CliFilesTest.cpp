// What qk3xx-cli writes: standard output, the log, saved files and the --state file. A failed
// write is told and exits 2, a file named twice is refused before anything is opened, a save
// follows a link and never replaces a FIFO, a stop signal ends the run between frames with the
// state kept and no temporary file left, and runs on one state file take turns.
#include <dlfcn.h>
#include <fcntl.h>
#include <poll.h>
#include <sys/stat.h>

#include <algorithm>
#include <atomic>
#include <filesystem>
#include <set>

#include "cli/Numbers.h"
#include "core/snapshot/SnapshotFile.h"
#include "tests/cli/CliProgram.h"
#include "tests/support/ScratchFolder.h"

// The system's fsync(2), or a signal raised in it: a signal in the middle of a save.
namespace {
std::atomic<int> signalInFsync{0};
}  // namespace

extern "C" int fsync(int fd) {
    if (const int signal = signalInFsync.exchange(0)) ::raise(signal);
    using Fsync = int (*)(int);
    static const auto system = reinterpret_cast<Fsync>(::dlsym(RTLD_NEXT, "fsync"));
    return system(fd);
}

namespace qk::test {
namespace {

namespace fs = std::filesystem;
using Strings = std::vector<std::string>;

// A fresh scratch folder of the test's own.
std::string Folder(const std::string& name) {
    const std::string folder = ::testing::TempDir() + name + "/";
    fs::remove_all(folder);
    fs::create_directories(folder);
    return folder;
}

std::set<std::string> FilesIn(const std::string& folder) {
    std::set<std::string> names;
    for (const auto& entry : fs::directory_iterator(folder))
        names.insert(entry.path().filename().string());
    return names;
}

const Strings kQK330 = {"--virtual", "qk330", "--chip", "qk330"};

Strings On(const Strings& board, Strings arguments) {
    arguments.insert(arguments.begin(), board.begin(), board.end());
    return arguments;
}

TEST(Outputs, AFullStandardOutputIsToldAndExitsTwo) {
    const std::string folder = Folder("cli-full");
    const std::string snapshot = folder + "board.txt";
    ASSERT_EQ(Cli(On(kQK330, {"dump", snapshot})).code, 0);
    if (!test::MakeMemoryDevice(folder + "full", test::MemoryDevice::Full))
        GTEST_SKIP() << "making a device node needs root";
    const int full = ::open((folder + "full").c_str(), O_WRONLY | O_CLOEXEC);
    ASSERT_GE(full, 0);
    const Strings commands[] = {
        {"export", snapshot, "--format", "c"},
        On(kQK330, {"dump"}),
        On(kQK330, {"dump", "-"}),
        On(kQK330, {"get", "0", "4"}),
    };
    for (const Strings& command : commands) {
        ProgramSetup setup(command);
        setup.folder = folder;
        setup.standardOutput = full;
        const ProgramResult result = RunProgram(setup);
        EXPECT_EQ(result.code, 2) << ::testing::PrintToString(command);
        EXPECT_EQ(result.err, "qk3xx-cli: standard output: No space left on device\n");
    }
    ::close(full);
}

// The log's write(2) fails past a file size limit, as on a full disk; the run goes on.
TEST(Outputs, ALogThatCannotBeWrittenIsTold) {
    const std::string log = Folder("cli-log-full") + "frames.log";
    ProgramSetup setup(On(kQK330, {"--log", log, "get", "0", "100"}));
    setup.fileSizeLimit = 1024;
    const ProgramResult result = RunProgram(setup);
    EXPECT_EQ(result.code, 2);
    EXPECT_NE(result.err.find("qk3xx-cli: the log " + log + ": File too large"), std::string::npos)
        << result.err;
    EXPECT_EQ(std::count(result.out.begin(), result.out.end(), ' '), 99) << "every register read";
}

TEST(Outputs, AFileNamedTwiceIsRefusedBeforeAnythingIsWritten) {
    const std::string folder = Folder("cli-same");
    const std::string snapshot = folder + "board.txt";
    ASSERT_EQ(Cli(On(kQK330, {"dump", snapshot})).code, 0);
    const std::string saved = FileText(snapshot);
    fs::create_symlink(snapshot, folder + "link.txt");
    const std::string fresh = folder + "fresh.txt";
    const Strings lines[] = {
        On(kQK330, {"--log", snapshot, "restore", snapshot}),
        On(kQK330, {"--state", snapshot, "restore", snapshot}),
        On(kQK330, {"--log", folder + "link.txt", "diff", snapshot}),
        On(kQK330, {"--state", fresh, "--log", folder + "../cli-same/fresh.txt", "get", "3"}),
        On(kQK330, {"--state", fresh, "dump", fresh}),
    };
    for (const Strings& line : lines) {
        const CliResult result = Cli(line);
        EXPECT_EQ(result.code, 2) << ::testing::PrintToString(line);
        EXPECT_NE(result.err.find("are the same file: choose another (nothing was written)"),
                  std::string::npos)
            << result.err;
        EXPECT_EQ(FileText(snapshot), saved);
        EXPECT_FALSE(fs::exists(fresh));
    }
}

TEST(Outputs, SavingFollowsALinkRefusesAFifoAndDashIsStandardOutput) {
    const std::string folder = Folder("cli-save");
    std::ofstream(folder + "target.txt") << "old\n";
    fs::create_symlink("target.txt", folder + "link.txt");
    ASSERT_EQ(::mkfifo((folder + "fifo").c_str(), 0600), 0);
    struct Case {
        const char* file;
        int code;
        const char* errPart;
    };
    const Case cases[] = {
        {"link.txt", 0, "Saved 61 registers of the QK330 at 0x1a to link.txt."},
        {"fifo", 2, "qk3xx-cli: cannot save fifo: not a regular file"},
        {"-", 0, ""},
    };
    for (const Case& c : cases) {
        ProgramSetup setup(On(kQK330, {"dump", c.file}));
        setup.folder = folder;
        const ProgramResult result = RunProgram(setup);
        EXPECT_EQ(result.code, c.code) << c.file << result.err;
        EXPECT_NE(result.err.find(c.errPart), std::string::npos) << result.err;
        EXPECT_EQ(result.out.starts_with("# QK3xx snapshot\n"), c.file == std::string("-"));
    }
    EXPECT_TRUE(fs::is_symlink(folder + "link.txt"));
    EXPECT_TRUE(FileText(folder + "target.txt").starts_with("# QK3xx snapshot\n"));
    EXPECT_TRUE(fs::is_fifo(folder + "fifo"));
    EXPECT_EQ(FilesIn(folder), (std::set<std::string>{"fifo", "link.txt", "target.txt"}));
}

// SIGTERM while a script waits: the frame before the wait is kept, none after it is sent.
TEST(Signals, EndTheRunBetweenFramesKeepingWhatWasSent) {
    const std::string folder = Folder("cli-signal");
    const std::string script =
        ScratchFile("cli-signal/slow.txt", "w 0x0d 0x05\nd 60000\nw 0x0d 0x07\n");
    const std::string state = folder + "board.txt";
    const std::string fifo = folder + "frames";
    ASSERT_EQ(::mkfifo(fifo.c_str(), 0600), 0);
    const int frames = ::open(fifo.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
    ASSERT_GE(frames, 0);
    const Program program(
        ProgramSetup(On(kQK330, {"--state", state, "--log", fifo, "run", script})));
    std::string logged;
    for (char buffer[256]; logged.find("{0x34 0xd 0x5 }\n") == std::string::npos;) {
        // A bound only against a program that never opens the log, not a measure of time.
        pollfd ready{.fd = frames, .events = POLLIN, .revents = 0};
        if (::poll(&ready, 1, 60000) <= 0) break;
        const ssize_t size = ::read(frames, buffer, sizeof buffer);
        if (size == 0) break;  // the program ended
        if (size > 0) logged.append(buffer, static_cast<size_t>(size));
    }
    program.Signal(SIGTERM);
    const ProgramResult result = program.Wait();
    ::close(frames);
    EXPECT_EQ(result.code, 143) << "signal " << result.signal;
    EXPECT_EQ(result.err, "qk3xx-cli: stopped by SIGTERM after 1 frame\n");
    EXPECT_NE(FileText(state).find("# family: QK330\n"), std::string::npos);
    EXPECT_NE(FileText(state).find("\n0d: 05\n"), std::string::npos) << FileText(state);
    EXPECT_EQ(FilesIn(folder), (std::set<std::string>{"board.txt", "frames", "slow.txt"}));
}

TEST(Signals, ASignalInTheMiddleOfASaveLeavesNoTemporaryFile) {
    const std::string folder = Folder("cli-signal-save");
    const std::string file = folder + "board.txt";
    ASSERT_EQ(SaveTextFile(file, "02: 05\n"), "");
    const pid_t child = ::fork();
    if (child == 0) {
        signalInFsync = SIGTERM;
        SaveTextFile(file, "02: 06\n");
        ::_exit(0);
    }
    int status = 0;
    ASSERT_EQ(::waitpid(child, &status, 0), child);
    EXPECT_TRUE(WIFSIGNALED(status) && WTERMSIG(status) == SIGTERM) << "ended as SIGTERM ends it";
    EXPECT_EQ(FileText(file), "02: 05\n");
    EXPECT_EQ(FilesIn(folder), std::set<std::string>{"board.txt"});
}

// Eight runs at once, each setting its own register 20 times: every last value is kept.
TEST(State, RunsOnOneFileTakeTurns) {
    const std::string state = Folder("cli-turns") + "board.txt";
    constexpr int Runs = 8, Updates = 20;
    std::vector<pid_t> children;
    for (int run = 0; run < Runs; ++run) {
        const pid_t child = ::fork();
        if (child == 0) {
            int failed = 0;
            for (int update = 1; update <= Updates; ++update) {
                const Strings set = {"set", cli::Hex(uint8_t(0x13 + run)),
                                     cli::Hex(uint8_t(update))};
                failed += RunProgram(ProgramSetup(On(kQK330, On({"--state", state}, set)))).code;
            }
            ::_exit(failed ? 1 : 0);
        }
        children.push_back(child);
    }
    for (const pid_t child : children) {
        int status = 0;
        ::waitpid(child, &status, 0);
        EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0);
    }
    const CliResult held = Cli(On(kQK330, {"--state", state, "get", "0x13", "8"}));
    EXPECT_EQ(held.out, "0x14 0x14 0x14 0x14 0x14 0x14 0x14 0x14\n");
}

TEST(State, TheFileSaysItsFamilyAndOnlyAChangeRewritesIt) {
    struct Case {
        const char* text;
        Strings arguments;
        int code;
        const char* errPart;
        bool rewritten;
    };
    const Case cases[] = {
        {"# family: QK310\n03: 13\n",
         {"get", "3"},
         2,
         "board.txt:1: # family: QK310: the registers of a QK310 board, not of a QK330 board",
         false},
        {"# mine\n0d: 05\n", {"get", "0x0d"}, 0, "", false},
        {"# mine\n0d: 05\n", {"set", "0x0d", "5"}, 0, "", false},
        {"# mine\n0d: 05\n", {"set", "0x0d", "6"}, 0, "", true},
    };
    const std::string state = Folder("cli-family") + "board.txt";
    for (const Case& c : cases) {
        std::ofstream(state, std::ios::trunc) << c.text;
        const CliResult result = Cli(On(kQK330, On({"--state", state}, c.arguments)));
        EXPECT_EQ(result.code, c.code) << result.err;
        EXPECT_NE(result.err.find(c.errPart), std::string::npos) << result.err;
        EXPECT_EQ(FileText(state) != c.text, c.rewritten) << FileText(state);
        if (c.rewritten) {
            EXPECT_EQ(FileText(state).find("# family: QK330\n"), 26u) << FileText(state);
        }
    }
}

}  // namespace
}  // namespace qk::test
