#pragma once
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <csignal>
#include <cstdlib>
#include <string>
#include <vector>

#include "tests/cli/CliRun.h"

namespace qk::test {

// How the built qk3xx-cli is started in a process of its own, for what only a process has: its
// standard output on a given descriptor, its working folder, its file size limit, its signals.
struct ProgramSetup {
    explicit ProgramSetup(std::vector<std::string> words) : arguments(std::move(words)) {}
    std::vector<std::string> arguments;
    std::string folder;                    // the working folder, when not empty
    int standardOutput = -1;               // a descriptor for its standard output; -1: captured
    rlim_t fileSizeLimit = RLIM_INFINITY;  // past it a write fails with EFBIG (SIGXFSZ ignored)
};

// Its exit code (-1 when a signal ended it, then `signal`), and its two streams.
struct ProgramResult {
    int code = -1;
    int signal = 0;
    std::string out;
    std::string err;
};

class Program {
  public:
    explicit Program(const ProgramSetup& setup) {
        static int runs = 0;
        const std::string stem = ::testing::TempDir() + "qk3xx-cli-" + std::to_string(::getpid()) +
                                 "-" + std::to_string(++runs);
        outPath_ = stem + ".out";
        errPath_ = stem + ".err";
        std::vector<std::string> words{QK3XX_CLI_PATH};
        words.insert(words.end(), setup.arguments.begin(), setup.arguments.end());
        std::vector<char*> argv;
        for (std::string& word : words) argv.push_back(word.data());
        argv.push_back(nullptr);
        pid_ = ::fork();
        if (pid_ != 0) return;
        if (!setup.folder.empty() && ::chdir(setup.folder.c_str()) != 0) ::_exit(126);
        const int out = setup.standardOutput >= 0
                            ? setup.standardOutput
                            : ::open(outPath_.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
        const int err = ::open(errPath_.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
        ::dup2(out, STDOUT_FILENO);
        ::dup2(err, STDERR_FILENO);
        std::signal(SIGXFSZ, SIG_IGN);
        const rlimit limit{setup.fileSizeLimit, setup.fileSizeLimit};
        ::setrlimit(RLIMIT_FSIZE, &limit);
        ::execv(argv[0], argv.data());
        ::_exit(127);
    }

    void Signal(int signal) const { ::kill(pid_, signal); }

    ProgramResult Wait() const {
        int status = 0;
        while (::waitpid(pid_, &status, 0) < 0 && errno == EINTR) {
        }
        ProgramResult result;
        if (WIFEXITED(status)) result.code = WEXITSTATUS(status);
        if (WIFSIGNALED(status)) result.signal = WTERMSIG(status);
        result.out = FileText(outPath_);
        result.err = FileText(errPath_);
        std::remove(outPath_.c_str());
        std::remove(errPath_.c_str());
        return result;
    }

  private:
    pid_t pid_ = -1;
    std::string outPath_, errPath_;
};

inline ProgramResult RunProgram(const ProgramSetup& setup) {
    return Program(setup).Wait();
}

}  // namespace qk::test
