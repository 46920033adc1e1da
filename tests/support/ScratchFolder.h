#pragma once
#include <unistd.h>

#include <filesystem>
#include <string>

namespace qk::test {

// A folder of this test process's own under the system's temporary folder: the shards of one test
// program run at the same time, and must not share (or remove) each other's files.
inline std::filesystem::path ScratchFolder(const std::string& name) {
    return std::filesystem::temp_directory_path() /
           ("qk-" + name + "-" + std::to_string(::getpid()));
}

}  // namespace qk::test
