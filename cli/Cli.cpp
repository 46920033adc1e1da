#include "cli/Cli.h"

#include <algorithm>

#include "chips/ProgramVersion.h"
#include "cli/ExitCode.h"
#include "cli/Subcommands.h"

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

}  // namespace

int RunCli(const std::vector<std::string>& arguments, std::ostream& out, std::ostream& err) {
    const Invocation call = ParseInvocation(arguments);
    if (!call.error.empty()) return Refuse(err, call.error, UsageLine());
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
    BusSession session(call.bus, err);
    const bool detect = command->run == &Detect;
    Context context{
        .call = call, .out = out, .err = err, .session = session, .connect = [&session, detect] {
            const int opened = session.Open();
            return opened == Done ? session.FindChip(detect) : opened;
        }};
    const int outcome = command->run(context);
    const int closed = session.Close();
    return outcome == Done ? closed : outcome;
}

}  // namespace qk::cli
