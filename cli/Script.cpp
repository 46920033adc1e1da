#include "cli/Script.h"

#include <sstream>

#include "cli/Numbers.h"
#include "cli/TextFile.h"
#include "core/cmdline/NumberRule.h"

namespace qk::cli {

namespace {

using Kind = ScriptCommand::Kind;

// What each command takes: its name, how many numbers at least and at most (0: no limit).
struct CommandForm {
    const char* name;
    Kind kind;
    size_t fewest;
    size_t most;
    const char* usage;
};
constexpr CommandForm kForms[] = {
    {"w", Kind::Write, 2, 0, "w REG BYTE..."},
    {"r", Kind::Read, 1, 3, "r REG [EXPECT [MASK]]"},
    {"d", Kind::Delay, 1, 1, "d MS"},
    {"wait", Kind::Wait, 3, 4, "wait REG MASK VALUE [TIMEOUT_MS]"},
};

std::vector<std::string> Words(const std::string& line) {
    std::istringstream in(line.substr(0, line.find('#')));
    std::vector<std::string> words;
    for (std::string word; in >> word;) words.push_back(word);
    return words;
}

// What the word at `position` (from 1) of a command is: a time in milliseconds, or the kind of
// hexadecimal number.
const cmdline::HexKind* WordKind(Kind kind, size_t position) {
    switch (kind) {
        case Kind::Write:
            return position == 1 ? &cmdline::kRegisterNumber : &cmdline::kValueNumber;
        case Kind::Read:
            return position == 1   ? &cmdline::kRegisterNumber
                   : position == 2 ? &cmdline::kValueNumber
                                   : &cmdline::kMaskNumber;
        case Kind::Delay:
            return nullptr;
        case Kind::Wait:
            return position == 1   ? &cmdline::kRegisterNumber
                   : position == 2 ? &cmdline::kMaskNumber
                   : position == 3 ? &cmdline::kValueNumber
                                   : nullptr;
    }
    return nullptr;
}

// Fills `command` from the words after the name; the reason when a word is not a number.
std::string Fill(const std::vector<std::string>& words, ScriptCommand& command) {
    std::vector<uint32_t> numbers;
    for (size_t i = 1; i < words.size(); ++i) {
        const cmdline::HexKind* hex = WordKind(command.kind, i);
        if (!hex) {
            const auto value = cmdline::ReadDecimal(words[i], ScriptCommand::LongestDelayMs);
            if (!value) return "'" + words[i] + "' is not a time from 0 to 600000 ms (decimal)";
            numbers.push_back(*value);
            continue;
        }
        const cmdline::ReadNumber value = cmdline::ReadHex(words[i], *hex);
        if (!value.value) return value.error;
        numbers.push_back(*value.value);
    }
    const auto byte = [&](size_t i) { return static_cast<uint8_t>(numbers[i]); };
    switch (command.kind) {
        case Kind::Write:
            command.reg = byte(0);
            for (size_t i = 1; i < numbers.size(); ++i) command.bytes.push_back(byte(i));
            break;
        case Kind::Read:
            command.reg = byte(0);
            command.expects = numbers.size() > 1;
            if (command.expects) command.expected = byte(1);
            if (numbers.size() > 2) command.mask = byte(2);
            break;
        case Kind::Delay:
            command.milliseconds = numbers[0];
            break;
        case Kind::Wait:
            command.reg = byte(0);
            command.mask = byte(1);
            command.expected = byte(2);
            command.milliseconds = numbers.size() > 3 ? numbers[3] : ScriptCommand::DefaultWaitMs;
            break;
    }
    if ((command.kind == Kind::Read && command.expects) || command.kind == Kind::Wait) {
        if (command.expected & ~command.mask)
            return "the value has bits outside the mask: it can never match";
    }
    return {};
}

}  // namespace

Script ParseScript(const std::string& fileName, const std::vector<std::string>& lines) {
    Script script;
    for (size_t index = 0; index < lines.size(); ++index) {
        const std::vector<std::string> words = Words(lines[index]);
        if (words.empty()) continue;
        const auto refuse = [&](const std::string& reason) {
            script.commands.clear();
            script.error = LineError(fileName, index + 1, lines[index], reason);
            return script;
        };
        const CommandForm* form = nullptr;
        for (const CommandForm& candidate : kForms)
            if (words[0] == candidate.name) form = &candidate;
        if (!form) return refuse("'" + words[0] + "' is not a command (w, r, d, wait or #)");
        const size_t count = words.size() - 1;
        if (count < form->fewest || (form->most && count > form->most))
            return refuse(std::string("expected ") + form->usage);
        ScriptCommand command;
        command.kind = form->kind;
        command.line = index + 1;
        command.text = lines[index];
        if (const std::string reason = Fill(words, command); !reason.empty()) return refuse(reason);
        script.commands.push_back(std::move(command));
    }
    return script;
}

std::string ScriptWriteLine(uint8_t reg, const std::vector<uint8_t>& bytes) {
    std::string line = "w ";
    line += Hex(reg);
    for (uint8_t byte : bytes) {
        line += ' ';
        line += Hex(byte);
    }
    return line;
}

}  // namespace qk::cli
