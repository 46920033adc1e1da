#pragma once
#include <functional>
#include <ostream>
#include <string>

#include "cli/BusSession.h"
#include "cli/Invocation.h"

namespace qk::cli {

// What a subcommand works with: its command line, its streams (data on `out`, messages on `err`)
// and the bus, opened only when the subcommand asks for it, after it has checked its files.
struct Context {
    const Invocation& call;
    std::ostream& out;
    std::ostream& err;
    BusSession& session;
    // Opens the bus and finds the chip's address: Done, or the exit code with the reason told.
    std::function<int()> connect;

    // A message for the user on the error stream, unless --quiet.
    void Note(const std::string& text) const {
        if (!call.quiet) err << text << "\n";
    }
    // A refusal or failure, always told.
    void Fail(const std::string& text) const { err << "qk3xx-cli: " << text << "\n"; }
};

// The subcommands; each returns its exit code.
int Detect(Context& context);
int Get(Context& context);
int Set(Context& context);
int Run(Context& context);
int Replay(Context& context);
int Dump(Context& context);
int Diff(Context& context);
int Restore(Context& context);
int Export(Context& context);

}  // namespace qk::cli
