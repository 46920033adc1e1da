#pragma once
#include <chrono>
#include <cstdint>
#include <string>
#include <vector>

#include "board/WirePhases.h"
#include "tests/support/EmulatedFtdiDevice.h"

namespace qk::test {

// FTDI USB bridges with MPSSE engines, emulated inside this test process behind libftdi1's own
// interface: the test executable defines the libftdi and libusb functions the bus master calls
// (tests/support/EmulatedFtdi.cpp), so the program runs its real code against these devices and
// never reaches a real USB device. Each interface's engine runs the command stream at pin level
// (tests/support/MpsseEngine.h) on the board wired to it, on a modelled clock: nothing sleeps
// but a read that finds no answers, which waits for the latency timer as the chip makes it wait.
// While no EmulatedFtdi lives, that executable finds no device at all.
//
// libftdi 1.5's rules as modelled: ftdi_usb_find_all(ctx, list, 0, 0) lists 0403:6001, 6010,
// 6011, 6014 and 6015, other pairs exactly; ftdi_usb_open_dev sets ctx->type from bcdDevice
// (0x0500 TYPE_2232C, 0x0700 TYPE_2232H, 0x0800 TYPE_4232H, 0x0900 TYPE_232H) and refuses an
// interface the chip lacks; MPSSE mode exists on interfaces A and B only (A alone on the
// FT232H); each refusal gives libftdi's code and text (ftdi_get_error_string). Closing a context
// leaves the engine as it was, as the chip does.
class EmulatedFtdi {
  public:
    using Device = EmulatedFtdiDevice;

    // Plugs the devices in until this object dies. Only one may exist at a time.
    explicit EmulatedFtdi(std::vector<Device> devices);
    ~EmulatedFtdi();
    EmulatedFtdi(const EmulatedFtdi&) = delete;
    EmulatedFtdi& operator=(const EmulatedFtdi&) = delete;

    // Faults and model, set by a test at any time.
    // Unplugs the device that runs the next `bytes` command bytes once it has run them: a write
    // that goes past them runs them and fails; one that ends on them succeeds and the device is
    // gone after it (0: the next write fails, running nothing).
    static void VanishAfterBytes(long bytes);
    static void SetSdaInTied(bool tied);  // false: AD2 is not wired to SDA and reads high
    static void SetRoundTrip(std::chrono::microseconds modelled);  // the USB round trip (0)

    // What it saw since it was installed.
    static long RoundTrips();  // reads that came after one or more writes, each counted once
    static long CommandBytes();
    // The engines' time for every command run, plus a round trip for each of RoundTrips() and
    // the latency timer for each read that only the timer answered (no 0x87).
    static double ModelledSeconds();
    static board::WirePhases Phases();  // the line phases on the modelled clock
    // Wire faults: a pin driving high push-pull while the board holds its line low.
    static std::vector<std::string> Failures();
};

}  // namespace qk::test
