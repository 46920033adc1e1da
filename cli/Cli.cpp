#include "cli/Cli.h"

#include <algorithm>

#include "cli/DescriptorOutput.h"
#include "cli/ExitCode.h"
#include "cli/StopSignals.h"
#include "cli/Subcommands.h"
#include "cli/TextFile.h"
#include "core/bus/Adapters.h"
#include "core/chips/ProgramVersion.h"

namespace qk::cli {

namespace {

int Refuse(std::ostream& err, const std::string& reason, const std::string& usage) {
    err << "qk3xx-cli: " << reason << "\n" << usage;
    return UsageError;
}

// The subcommand's operands and options as its synopsis allows them.
std::string CheckUsage(const Subcommand& command, const Invocation& call) {
    for (const std::string& flag : call.flags)
        if (std::find(command.options.begin(), command.options.end(), flag) ==
            command.options.end())
            return std::string(command.name) + " takes no option " + flag;
    for (const auto& [name, value] : call.values)
        if (std::find(command.options.begin(), command.options.end(), name) ==
            command.options.end())
            return std::string(command.name) + " takes no option " + name;
    const size_t count = call.operands.size();
    if (count < command.fewestOperands) return std::string(command.name) + " needs more arguments";
    if (count > command.mostOperands) return "too many arguments for " + std::string(command.name);
    return {};
}

// The commands whose first operand is a file, read or (dump) written; "-" is standard output.
struct FileOperand {
    const char* command;
    const char* name;
};
constexpr FileOperand kFileOperands[] = {
    {"run", "SCRIPT"}, {"replay", "DATALOG"}, {"dump", "FILE"},
    {"diff", "FILE"},  {"restore", "FILE"},   {"export", "SNAPSHOT"},
};

// A file named twice on the line (the log over the snapshot it restores, the state over the
// script it runs) would be emptied or overwritten before it is read: the reason, before anything
// is opened for writing.
std::string CheckFilesApart(const Subcommand& command, const Invocation& call) {
    std::vector<std::pair<std::string, std::string>> files;  // {what, path}
    if (!call.bus.logFile.empty()) files.emplace_back("--log", call.bus.logFile);
    if (!call.bus.stateFile.empty()) files.emplace_back("--state", call.bus.stateFile);
    for (const FileOperand& operand : kFileOperands)
        if (command.name == std::string_view(operand.command) && !call.operands.empty() &&
            call.operands[0] != "-")
            files.emplace_back(operand.name, call.operands[0]);
    for (size_t i = 0; i < files.size(); ++i)
        for (size_t j = i + 1; j < files.size(); ++j)
            if (SameFile(files[i].second, files[j].second))
                return files[i].first + " " + files[i].second + " and " + files[j].first + " " +
                       files[j].second + " are the same file: choose another (nothing was written)";
    return {};
}

// A failed write is told and exits 2; a bus error, an unavailable port and a stop keep their code.
int Worse(int outcome, int failure) {
    if (failure == Done || outcome == BusError || outcome == Unavailable) return outcome;
    return failure;
}

// Standard output reaches its file at the end of the run: a failure to write it is told.
int FinishOutput(std::ostream& out, std::ostream& err) {
    out.flush();
    if (out.good()) return Done;
    const auto* descriptor = dynamic_cast<const DescriptorOutput*>(out.rdbuf());
    const std::string reason = descriptor ? descriptor->Reason() : "";
    err << "qk3xx-cli: standard output: " << (reason.empty() ? "cannot be written" : reason)
        << "\n";
    return UsageError;
}

int RunCommand(const std::vector<std::string>& arguments, std::ostream& out, std::ostream& err) {
    const Invocation call = ParseInvocation(
        arguments, [](const std::string& name) { return FindSubcommand(name) != nullptr; });
    if (!call.error.empty()) return Refuse(err, call.error, UsageLine());
    if (call.listAdapters) {
        const ListedAdapters listed = ListAdapters();
        (listed.found ? out : err) << listed.text;
        return listed.found ? Done : Differs;
    }
    if (call.version) {
        out << "qk3xx-cli " << kProgramVersion << "\n";
        return Done;
    }
    std::string name = call.command;
    bool help = call.help;
    if (name == "help") {
        help = true;
        name = call.operands.empty() ? "" : call.operands[0];
    }
    const Subcommand* command = name.empty() ? nullptr : FindSubcommand(name);
    if (!name.empty() && !command)
        return Refuse(err, "'" + name + "' is not a command", UsageLine());
    if (help) {
        out << (command ? SubcommandHelp(*command) : ProgramHelp());
        return Done;
    }
    if (!command) return Refuse(err, "which command?", UsageLine());
    const std::string usage = "Usage: qk3xx-cli [OPTIONS] " + std::string(command->synopsis) + "\n";
    if (const std::string wrong = CheckUsage(*command, call); !wrong.empty())
        return Refuse(err, wrong, usage);
    if (const std::string same = CheckFilesApart(*command, call); !same.empty()) {
        err << "qk3xx-cli: " << same << "\n";
        return UsageError;
    }
    BusSession session(call.bus, err);
    Context context{
        .call = call, .out = out, .err = err, .session = session, .connect = [&session] {
            const int opened = session.Open();
            return opened == Done ? session.FindChip() : opened;
        }};
    int outcome = Done;
    try {
        outcome = command->run(context);
    } catch (const Stopped&) {
        // Between two frames: what was sent is kept (--state) and logged.
    }
    // An adapter unplugged in the middle: the commands saw a bus error, the script sees why.
    if (session.AdapterLost()) outcome = Unavailable;
    const int closed = session.Close();
    if (const int signal = StopSignal(); signal != 0) {
        const int frames = session.FramesSent();
        err << "qk3xx-cli: stopped by " << StopSignalName(signal) << " after " << frames
            << (frames == 1 ? " frame\n" : " frames\n");
        return StopExitCode(signal);
    }
    return Worse(outcome, closed);
}

}  // namespace

int RunCli(const std::vector<std::string>& arguments, std::ostream& out, std::ostream& err) {
    const int outcome = RunCommand(arguments, out, err);
    const int written = FinishOutput(out, err);
    return outcome >= StopExitCode(0) ? outcome : Worse(outcome, written);
}

}  // namespace qk::cli
