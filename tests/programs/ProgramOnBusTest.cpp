// The whole program on each bus, the parallel port's ppdev driver, an i2c-dev adapter or an FTDI
// bridge through libftdi, each emulated inside this process with the virtual board behind it: the
// same user actions give the same frames, texts and data log as on the board's own pins.
#include <QLabel>
#include <QMessageBox>
#include <algorithm>
#include <filesystem>
#include <optional>
#include <tuple>

#include "tests/gui/QK330Fixture.h"
#include "tests/programs/ProgramOnBus.h"
#include "tests/programs/StartOutcome.h"
#include "tests/support/ScratchFolder.h"

namespace qk::test {
namespace {

using board::Chip;
using board::Fault;
using Strings = std::vector<std::string>;

// --- START, with the data log on ---

struct StartCase {
    const char* name;
    Chip chip;
    uint8_t chipAddress;
    int addressItem;
    Fault fault;
    Strings firstFrames;
    // None: a held line; the port's SCL calibration leaves a fragment of clock pulses, while an
    // adapter, which calibrates nothing, sends nothing once it has seen the line.
    std::optional<size_t> frameCount;
    Strings firstLogLines;
    size_t logLineCount;
    Strings status;
    Strings checked;
    Strings dialogs;
    const char* errorLine;
};

void PrintTo(const StartCase& c, std::ostream* out) {
    *out << c.name;
}

// What never reaches a chip: nothing answers, or nothing answers at the address chosen.
StartCase NotFound(const char* name, uint8_t chipAddress, Fault fault) {
    return {.name = name,
            .chip = Chip::QK310,
            .chipAddress = chipAddress,
            .addressItem = 0,
            .fault = fault,
            .firstFrames = {"34"},  // heard, not acknowledged
            .frameCount = 1,
            .firstLogLines = {},
            .logLineCount = 0,
            .status = {"SELECT", "DEVICE"},
            .checked = {},
            .dialogs = {"NoDeviceDlgForm"},
            .errorLine = "ACK Error"};
}

// A QK310 found at the address list's item: the probe, the ID read, then the activation (which
// reads the image back): 1 probe, 2 frames for the ID, 29 reads of 2 frames, 25 writes; a read
// logs its sub-address write only.
StartCase Found(const char* name, uint8_t address, int addressItem, Strings firstFrames,
                Strings firstLogLines) {
    return {.name = name,
            .chip = Chip::QK310,
            .chipAddress = address,
            .addressItem = addressItem,
            .fault = Fault::None,
            .firstFrames = std::move(firstFrames),
            .frameCount = 86,
            .firstLogLines = std::move(firstLogLines),
            .logLineCount = 55,
            .status = {"READY", "READY"},
            .checked = {"QK310RadioButton"},
            .dialogs = {},
            .errorLine = ""};
}

const StartCase kStarts[] = {
    Found("QK310At34", 0x34, 0, {"34 00", "34 00", "35 27", "34 00", "35 27", "34 01", "35 00"},
          {"{0x34 0x0 }", "{0x34 0x0 }", "{0x34 0x1 }"}),
    Found("QK310At36", 0x36, 1, {"36 00", "36 00", "37 27", "36 00", "37 27", "36 01", "37 00"},
          {"{0x36 0x0 }", "{0x36 0x0 }", "{0x36 0x1 }"}),
    NotFound("NothingAcknowledges", 0x34, Fault::NoDevice),
    NotFound("ChipAtTheOtherAddress", 0x36, Fault::None),
};

// A line held low, which a master that sees the lines finds before it sends: the port's and the
// FTDI bridge's (an i2c-dev adapter shows none).
StartCase LineHeldLow(const char* name, Fault fault, const char* errorLine) {
    StartCase c = NotFound(name, 0x34, fault);
    c.firstFrames = {};
    c.frameCount = std::nullopt;
    c.errorLine = errorLine;
    return c;
}

const StartCase kLineChecks[] = {
    LineHeldLow("SdaHeldLow", Fault::SdaStuckLow, "SDA Low"),
    LineHeldLow("SclHeldLow", Fault::SclStuckLow, "SCL Low"),
};

using StartParam = std::tuple<StartCase, Driver>;

class Start : public ::testing::TestWithParam<StartParam> {};

TEST_P(Start, GivesWhatTheBoardsOwnPinsGive) {
    const auto& [c, bus] = GetParam();
    auto makeBoard = [&c] {
        board::VirtualBoard board(c.chip, c.chipAddress);
        board.SetFault(c.fault);
        return board;
    };
    board::VirtualBoard direct = makeBoard();
    StartOutcome expected = StartOn(direct, {}, direct, c.addressItem);
    if (!c.frameCount && bus != Driver::Ppdev) expected.frames.clear();

    board::VirtualBoard behindDriver = makeBoard();
    KernelBus kernel(behindDriver, PresentNode(bus));
    const StartOutcome seen =
        StartOn(kernel.ProgramPort(), kernel.Adapter(), behindDriver, c.addressItem);

    EXPECT_EQ(seen, expected);
    EXPECT_GT(kernel.Requests(), 0) << "the requests reach the driver";
    const auto first = [](const Strings& all, size_t count) {
        return Strings(all.begin(), all.begin() + std::min(all.size(), count));
    };
    if (c.frameCount) {
        EXPECT_EQ(seen.frames.size(), *c.frameCount);
    }
    EXPECT_EQ(first(seen.frames, c.firstFrames.size()), c.firstFrames);
    EXPECT_EQ(seen.log.size(), c.logLineCount);
    EXPECT_EQ(first(seen.log, c.firstLogLines.size()), c.firstLogLines);
    EXPECT_EQ(seen.status, c.status);
    EXPECT_EQ(seen.checked, c.checked);
    EXPECT_EQ(seen.dialogs, c.dialogs);
    EXPECT_EQ(seen.errorLine, c.errorLine);
    if (bus == Driver::I2cDev) {
        EXPECT_EQ(EmulatedI2cDev::Messages(), EmulatedI2cDev::Transfers())
            << "one message per transfer: every frame ends in a STOP";
    }
}

std::string StartName(const ::testing::TestParamInfo<StartParam>& test) {
    return std::string(std::get<StartCase>(test.param).name) +
           DriverName(std::get<Driver>(test.param));
}

INSTANTIATE_TEST_SUITE_P(Cases, Start,
                         ::testing::Combine(::testing::ValuesIn(kStarts),
                                            ::testing::Values(Driver::Ppdev, Driver::I2cDev,
                                                              Driver::Ftdi)),
                         StartName);
INSTANTIATE_TEST_SUITE_P(LineChecks, Start,
                         ::testing::Combine(::testing::ValuesIn(kLineChecks),
                                            ::testing::Values(Driver::Ppdev, Driver::Ftdi)),
                         StartName);

// --- Bus errors after START: PWM INIT's two register writes ---

struct ErrorCase {
    const char* name;
    Fault fault;
    Strings dialogs;
    const char* firstStatus;
    const char* errorLine;
    // What the two writes cost an adapter: I2C_RDWR transfers, or USB round trips (one a frame).
    int requests;
};

void PrintTo(const ErrorCase& c, std::ostream* out) {
    *out << c.name;
}

const ErrorCase kErrors[] = {
    {"NackOnData", Fault::DataNotAcked, {"ACK_ErrorDialogForm"}, "ACK Error", "ACK Error", 2},
    {"ChipGone", Fault::NoDevice, {"ACK_ErrorDialogForm"}, "ACK Error", "ACK Error", 2},
};

// A timed-out adapter is asked once, not once per frame, until the errors are reset. (The port's
// bus master goes on clocking its lines: PpdevProgramTest.cpp.)
const ErrorCase kAdapterTimeOuts[] = {
    {"ClockHeldLow", Fault::SclStuckLow, {"WaitErrorDialogForm"}, "Wait Error", "", 1},
};

using ErrorParam = std::tuple<ErrorCase, Driver>;

class AfterStart : public On<MainWindowTest>, public ::testing::WithParamInterface<ErrorParam> {
  protected:
    AfterStart() : On(std::get<Driver>(GetParam())) {}
};

TEST_P(AfterStart, ABusErrorIsShownOnceWithItsDialog) {
    const auto& [c, bus] = GetParam();
    ClickStart();
    ASSERT_EQ(CheckedChipButtons(), Strings{"QK310RadioButton"});
    const long requestsBefore = kernel_.Requests();
    board.SetFault(c.fault);
    Click(OkapiForm, "QK310PWMResetBitBtn");
    EXPECT_EQ(dialogs, c.dialogs);
    EXPECT_EQ(Text("FirstErrorlabel"), c.firstStatus);
    EXPECT_EQ(Text("ErrorLabel").trimmed(), c.errorLine);
    if (bus != Driver::Ppdev) {
        EXPECT_EQ(kernel_.Requests() - requestsBefore, c.requests);
    } else {
        EXPECT_GT(kernel_.Requests(), requestsBefore);
    }
}

std::string ErrorName(const ::testing::TestParamInfo<ErrorParam>& test) {
    return std::string(std::get<ErrorCase>(test.param).name) +
           DriverName(std::get<Driver>(test.param));
}

INSTANTIATE_TEST_SUITE_P(Cases, AfterStart,
                         ::testing::Combine(::testing::ValuesIn(kErrors),
                                            ::testing::Values(Driver::Ppdev, Driver::I2cDev,
                                                              Driver::Ftdi)),
                         ErrorName);
INSTANTIATE_TEST_SUITE_P(AdapterTimeOuts, AfterStart,
                         ::testing::Combine(::testing::ValuesIn(kAdapterTimeOuts),
                                            ::testing::Values(Driver::I2cDev)),
                         ErrorName);

// --- The QK330 register editor ---

class QK330Editor : public On<QK330Test>, public ::testing::WithParamInterface<Driver> {
  protected:
    QK330Editor() : On(GetParam()) {}
};

TEST_P(QK330Editor, WriteReachesTheChip) {
    Click(OkapiForm, "QK330RegistersBitBtn");
    Box(0x01, 3)->setChecked(true);
    const long requestsBefore = kernel_.Requests();
    Click(QK330RegForm, "Reg01SendButton");
    EXPECT_EQ(board.FrameTexts(), Texts{"34 01 80"});
    EXPECT_EQ(board.Register(0x01), 0x80);
    EXPECT_EQ(Shows(0x01), 0x80);
    if (GetParam() != Driver::Ppdev) {
        EXPECT_EQ(kernel_.Requests() - requestsBefore, 1) << "one transfer or round trip a frame";
    }
    EXPECT_TRUE(dialogs.empty());
}

INSTANTIATE_TEST_SUITE_P(Buses, QK330Editor,
                         ::testing::Values(Driver::Ppdev, Driver::I2cDev, Driver::Ftdi),
                         [](const auto& test) { return DriverName(test.param); });

// --- Devices that cannot be had ---

// The name of a null device node the test makes in a folder of its own.
constexpr char kOwnNullDevice[] = "null";

struct RefusalCase {
    const char* name;
    Node node;
    const char* device;  // the file the program opens, or the bridge the message names
    bool heldByAnother;
    const char* reason;
    const char* remedy;
};

void PrintTo(const RefusalCase& c, std::ostream* out) {
    *out << c.name;
}

using PortNode = EmulatedPpdev::Node;
using AdapterNode = EmulatedI2cDev::Node;
constexpr const char* PortPath = EmulatedPpdev::Path;
constexpr const char* AdapterPath = EmulatedI2cDev::Path;

const RefusalCase kRefusals[] = {
    {"Missing", PortNode::Missing, PortPath, false, "No such file or directory", "modprobe ppdev"},
    {"Forbidden", PortNode::Forbidden, PortPath, false, "Permission denied", "usermod -aG lp"},
    {"NoPortBehind", PortNode::NoPort, PortPath, false, "No such device or address",
     "modprobe ppdev"},
    {"HeldByAnotherProgram", PortNode::Present, PortPath, true, "Device or resource busy",
     "Another program holds the port"},
    // A device of another kind (a null device of the test's own) refuses the claim.
    {"NotAParallelPort", PortNode::Present, kOwnNullDevice, false, "Inappropriate ioctl",
     "parallel-port device of the ppdev driver"},
    {"Missing", AdapterNode::Missing, AdapterPath, false, "No such file or directory",
     "modprobe i2c-dev"},
    {"Forbidden", AdapterNode::Forbidden, AdapterPath, false, "Permission denied",
     "usermod -aG i2c"},
    {"SmbusOnly", AdapterNode::SmbusOnly, AdapterPath, false, "SMBus commands only",
     "I2C_FUNC_I2C"},
    {"NoBridge", FtdiNode::None, "FT232H, FT2232H, FT4232H", false, "No FTDI MPSSE device found",
     "plug one in"},
    // Each listed with the selector that chooses it.
    {"TwoBridgesAndNoSelector", FtdiNode::Two, "--ftdi FT1QK3XX\tFT232H serial FT1QK3XX", false,
     "Several FTDI MPSSE devices", "--ftdi FT2QK3XX:A\tFT2232H serial FT2QK3XX"},
    // Its serial number is unreadable too: it is named by its place on the USB.
    {"Forbidden", FtdiNode::Forbidden, "FT232H on bus 1 device 5", false, "permission denied",
     "udev rule 60-qk3xx-ftdi.rules"},
    {"HeldBySerialDriver", FtdiNode::HeldBySerialDriver, "FT232H serial FT1QK3XX", false,
     "serial driver ftdi_sio", "rmmod ftdi_sio"},
};

const char* SetupMessageTitle(Driver bus) {
    constexpr const char* Titles[] = {"Parallel port", "I2C adapter", "FTDI bridge"};
    return Titles[static_cast<int>(bus)];
}

class Refusal : public ::testing::TestWithParam<RefusalCase> {};

TEST_P(Refusal, IsToldOnceWithReasonAndRemedyThenNothingAcknowledges) {
    const RefusalCase& c = GetParam();
    const std::filesystem::path folder = test::ScratchFolder("program-on-bus");
    std::string device = c.device;
    if (device == kOwnNullDevice) {
        std::filesystem::create_directories(folder);
        device = folder / kOwnNullDevice;
        if (!test::MakeMemoryDevice(device, test::MemoryDevice::Null))
            GTEST_SKIP() << "making a device node needs root";
    }
    board::VirtualBoard board;
    KernelBus kernel(board, c.node, device);
    std::optional<PpdevPort> otherProgram;
    if (c.heldByAnother) {
        otherProgram.emplace(PortPath);
        ASSERT_TRUE(otherProgram->Setup());
    }

    Strings dialogs;
    QString title, message;
    const ModalPresenter previous = SetModalPresenter([&](QDialog& dialog) {
        dialogs.push_back(dialog.objectName().toStdString());
        if (auto* box = qobject_cast<QMessageBox*>(&dialog)) {
            title = box->windowTitle();
            message = box->text();
        }
    });
    {
        Program program(kernel.ProgramPort(), kernel.Adapter());
        I2CForm->SetTiming(SimulatedMachine(4).Timing());
        program.Show();
        EXPECT_TRUE(OkapiForm->isVisible());
        EXPECT_EQ(dialogs, Strings{"PortSetupMessage"});
        EXPECT_EQ(title, SetupMessageTitle(kernel.Which()));
        for (const std::string& part : {device, std::string(c.reason), std::string(c.remedy)})
            EXPECT_TRUE(message.contains(QString::fromStdString(part))) << message.toStdString();

        QTest::mouseClick(OkapiForm->findChild<QAbstractButton*>("StartBitBtn"), Qt::LeftButton);
        EXPECT_EQ(dialogs, (Strings{"PortSetupMessage", "NoDeviceDlgForm"}));
        EXPECT_EQ(OkapiForm->findChild<QLabel*>("ErrorLabel")->text(), "ACK Error")
            << "an empty port or a refused adapter: nothing acknowledges";
    }
    SetModalPresenter(previous);
    std::filesystem::remove_all(folder);
    EXPECT_TRUE(board.FrameTexts().empty());
    EXPECT_EQ(kernel.Requests(), 0);
}

INSTANTIATE_TEST_SUITE_P(Devices, Refusal, ::testing::ValuesIn(kRefusals), [](const auto& test) {
    return DriverName(DriverOf(test.param.node)) + test.param.name;
});

}  // namespace
}  // namespace qk::test
