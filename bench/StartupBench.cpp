// Start-up: from process start to the main window shown with all 41 windows created. Each
// iteration launches qk3xx-virtual headless with QK3XX_EXIT_WHEN_SHOWN set (see
// app/main_virtual.cpp), which makes it quit as soon as its main window is up. Beside it, in the
// same run, `qk3xx-cli --virtual qk330 detect` from start to exit.
#include <benchmark/benchmark.h>
#include <fcntl.h>
#include <spawn.h>
#include <sys/wait.h>

#include <string>
#include <vector>

extern char** environ;

namespace {

// The environment of this process, headless, with the exit hook switched on.
std::vector<std::string> ChildEnvironment() {
    std::vector<std::string> variables;
    for (char** entry = environ; *entry; ++entry) {
        const std::string variable = *entry;
        if (variable.rfind("QT_QPA_PLATFORM=", 0) != 0) variables.push_back(variable);
    }
    variables.push_back("QT_QPA_PLATFORM=offscreen");
    variables.push_back("QK3XX_EXIT_WHEN_SHOWN=1");
    return variables;
}

// Runs the program to its exit; its exit status, or -1 when it could not be started or crashed.
int RunOnce(char* const argv[], char* const envp[], const posix_spawn_file_actions_t& actions) {
    pid_t pid = 0;
    if (posix_spawn(&pid, argv[0], &actions, nullptr, argv, envp) != 0) return -1;
    int status = 0;
    if (waitpid(pid, &status, 0) != pid || !WIFEXITED(status)) return -1;
    return WEXITSTATUS(status);
}

void BM_StartupToMainWindowShown(benchmark::State& state) {
    std::string program = QK3XX_VIRTUAL_PATH;
    char* const argv[] = {program.data(), nullptr};
    std::vector<std::string> variables = ChildEnvironment();
    std::vector<char*> envp;
    for (std::string& variable : variables) envp.push_back(variable.data());
    envp.push_back(nullptr);
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    // The program's own chatter (Qt's notes about the platform) would mix into the report.
    posix_spawn_file_actions_addopen(&actions, 1, "/dev/null", O_WRONLY, 0);
    posix_spawn_file_actions_addopen(&actions, 2, "/dev/null", O_WRONLY, 0);
    for (auto _ : state) {
        const int status = RunOnce(argv, envp.data(), actions);
        if (status != 0) {
            state.SkipWithError(status == 3 ? "not all 41 windows were created"
                                            : "qk3xx-virtual did not start and exit cleanly");
            break;
        }
    }
    posix_spawn_file_actions_destroy(&actions);
}

BENCHMARK(BM_StartupToMainWindowShown)->Unit(benchmark::kMillisecond)->UseRealTime();

// Runs `argv` to its exit once per iteration, its output discarded.
void SpawnEachIteration(benchmark::State& state, char* const argv[], const char* failure) {
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, 1, "/dev/null", O_WRONLY, 0);
    posix_spawn_file_actions_addopen(&actions, 2, "/dev/null", O_WRONLY, 0);
    for (auto _ : state) {
        if (RunOnce(argv, environ, actions) != 0) {
            state.SkipWithError(failure);
            break;
        }
    }
    posix_spawn_file_actions_destroy(&actions);
}

void BM_CliDetectOnVirtualQK330(benchmark::State& state) {
    std::string program = QK3XX_CLI_PATH;
    std::string virtualOption = "--virtual", chip = "qk330", command = "detect";
    char* const argv[] = {program.data(), virtualOption.data(), chip.data(), command.data(),
                          nullptr};
    SpawnEachIteration(state, argv, "qk3xx-cli detect did not find the virtual chip");
}

BENCHMARK(BM_CliDetectOnVirtualQK330)->Unit(benchmark::kMillisecond)->UseRealTime();

// What starting any process costs on this machine at this moment: the floor under both.
void BM_SpawnTrue(benchmark::State& state) {
    std::string program = "/bin/true";
    char* const argv[] = {program.data(), nullptr};
    SpawnEachIteration(state, argv, "/bin/true failed");
}

BENCHMARK(BM_SpawnTrue)->Unit(benchmark::kMillisecond)->UseRealTime();

}  // namespace
