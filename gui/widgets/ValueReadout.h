#pragma once
#include <string>

class QLabel;

namespace qk {

// Shows a conversion's text in a readout. A value that is no code ("invalid code 2000h") reads
// "invalid", which fits the narrowest readout; the whole text is the readout's tooltip, and the
// hex readout beside it shows the value.
void ShowValueText(QLabel* readout, const std::string& text);

}  // namespace qk
