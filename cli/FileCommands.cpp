// run and replay: frames from a file, every line checked before the first is sent.
#include <chrono>

#include "cli/Context.h"
#include "cli/DatalogFrames.h"
#include "cli/ExitCode.h"
#include "cli/Numbers.h"
#include "cli/Script.h"
#include "cli/StopSignals.h"
#include "cli/TestRegisters.h"
#include "cli/TextFile.h"

namespace qk::cli {

namespace {

using Kind = ScriptCommand::Kind;
using SteadyClock = std::chrono::steady_clock;

// Between the reads of a wait: the chip is not polled faster than this.
constexpr auto WaitPollInterval = std::chrono::milliseconds(1);

std::string ReadLine(uint8_t reg, uint8_t value) {
    return HexDigits(reg) + ": " + HexDigits(value);
}

// Runs one command; Done, or the exit code with the reason told.
int Execute(const Context& context, const std::string& fileName, const ScriptCommand& command) {
    BusSession& session = context.session;
    const auto failed = [&](const std::string& reason) {
        context.Fail(LineError(fileName, command.line, command.text, reason));
        return Differs;
    };
    switch (command.kind) {
        case Kind::Write:
            session.Master().I2cWriteSub(session.Address(), command.reg, command.bytes.data(),
                                         int(command.bytes.size()));
            return session.Outcome();
        case Kind::Read: {
            const uint8_t value = session.Registers().ReadRegister(command.reg);
            if (session.Outcome() != Done) return BusError;
            context.out << ReadLine(command.reg, value) << "\n";
            if (command.expects && (value & command.mask) != command.expected)
                return failed("read " + Hex(value) + ", expected " + Hex(command.expected) +
                              " under the mask " + Hex(command.mask));
            return Done;
        }
        case Kind::Delay:
            SleepUnlessStopped(std::chrono::milliseconds(command.milliseconds));
            return Done;
        case Kind::Wait: {
            const SteadyClock::time_point deadline =
                SteadyClock::now() + std::chrono::milliseconds(command.milliseconds);
            for (;;) {
                const uint8_t value = session.Registers().ReadRegister(command.reg);
                if (session.Outcome() != Done) return BusError;
                if ((value & command.mask) == command.expected) return Done;
                if (SteadyClock::now() >= deadline)
                    return failed("still " + Hex(value) + " after " +
                                  std::to_string(command.milliseconds) + " ms");
                SleepUnlessStopped(WaitPollInterval);
            }
        }
    }
    return Done;
}

}  // namespace

int Run(Context& context) {
    const std::string& fileName = context.call.operands[0];
    const TextFile file = ReadTextFile(fileName);
    if (!file.error.empty()) {
        context.Fail(file.error);
        return UsageError;
    }
    const Script script = ParseScript(fileName, file.lines);
    if (!script.error.empty()) {
        context.Fail(script.error + " (nothing was sent)");
        return UsageError;
    }
    if (const int found = context.connect(); found != Done) return found;
    std::vector<RegisterSpan> writes;
    for (const ScriptCommand& command : script.commands)
        if (command.kind == Kind::Write) writes.push_back({command.reg, command.bytes.size()});
    const std::vector<const ChipInfo*> guarded =
        ChipsToGuard(context.call, context.session, writes);
    if (context.session.Outcome() != Done) return BusError;
    for (const ScriptCommand& command : script.commands) {
        if (command.kind != Kind::Write) continue;
        const std::string refusal = TestRegisterRefusal(guarded, command.reg, command.bytes.size());
        if (refusal.empty()) continue;
        context.Fail(LineError(fileName, command.line, command.text, refusal) +
                     " (nothing was sent)");
        return UsageError;
    }
    for (const ScriptCommand& command : script.commands) {
        const int outcome = Execute(context, fileName, command);
        if (outcome == BusError)
            context.Fail("stopped at " +
                         LineError(fileName, command.line, command.text, "a bus error"));
        if (outcome != Done) return outcome;
    }
    return Done;
}

int Replay(Context& context) {
    const std::string& fileName = context.call.operands[0];
    const TextFile file = ReadTextFile(fileName);
    if (!file.error.empty()) {
        context.Fail(file.error);
        return UsageError;
    }
    const LoggedFrames log = ParseDatalog(fileName, file.lines);
    if (!log.error.empty()) {
        context.Fail(log.error + " (nothing was sent)");
        return UsageError;
    }
    if (const int found = context.connect(); found != Done) return found;
    BusSession& session = context.session;
    if (!context.call.flags.contains("--any-address")) {
        for (const LoggedFrame& frame : log.frames) {
            if (frame.address == session.Address()) continue;
            context.Fail(LineError(fileName, frame.line, frame.text,
                                   "a frame to " + Hex(uint8_t(frame.address >> 1)) +
                                       ", not to the chip at " +
                                       Hex(uint8_t(session.Address() >> 1))) +
                         " (nothing was sent; --any-address sends it)");
            return UsageError;
        }
    }
    std::vector<RegisterSpan> writes;
    for (const LoggedFrame& frame : log.frames)
        if (!frame.IsRead() && !frame.bytes.empty() && frame.address == session.Address())
            writes.push_back({frame.bytes[0], frame.bytes.size() - 1});
    const std::vector<const ChipInfo*> guarded =
        ChipsToGuard(context.call, context.session, writes);
    if (session.Outcome() != Done) return BusError;
    for (const LoggedFrame& frame : log.frames) {
        if (frame.IsRead() || frame.bytes.empty() || frame.address != session.Address()) continue;
        const std::string refusal =
            TestRegisterRefusal(guarded, frame.bytes[0], frame.bytes.size() - 1);
        if (refusal.empty()) continue;
        context.Fail(LineError(fileName, frame.line, frame.text, refusal) + " (nothing was sent)");
        return UsageError;
    }
    for (const LoggedFrame& frame : log.frames) {
        // An acknowledge error names the address the frame went to.
        session.AimAt(frame.address);
        if (frame.IsRead()) {
            uint8_t value = 0;
            session.Master().I2cRead(frame.address, frame.bytes[0], &value, 1);
            if (session.Outcome() == Done) context.out << ReadLine(frame.bytes[0], value) << "\n";
        } else {
            session.Master().I2cWrite(frame.address, frame.bytes.data(), int(frame.bytes.size()));
        }
        if (session.Outcome() != Done) {
            context.Fail("stopped at " +
                         LineError(fileName, frame.line, frame.text, "a bus error"));
            return BusError;
        }
    }
    session.AimAt(std::nullopt);
    context.Note("Replayed " + std::to_string(log.frames.size()) + " frames of " + fileName + ".");
    return Done;
}

}  // namespace qk::cli
