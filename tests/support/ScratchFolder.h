#pragma once
#include <sys/stat.h>
#include <sys/sysmacros.h>
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

// Character devices of the kernel's memory driver, made as the test's own nodes so that no test
// opens the system's: the null device (reads nothing, takes everything) and the full one (every
// write fails with ENOSPC).
enum class MemoryDevice { Null = 3, Full = 7 };

// Makes the node at `path`; false where the process may not (not root).
inline bool MakeMemoryDevice(const std::filesystem::path& path, MemoryDevice device) {
    constexpr unsigned MemoryMajor = 1;
    return ::mknod(path.c_str(), S_IFCHR | 0666, makedev(MemoryMajor, unsigned(device))) == 0;
}

}  // namespace qk::test
