// qk3xx: the tool on the PC's parallel port LPT1, or on a Linux I2C adapter.
//   qk3xx                        the parallel port /dev/parport0
//   qk3xx --i2c-dev /dev/i2c-N   the I2C adapter N; the parallel port is left alone
//   qk3xx --list-adapters        prints the I2C adapters and exits
#include <QApplication>
#include <cstdio>
#include <memory>

#include "app/CommandLine.h"
#include "app/Program.h"
#include "link/I2cAdapters.h"
#include "link/PpdevPort.h"

namespace {

constexpr int UsageError = 2;

}  // namespace

int main(int argc, char** argv) {
    const qk::CommandLine line = qk::ParseCommandLine({argv + 1, argv + argc});
    if (!line.error.empty()) {
        std::fprintf(stderr, "%s\n", line.error.c_str());
        return UsageError;
    }
    if (line.listAdapters) {
        const auto adapters = qk::ListI2cAdapters();
        std::fputs(qk::AdapterListing(adapters).c_str(), adapters.empty() ? stderr : stdout);
        return adapters.empty() ? EXIT_FAILURE : EXIT_SUCCESS;
    }
    QApplication app(argc, argv);
    qk::InitialiseApplication();
    // On an adapter the parallel port is never opened, so its missing-port message cannot appear.
    std::unique_ptr<qk::PortIo> port;
    if (line.adapterDevice.empty())
        port = std::make_unique<qk::PpdevPort>("/dev/parport0");
    else
        port = std::make_unique<qk::UnusedPort>();
    qk::Program program(*port, line.adapterDevice);
    program.Show();
    return app.exec();
}
