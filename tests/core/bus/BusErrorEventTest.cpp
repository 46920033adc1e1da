#include <gtest/gtest.h>

#include <cstdio>

#include "tests/support/BusTestSupport.h"

namespace qk::test {
namespace {

using Kind = BusErrorEvent::Kind;
using Texts = std::vector<std::string>;

// A master whose every frame fails one way, with the words of the real masters.
class FailingMaster : public I2cMaster {
  public:
    FailingMaster(FrameLogSink& log, Kind failure) : I2cMaster(log), failure_(failure) {}

  protected:
    void SendWriteFrame(const uint8_t*, int) override { Fail(); }
    void ReceiveReadFrame(uint8_t, uint8_t*, int) override { Fail(); }

  private:
    void Fail() {
        switch (failure_) {
            case Kind::Ack:
                return ReportAckError();
            case Kind::Wait:
                return ReportWaitError();
            case Kind::Other:
                return ReportOtherError("/dev/i2c-7: Input/output error");
        }
    }
    Kind failure_;
};

// "Ack 34:13 'ACK Error' first": kind, address byte, register (-- for none), text, first or again,
// and "probe" inside I2cProbe.
std::string Told(const BusErrorEvent& e) {
    static const char* const kinds[] = {"Ack", "Wait", "Other"};
    char where[8];
    std::snprintf(where, sizeof where, "%02X:", e.address);
    std::string text = std::string(kinds[int(e.kind)]) + " " + where;
    if (e.subAddress) {
        std::snprintf(where, sizeof where, "%02X", *e.subAddress);
        text += where;
    } else {
        text += "--";
    }
    text += " '" + e.text + "' " + (e.firstOfKind ? "first" : "again");
    return e.probing ? text + " probe" : text;
}

struct EventCase {
    const char* name;
    Kind failure;
    void (*run)(I2cMaster& bus);
    Texts told;
};

const uint8_t kRegisterWrite[] = {0x13, 0xC9};

const EventCase kEventCases[] = {
    {"AckOnWritesFirstThenAgain",
     Kind::Ack,
     [](I2cMaster& bus) {
         bus.I2cWrite(0x34, kRegisterWrite, 2);
         bus.I2cWrite(0x34, nullptr, 0);
     },
     {"Ack 34:13 'ACK Error' first", "Ack 34:-- 'ACK Error' again"}},
    {"WaitOnBothFramesOfARead",
     Kind::Wait,
     [](I2cMaster& bus) {
         uint8_t value = 0;
         bus.I2cRead(0x36, 0x05, &value, 1);
     },
     {"Wait 36:05 'Wait Error' first", "Wait 37:05 'Wait Error' again"}},
    {"OtherInAProbe",
     Kind::Other,
     [](I2cMaster& bus) { (void)bus.I2cProbe(0x35, 0x00, nullptr, 0); },
     {"Other 34:00 '/dev/i2c-7: Input/output error' first probe"}},
    {"FirstAgainAfterAReset",
     Kind::Ack,
     [](I2cMaster& bus) {
         bus.I2cWriteSub(0x34, 0x07, kRegisterWrite, 1);
         bus.I2cResetErrors();
         bus.I2cWriteSub(0x34, 0x08, kRegisterWrite, 1);
     },
     {"Ack 34:07 'ACK Error' first", "Ack 34:08 'ACK Error' first"}},
};

class BusErrorEvents : public ::testing::TestWithParam<EventCase> {};

TEST_P(BusErrorEvents, TellEachErrorWithItsFrameAndWhetherItIsTheFirst) {
    const EventCase& c = GetParam();
    RecordingLog log;
    FailingMaster bus(log, c.failure);
    RecordingErrorListener listener;
    bus.AddBusErrorListener(&listener);
    c.run(bus);
    Texts told;
    for (const BusErrorEvent& event : listener.events) told.push_back(Told(event));
    EXPECT_EQ(told, c.told);
}

INSTANTIATE_TEST_SUITE_P(Kinds, BusErrorEvents, ::testing::ValuesIn(kEventCases),
                         [](const auto& test) { return std::string(test.param.name); });

}  // namespace
}  // namespace qk::test
