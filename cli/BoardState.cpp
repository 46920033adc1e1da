#include "cli/BoardState.h"

#include <sys/stat.h>

#include <sstream>

#include "cli/Numbers.h"
#include "cli/TextFile.h"
#include "snapshot/SnapshotFile.h"

namespace qk::cli {

std::string LoadBoardState(const std::string& path, board::VirtualBoard& board) {
    struct stat status {};
    if (stat(path.c_str(), &status) != 0 && errno == ENOENT) return {};
    const TextFile file = ReadTextFile(path);
    if (!file.error.empty()) return file.error;
    board::VirtualBoard loaded = board;
    for (size_t index = 0; index < file.lines.size(); ++index) {
        const std::string& line = file.lines[index];
        const std::string content = line.substr(0, line.find('#'));
        std::istringstream words(content);
        std::string address, value, rest;
        if (!(words >> address)) continue;
        words >> value >> rest;
        const auto sub =
            address.ends_with(':') ? ParseByte("0x" + address.substr(0, 2)) : std::nullopt;
        const auto byte = value.empty() ? std::nullopt : ParseByte("0x" + value);
        if (address.size() != 3 || !sub || value.size() != 2 || !byte || !rest.empty())
            return LineError(path, index + 1, line, "not a register line \"hh: hh\"");
        if (!loaded.HasRegister(*sub))
            return LineError(path, index + 1, line, "the board's chip has no such register");
        loaded.SetRegister(*sub, *byte);
    }
    board = loaded;
    return {};
}

std::string SaveBoardState(const std::string& path, const board::VirtualBoard& board) {
    std::string text = "# qk3xx-cli virtual board\n";
    for (const auto& [sub, value] : board.ListRegisters())
        text += HexDigits(sub) + ": " + HexDigits(value) + "\n";
    return SaveTextFile(path, text);
}

}  // namespace qk::cli
