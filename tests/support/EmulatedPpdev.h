#pragma once
#include <chrono>

#include "core/bus/Port.h"

namespace qk::test {

// The Linux ppdev driver's character-device interface, emulated inside this test process (see
// tests/support/DeviceFile.h): the program's own system calls on the emulated device's path are
// answered here as the driver answers them.
//
// The driver's rules as modelled:
// - every request but PPCLAIM fails with EINVAL until the file has claimed the port; claiming
//   twice is EINVAL; a second file's claim while another holds the port sleeps until the holder
//   releases it (PPRELEASE or close), and a signal caught meanwhile ends the sleep with EINTR;
// - PPWCONTROL keeps bits 0..3 and PPRCONTROL returns them; PPWDATA and PPRSTATUS/PPRDATA reach
//   the pins; closing a file releases its claim;
// - requests are compared as the kernel's 32-bit command numbers, so one that went through a
//   signed int still matches.
class EmulatedPpdev {
  public:
    static constexpr const char* Path = "/dev/parport0";

    enum class Node {
        Present,    // a parallel port with `pins` behind it
        Missing,    // no device file: open() gives ENOENT
        Forbidden,  // the user may not open it: EACCES
        NoPort,     // the device file exists, but no port is behind it: PPCLAIM gives ENXIO
    };

    // Installs the device until this object dies. Only one may exist at a time.
    explicit EmulatedPpdev(PortIo& pins, Node node = Node::Present);
    ~EmulatedPpdev();
    EmulatedPpdev(const EmulatedPpdev&) = delete;
    EmulatedPpdev& operator=(const EmulatedPpdev&) = delete;

    // Status-register reads the driver has answered since installation.
    static long StatusReads();
    // Returns true once a claim is asleep waiting for the port; false if none has slept within
    // `patience` (a guard against a test that would otherwise never end).
    static bool AwaitSleepingClaim(std::chrono::seconds patience = std::chrono::seconds(10));
};

}  // namespace qk::test
