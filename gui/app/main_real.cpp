// qk3xx: the tool on the PC's parallel port LPT1, or on a Linux I2C adapter.
//   qk3xx                        the parallel port /dev/parport0
//   qk3xx --i2c-dev /dev/i2c-N   the I2C adapter N; the parallel port is left alone
//   qk3xx --ftdi [SELECTOR]      an FTDI bridge's MPSSE engine; the parallel port is left alone
//   qk3xx --list-adapters        prints the I2C adapters and FTDI bridges and exits
//   qk3xx --help, --version
#include <QApplication>
#include <cstdio>
#include <iostream>
#include <memory>

#include "core/bus/Adapters.h"
#include "core/bus/PpdevPort.h"
#include "gui/app/CommandLine.h"
#include "gui/app/Program.h"

namespace {

constexpr const char* kProgramName = "qk3xx";

}  // namespace

int main(int argc, char** argv) {
    // The options are read before Qt starts, so that --help and mistakes need no display.
    const qk::ParsedCommandLine parsed = qk::ParseCommandLine({argv + 1, argv + argc});
    if (const auto status =
            qk::cmdline::Conclude(parsed.outcome, parsed.error, kProgramName,
                                  qk::CommandLineHelp(kProgramName), std::cout, std::cerr))
        return *status;
    const qk::CommandLine& line = parsed.options;
    if (line.listAdapters) {
        const qk::ListedAdapters listed = qk::ListAdapters();
        std::FILE* stream = listed.found ? stdout : stderr;
        if (std::fputs(listed.text.c_str(), stream) == EOF || std::fflush(stream) != 0) {
            std::perror("qk3xx: --list-adapters");
            return qk::cmdline::ExitUsage;
        }
        return listed.found ? qk::cmdline::ExitSuccess : qk::cmdline::ExitFailure;
    }
    if (const auto status =
            qk::cmdline::RequireGraphicalSession(kProgramName, parsed.platformChosen, std::cerr))
        return *status;
    QApplication app(argc, argv);
    qk::InitialiseApplication();
    // On an adapter the parallel port is never opened, so its missing-port message cannot appear.
    std::unique_ptr<qk::PortIo> port;
    if (line.adapter.carrier == qk::AdapterChoice::Carrier::None)
        port = std::make_unique<qk::PpdevPort>("/dev/parport0");
    else
        port = std::make_unique<qk::UnusedPort>();
    qk::Program program(*port, line.adapter);
    program.Show();
    return app.exec();
}
