#pragma once
#include <string>

namespace qk {

// Numbers as the readouts show them: "." whatever the locale, and no sign on a value that shows
// as zero at its precision ("0.0000%", never "-0.0000%"; "-0.00004" at 4 places is "0.0000").

// The value in fixed notation with `decimals` places: 1.5 at 2 places is "1.50".
std::string FixedDecimalText(double value, int decimals);
// A count of 10^-decimals steps in fixed notation, exactly: -1234 at 2 places is "-12.34".
std::string ScaledDecimalText(long long steps, int decimals);
// Up to `significantDigits` significant digits without trailing zeros: "0.5", "1e-20".
std::string GeneralDecimalText(double value, int significantDigits);

}  // namespace qk
