#pragma once

namespace qk::cli {

// What qk3xx-cli tells the script that ran it.
enum ExitCode : int {
    Done = 0,
    Differs = 1,      // a difference, a failed expectation, or no chip
    UsageError = 2,   // usage, script or file error
    BusError = 3,     // no acknowledge, clock held, line held low
    Unavailable = 4,  // the port or adapter cannot be opened or claimed
};

}  // namespace qk::cli
