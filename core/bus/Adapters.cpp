#include "core/bus/Adapters.h"

#include <ftdi.h>

#include "core/bus/FtdiBus.h"
#include "core/bus/FtdiDevices.h"
#include "core/bus/I2cAdapters.h"
#include "core/bus/I2cDevBus.h"

namespace qk {

std::unique_ptr<AdapterBus> MakeAdapterBus(const AdapterChoice& choice, FrameLogSink& log) {
    switch (choice.carrier) {
        case AdapterChoice::Carrier::I2cDev:
            return std::make_unique<I2cDevBus>(choice.device, log);
        case AdapterChoice::Carrier::Ftdi:
            return std::make_unique<FtdiBus>(choice.device, log, choice.speed);
        case AdapterChoice::Carrier::None:
            break;
    }
    return nullptr;
}

ListedAdapters ListAdapters() {
    const std::vector<I2cAdapter> adapters = ListI2cAdapters();
    ListedAdapters listing{.text = adapters.empty() ? "" : AdapterListing(adapters),
                           .found = !adapters.empty()};
    std::string ftdiLines, ftdiProblem = NoFtdiDeviceText();
    if (ftdi_context* context = ftdi_new()) {
        const FtdiScan scan(context);
        ftdiLines = scan.Listing();
        if (!scan.Error().empty()) ftdiProblem = "FTDI bridges: " + scan.Error();
        ftdi_free(context);
    } else {
        ftdiProblem = "FTDI bridges: the USB library could not start.";
    }
    listing.text += ftdiLines;
    listing.found = listing.found || !ftdiLines.empty();
    if (!listing.found) listing.text = AdapterListing(adapters) + ftdiProblem + "\n";
    return listing;
}

}  // namespace qk
