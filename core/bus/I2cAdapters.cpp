#include "core/bus/I2cAdapters.h"

#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <fstream>

namespace qk {

namespace {

constexpr std::string_view EntryPrefix = "i2c-";
constexpr int NameColumnWidth = 32;

bool ParseNumber(const std::string& text, int& number) {
    if (text.empty() || !std::all_of(text.begin(), text.end(), ::isdigit)) return false;
    number = std::stoi(text);
    return true;
}

}  // namespace

std::vector<I2cAdapter> ListI2cAdapters(const std::string& classDirectory) {
    std::vector<I2cAdapter> adapters;
    std::error_code error;
    for (const auto& entry : std::filesystem::directory_iterator(classDirectory, error)) {
        const std::string file = entry.path().filename().string();
        I2cAdapter adapter;
        if (!file.starts_with(EntryPrefix) ||
            !ParseNumber(file.substr(EntryPrefix.size()), adapter.number))
            continue;
        std::ifstream nameFile(entry.path() / "name");
        std::getline(nameFile, adapter.name);
        adapters.push_back(adapter);
    }
    std::sort(adapters.begin(), adapters.end(),
              [](const I2cAdapter& a, const I2cAdapter& b) { return a.number < b.number; });
    return adapters;
}

std::string AdapterListing(const std::vector<I2cAdapter>& adapters) {
    if (adapters.empty())
        return "No I2C adapter found. Load the I2C device driver (modprobe i2c-dev, as root) and "
               "plug in the adapter.\n";
    std::string listing;
    for (const I2cAdapter& adapter : adapters) {
        char line[256];
        std::snprintf(line, sizeof line, "i2c-%d\t%-*s\t%s\n", adapter.number, NameColumnWidth,
                      adapter.name.c_str(), adapter.Device().c_str());
        listing += line;
    }
    return listing;
}

}  // namespace qk
