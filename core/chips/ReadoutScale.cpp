#include "core/chips/ReadoutScale.h"

#include <algorithm>
#include <cctype>
#include <charconv>
#include <cmath>

namespace qk {

namespace {

bool SameWord(std::string_view a, std::string_view b) {
    return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) {
               return std::toupper(static_cast<unsigned char>(x)) ==
                      std::toupper(static_cast<unsigned char>(y));
           });
}

}  // namespace

std::optional<double> LeadingValue(std::string_view text) {
    // from_chars takes no "+" of its own; a sign after it makes no number.
    if (!text.empty() && text.front() == '+') {
        text.remove_prefix(1);
        if (!text.empty() && text.front() == '-') return std::nullopt;
    }
    double value = 0.0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (error != std::errc() || !std::isfinite(value)) return std::nullopt;
    return value;
}

std::optional<int> ScaleMarkPosition(std::string_view mark, int first, int last,
                                     const std::function<std::string(int position)>& readout) {
    const std::optional<double> value = LeadingValue(mark);
    std::optional<int> best;
    double bestDistance = INFINITY;
    for (int position = first; position <= last; ++position) {
        const std::string shown = readout(position);
        if (!value) {
            if (SameWord(shown, mark)) return position;
            continue;
        }
        const std::optional<double> shownValue = LeadingValue(shown);
        if (!shownValue) continue;
        const double distance = std::abs(*shownValue - *value);
        if (distance < bestDistance) {
            bestDistance = distance;
            best = position;
        }
    }
    return best;
}

}  // namespace qk
