#pragma once
#include <memory>
#include <string>

#include "core/bus/AdapterBus.h"

namespace qk {

// The bus master for `choice`, not yet set up; null for Carrier::None.
std::unique_ptr<AdapterBus> MakeAdapterBus(const AdapterChoice& choice, FrameLogSink& log);

// --list-adapters: the i2c-dev adapters, then the FTDI bridges' channels, one line each; `found`
// tells whether there was any. Without any, `text` says what to do.
struct ListedAdapters {
    std::string text;
    bool found = false;
};
ListedAdapters ListAdapters();

}  // namespace qk
