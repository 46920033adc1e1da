#include <dlfcn.h>
#include <ftdi.h>
#include <gtest/gtest.h>
#include <libusb.h>

#include <algorithm>
#include <cstdio>
#include <optional>

#include "board/VirtualBoard.h"
#include "tests/support/EmulatedFtdi.h"

namespace qk::test {
namespace {

using board::Fault;
using Bytes = std::vector<uint8_t>;
using Device = EmulatedFtdi::Device;

constexpr uint16_t FT232H = 0x0900, FT2232H = 0x0700, FT4232H = 0x0800, FT2232D = 0x0500;

Device Bridge(uint16_t bcdDevice, PortIo* pins = nullptr) {
    constexpr struct {
        uint16_t bcdDevice, product;
    } products[] = {{FT232H, 0x6014}, {FT2232H, 0x6010}, {FT4232H, 0x6011}, {FT2232D, 0x6010}};
    Device device{.bcdDevice = bcdDevice, .pins = pins};
    for (const auto& p : products)
        if (p.bcdDevice == bcdDevice) device.product = p.product;
    return device;
}

// A libftdi context opened on the first device libftdi's default search lists.
struct Opened {
    explicit Opened(ftdi_interface interface = INTERFACE_A) {
        ftdi_set_interface(ftdi, interface);
        ftdi_device_list* list = nullptr;
        ftdi_usb_find_all(ftdi, &list, 0, 0);
        result = ftdi_usb_open_dev(ftdi, list ? list->dev : nullptr);
        ftdi_list_free(&list);
    }
    ~Opened() {
        ftdi_usb_close(ftdi);
        ftdi_free(ftdi);
    }
    // MPSSE mode, answers waiting at most 1 ms for the latency timer.
    void Mpsse() {
        EXPECT_EQ(ftdi_set_latency_timer(ftdi, 1), 0);
        EXPECT_EQ(ftdi_set_bitmode(ftdi, 0, BITMODE_MPSSE), 0);
    }
    int Write(const Bytes& bytes) {
        return ftdi_write_data(ftdi, bytes.data(), static_cast<int>(bytes.size()));
    }
    Bytes Read() {
        Bytes answers(64);
        const int got = ftdi_read_data(ftdi, answers.data(), static_cast<int>(answers.size()));
        answers.resize(static_cast<size_t>(std::max(got, 0)));
        return answers;
    }
    std::string Error() const { return ftdi_get_error_string(ftdi); }

    ftdi_context* ftdi = ftdi_new();
    int result = 0;
};

TEST(FtdiEmulation, TakesLibftdisCallsAndListsItsDevices) {
    EmulatedFtdi bridges({
        Bridge(FT232H),
        {.product = 0x6010,
         .bcdDevice = FT2232H,
         .description = "Dual RS232-HS",
         .bus = 3,
         .address = 9},
        {.vendor = 0x1234, .product = 0x5678, .serial = "OTHER"},
    });
    const auto list = [](int vendor, int product) {
        ftdi_context* ftdi = ftdi_new();
        ftdi_device_list* devices = nullptr;
        std::vector<std::string> seen{
            std::to_string(ftdi_usb_find_all(ftdi, &devices, vendor, product))};
        for (ftdi_device_list* node = devices; node; node = node->next) {
            libusb_device_descriptor d{};
            EXPECT_EQ(libusb_get_device_descriptor(node->dev, &d), 0);
            char maker[16], description[16], serial[4], line[96];
            EXPECT_EQ(ftdi_usb_get_strings(ftdi, node->dev, maker, sizeof maker, description,
                                           sizeof description, serial, sizeof serial),
                      0);
            std::snprintf(line, sizeof line, "%04x:%04x %04x %d/%d %s %s %s", d.idVendor,
                          d.idProduct, d.bcdDevice, libusb_get_bus_number(node->dev),
                          libusb_get_device_address(node->dev), maker, description, serial);
            seen.emplace_back(line);
        }
        ftdi_list_free(&devices);
        EXPECT_EQ(devices, nullptr);
        ftdi_free(ftdi);
        return seen;
    };
    using Texts = std::vector<std::string>;
    EXPECT_EQ(list(0, 0), (Texts{"2", "0403:6014 0900 1/5 FTDI Single RS232-HS FT1",
                                 "0403:6010 0700 3/9 FTDI Dual RS232-HS FT1"}));
    EXPECT_EQ(list(0x1234, 0x5678), (Texts{"1", "1234:5678 0900 1/5 FTDI Single RS232-HS OTH"}));
    // Every libftdi call of the executable is the emulation's: it never even loads libftdi1.
    EXPECT_EQ(dlopen("libftdi1.so.2", RTLD_LAZY | RTLD_NOLOAD), nullptr)
        << "a libftdi function the emulation lacks is called";
}

struct AnswerCase {
    const char* name;
    uint16_t bcdDevice;
    Fault fault;
    bool sdaInTied;
    std::vector<Bytes> writes;
    Bytes answers;
};

TEST(FtdiEmulation, AnswersAsTheEngine) {
    const AnswerCase cases[] = {
        {"BadCommand", FT232H, Fault::None, true, {{0xAA, 0x87}}, {0xFA, 0xAA}},
        {"DriveZeroOnlyOnFT232H",
         FT2232H,
         Fault::None,
         true,
         {{0x9E, 0x03, 0x00, 0x87}},
         {0xFA, 0x9E, 0xFA, 0x03, 0xFA, 0x00}},
        {"FT2232DLacksHighSpeedCommands", FT2232D, Fault::None, true, {{0x8A, 0x87}}, {0xFA, 0x8A}},
        {"IdleLinesReadHigh", FT232H, Fault::None, true, {{0x9E, 0x03, 0x00, 0x81, 0x87}}, {0xFF}},
        {"SdaHeldLowOnAd1AndAd2", FT232H, Fault::SdaStuckLow, true, {{0x81, 0x87}}, {0xF9}},
        {"Ad2UntiedReadsHigh", FT232H, Fault::SdaStuckLow, false, {{0x81, 0x87}}, {0xFD}},
        {"CommandSplitAcrossWrites",
         FT2232H,
         Fault::None,
         true,
         {{0x80, 0x00}, {0x01, 0x81, 0x83, 0x87}},
         {0xFE, 0xFF}},
        {"BitReadOfTheLine", FT232H, Fault::None, true, {{0x22, 0x00, 0x87}}, {0x01}},
        {"LoopbackReadsTdi", FT232H, Fault::None, true, {{0x84, 0x22, 0x00, 0x87}}, {0x00}},
    };
    for (const AnswerCase& c : cases) {
        SCOPED_TRACE(c.name);
        board::VirtualBoard board;
        board.SetFault(c.fault);
        EmulatedFtdi bridges({Bridge(c.bcdDevice, &board)});
        EmulatedFtdi::SetSdaInTied(c.sdaInTied);
        Opened bridge;
        bridge.Mpsse();
        for (const Bytes& write : c.writes)
            EXPECT_EQ(bridge.Write(write), static_cast<int>(write.size()));
        EXPECT_EQ(bridge.Read(), c.answers);
    }
}

// One write frame of one byte, bit by bit as the program clocks it, with the ACK bit read.
Bytes WriteFrame(uint8_t byte, bool driveZero) {
    Bytes frame{0x8A, 0x8C, 0x86, 0x19, 0x01};
    if (driveZero) frame.insert(frame.end(), {0x9E, 0x03, 0x00});
    frame.insert(frame.end(), {0x80, 0x00, 0x02, 0x80, 0x00, 0x03});  // START
    for (int bit = 7; bit >= 0; --bit)
        frame.insert(frame.end(),
                     {0x80, 0x00, uint8_t((byte >> bit & 1) ? 0x01 : 0x03), 0x8E, 0x00});
    frame.insert(frame.end(), {0x80, 0x00, 0x01, 0x22, 0x00});                          // ACK
    frame.insert(frame.end(), {0x80, 0x00, 0x03, 0x80, 0x00, 0x02, 0x80, 0x00, 0x00});  // STOP
    frame.push_back(0x87);
    return frame;
}

TEST(FtdiEmulation, HandWrittenFrameReachesTheBoard) {
    const struct {
        const char* name;
        uint16_t bcdDevice;
        uint8_t boardAddress;
        uint8_t ack;
    } cases[] = {
        {"FT232H", FT232H, 0x34, 0x00},
        {"FT2232H", FT2232H, 0x34, 0x00},
        {"OtherAddress", FT232H, 0x36, 0x01},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        board::VirtualBoard board(board::Chip::QK310, c.boardAddress);
        EmulatedFtdi bridges({Bridge(c.bcdDevice, &board)});
        Opened bridge;
        bridge.Mpsse();
        bridge.Write(WriteFrame(0x34, c.bcdDevice == FT232H));
        EXPECT_EQ(bridge.Read(), Bytes{c.ack});
        EXPECT_EQ(board.FrameTexts(), std::vector<std::string>{"34"});
        EXPECT_TRUE(EmulatedFtdi::Failures().empty());
        EXPECT_EQ(EmulatedFtdi::RoundTrips(), 1);
    }
}

TEST(FtdiEmulation, ModelsTheEnginesTime) {
    const struct {
        const char* name;
        Bytes commands;
        int roundTripUs;
        double us, shortestHighUs, kHz;
    } cases[] = {
        // 6 commands of 0.1 us, 8 clocks of 3 half-periods of 282 / 60 MHz.
        {"ThreePhase",
         {0x8A, 0x8C, 0x86, 0x19, 0x01, 0x80, 0x00, 0x01, 0x8E, 0x07, 0x80, 0x00, 0x00, 0x87},
         0,
         0.6 + 8 * 3 * 4.7,
         4.7,
         1000 / 14.1},
        {"TwoPhase",
         {0x8A, 0x8D, 0x86, 0x19, 0x01, 0x80, 0x00, 0x01, 0x8E, 0x07, 0x80, 0x00, 0x00, 0x87},
         0,
         0.6 + 8 * 2 * 4.7,
         4.7,
         1000 / 9.4},
        // 16 clocks at the 12 MHz base with SCL an input: time passes, the line stays high.
        {"DivideBy5Delay",
         {0x8B, 0x8D, 0x86, 0x00, 0x00, 0x8F, 0x01, 0x00, 0x87},
         0,
         0.4 + 16 * 2 / 12.0,
         0,
         0},
        {"RoundTrip", {0x81, 0x87}, 125, 0.2 + 125, 0, 0},
        {"LatencyTimerWithoutSendImmediate", {0x81}, 0, 0.1 + 1000, 0, 0},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        board::VirtualBoard board;
        EmulatedFtdi bridges({Bridge(FT2232H, &board)});
        EmulatedFtdi::SetRoundTrip(std::chrono::microseconds(c.roundTripUs));
        Opened bridge;
        bridge.Mpsse();
        bridge.Write(c.commands);
        bridge.Read();
        EXPECT_NEAR(EmulatedFtdi::ModelledSeconds() * 1e6, c.us, 1e-6);
        EXPECT_EQ(EmulatedFtdi::CommandBytes(), static_cast<long>(c.commands.size()));
        EXPECT_NEAR(EmulatedFtdi::Phases().Shortest(board::WirePhases::High), c.shortestHighUs,
                    1e-3);
        EXPECT_NEAR(EmulatedFtdi::Phases().MedianKHz(), c.kHz, 1e-3);
    }
}

TEST(FtdiEmulation, RecordsAPinDrivingHighAgainstTheBoard) {
    const struct {
        const char* name;
        uint16_t bcdDevice;
        Fault fault;
        Bytes commands;
        const char* failure;  // the start of the one failure recorded, or none
    } cases[] = {
        {"PushPullClock", FT2232H, Fault::SclStuckLow, {0x80, 0x00, 0x01, 0x8E, 0x00}, "SCL"},
        {"DriveZeroClock",
         FT232H,
         Fault::SclStuckLow,
         {0x9E, 0x03, 0x00, 0x80, 0x00, 0x01, 0x8E, 0x00},
         nullptr},
        {"DataDrivenHigh", FT232H, Fault::SdaStuckLow, {0x80, 0x02, 0x02}, "SDA"},
        {"FreeClock", FT2232H, Fault::None, {0x80, 0x00, 0x01, 0x8E, 0x00}, nullptr},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        board::VirtualBoard board;
        board.SetFault(c.fault);
        EmulatedFtdi bridges({Bridge(c.bcdDevice, &board)});
        Opened bridge;
        bridge.Mpsse();
        bridge.Write(c.commands);
        const std::vector<std::string> failures = EmulatedFtdi::Failures();
        ASSERT_EQ(failures.size(), c.failure ? 1u : 0u);
        if (c.failure) {
            EXPECT_EQ(failures[0].rfind(c.failure, 0), 0u) << failures[0];
        }
    }
}

TEST(FtdiEmulation, VanishesAfterTheBytesGiven) {
    const struct {
        const char* name;
        long after;
        int written;
        double us;  // of the commands run before
    } cases[] = {
        {"MidBuffer", 4, -1, 0.1},  // the first 0x80 runs, the second never completes
        {"AtItsEnd", 8, 8, 0.4},    // the write succeeds, the device leaves after it
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        board::VirtualBoard board;
        EmulatedFtdi bridges({Bridge(FT232H, &board)});
        Opened bridge;
        bridge.Mpsse();
        EmulatedFtdi::VanishAfterBytes(c.after);
        EXPECT_EQ(bridge.Write({0x80, 0x00, 0x02, 0x80, 0x00, 0x03, 0x81, 0x87}), c.written);
        if (c.written < 0) {
            EXPECT_EQ(bridge.Error(), "usb bulk write failed");
        }
        EXPECT_EQ(EmulatedFtdi::CommandBytes(), c.after);
        EXPECT_NEAR(EmulatedFtdi::ModelledSeconds() * 1e6, c.us, 1e-6);
        EXPECT_TRUE(board.SdaLine() && board.SclLine());  // the pins float
        Bytes answer(1);
        EXPECT_EQ(ftdi_read_data(bridge.ftdi, answer.data(), 1), -4);
        EXPECT_EQ(bridge.Error(), "usb bulk read failed");
        ftdi_device_list* list = nullptr;
        EXPECT_EQ(ftdi_usb_find_all(bridge.ftdi, &list, 0, 0), 0);
        EXPECT_EQ(ftdi_usb_close(bridge.ftdi), -1);
        EXPECT_EQ(bridge.Write({0x87}), -666);
        EXPECT_EQ(bridge.Error(), "USB device unavailable");
    }
}

TEST(FtdiEmulationDeathTest, StopsAtAnOpcodeItDoesNotRun) {
    EXPECT_DEATH(
        {
            EmulatedFtdi bridges({Bridge(FT232H)});
            Opened bridge;
            bridge.Mpsse();
            bridge.Write({0x87, 0x80, 0x00, 0x00, 0x31});
        },
        "emulated FTDI engine: opcode 0x31 \\(byte 4 of the stream\\) is not one it knows");
}

TEST(FtdiEmulation, RefusesAsLibftdi) {
    using Access = Device::Access;
    const auto with = [](Device device, Access access) {
        device.access = access;
        return device;
    };
    const struct {
        const char* name;
        Device device;
        ftdi_interface interface;
        int strings, open;
        const char* openText;
        std::optional<ftdi_chip_type> type;
        int bitmode;
        const char* bitmodeText;
    } cases[] = {
        {"Forbidden",
         with(Bridge(FT232H), Access::Forbidden),
         INTERFACE_A,
         -4,
         -8,
         "inappropriate permissions on device!",
         {},
         0,
         ""},
        {"HeldBySerialDriver",
         with(Bridge(FT232H), Access::HeldBySerialDriver),
         INTERFACE_A,
         0,
         -5,
         "unable to claim usb device. Make sure the default FTDI driver is not in use",
         {},
         0,
         ""},
        {"FT232HHasNoInterfaceB",
         Bridge(FT232H),
         INTERFACE_B,
         0,
         -5,
         "unable to claim usb device. Make sure the default FTDI driver is not in use",
         {},
         0,
         ""},
        {"FT4232HCHasNoEngine", Bridge(FT4232H), INTERFACE_C, 0, 0, "all fine", TYPE_4232H, -1,
         "unable to configure bitbang mode. Perhaps not a BM/2232C type chip?"},
        {"FT2232HB", Bridge(FT2232H), INTERFACE_B, 0, 0, "all fine", TYPE_2232H, 0, "all fine"},
        {"FT2232D", Bridge(FT2232D), INTERFACE_A, 0, 0, "all fine", TYPE_2232C, 0, "all fine"},
        {"FT232H", Bridge(FT232H), INTERFACE_A, 0, 0, "all fine", TYPE_232H, 0, "all fine"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        EmulatedFtdi bridges({c.device});
        Opened bridge(c.interface);
        EXPECT_EQ(bridge.result, c.open);
        EXPECT_EQ(bridge.Error(), c.openText);
        if (c.type) {
            EXPECT_EQ(bridge.ftdi->type, *c.type);
        }
        EXPECT_EQ(bridge.ftdi->usb_dev != nullptr, c.open == 0);
        if (c.open == 0) {
            EXPECT_EQ(ftdi_set_bitmode(bridge.ftdi, 0, BITMODE_MPSSE), c.bitmode);
            EXPECT_EQ(bridge.Error(), c.bitmodeText);
        }
        ftdi_device_list* list = nullptr;
        ftdi_usb_find_all(bridge.ftdi, &list, 0, 0);
        char serial[16];
        ftdi_context* other = ftdi_new();
        EXPECT_EQ(ftdi_usb_get_strings(other, list->dev, nullptr, 0, nullptr, 0, serial, 16),
                  c.strings);
        if (c.strings) {
            EXPECT_STREQ(ftdi_get_error_string(other), "libusb_open() failed");
        }
        ftdi_free(other);
        ftdi_list_free(&list);
    }
}

}  // namespace
}  // namespace qk::test
