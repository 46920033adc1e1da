#pragma once
#include <cstdint>
#include <string>
#include <vector>

#include "cli/BusSession.h"
#include "cli/Invocation.h"
#include "core/chips/ChipCatalogue.h"

namespace qk::cli {

// A write of `count` bytes from `reg`.
struct RegisterSpan {
    uint8_t reg;
    size_t count;
};

// The chips whose test registers the writes must leave alone: none with --test-registers or when
// no write reaches a test register of any chip; else --chip's, or every chip that gives the ID the
// chip reads (a QK330 and a QK350 read alike). The bus is read only when the ID has to tell; an
// ID no chip gives guards as every chip.
std::vector<const ChipInfo*> ChipsToGuard(const Invocation& call, BusSession& session,
                                          const std::vector<RegisterSpan>& writes);

// Why a write of `count` bytes from `reg` may not go: it reaches a test register of one of
// `chips` ("register 0x7f (Test 1) is a test register of the QK330: writing it needs
// --test-registers"); empty when it may.
std::string TestRegisterRefusal(const std::vector<const ChipInfo*>& chips, uint8_t reg,
                                size_t count);

}  // namespace qk::cli
