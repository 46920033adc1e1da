#include "app/CommandLine.h"

namespace qk {

namespace {

constexpr const char* AdapterOption = "--i2c-dev";
constexpr const char* ListOption = "--list-adapters";

}  // namespace

CommandLine ParseCommandLine(const std::vector<std::string>& arguments) {
    CommandLine line;
    for (size_t i = 0; i < arguments.size(); ++i) {
        if (arguments[i] == ListOption) {
            line.listAdapters = true;
        } else if (arguments[i] == AdapterOption) {
            if (i + 1 >= arguments.size() || arguments[i + 1].starts_with("-")) {
                line.error = std::string(AdapterOption) +
                             " needs the adapter's device, e.g. --i2c-dev /dev/i2c-1 (" +
                             ListOption + " shows the adapters)";
                return line;
            }
            line.adapterDevice = arguments[++i];
        }
    }
    return line;
}

}  // namespace qk
