#pragma once
#include <QObject>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "core/bus/AdapterBus.h"
#include "core/bus/Datalog.h"
#include "core/bus/I2cBus.h"
#include "core/bus/I2cMaster.h"
#include "core/bus/Port.h"
#include "core/chips/ChipCatalogue.h"
#include "core/chips/QK310RegisterImage.h"
#include "core/chips/QK330RegisterImage.h"

namespace qk {

// The two window sets: the first generation's (QK310, QK320, QK350/60) and the QK330's (QK330,
// QK340).
enum class ChipGeneration { First, QK330 };

ChipGeneration GenerationOf(ChipFamily family);

// The program's state of the chip it works on, shared by every window: the bus master and the
// transaction log, both register images, the chip address, OFF LINE, the selected chip, MUTE ALL
// and the login. Windows call its operations and redraw when it reports a change; a window that
// redraws writes nothing. Frames go on the wire only through the images and the master, by the
// handlers of the windows.
class ChipSession : public QObject {
    Q_OBJECT
  public:
    explicit ChipSession(PortIo& port, QObject* parent = nullptr);
    ~ChipSession() override;

    // --- The bus ---
    PortIo& Port() { return port_; }
    // Why the parallel port could not be set up (empty when it could).
    const std::string& PortSetupError() const { return portSetupError_; }
    // The parallel-port bit-banger (its clock is calibrated even while an adapter is in force).
    I2cBus& ParallelBus() { return bus_; }
    // The bus master in force: the adapter once UseAdapter was called, else the parallel port.
    I2cMaster& Master();
    // Puts the adapter `choice` (an i2c-dev adapter, an FTDI bridge) in force in place of the
    // parallel port and opens it; false when it could not be opened (AdapterSetupError says why).
    bool UseAdapter(const AdapterChoice& choice);
    bool AdapterInUse() const { return adapter_ != nullptr; }
    std::string AdapterSetupError() const;
    std::string AdapterDevice() const { return adapter_ ? adapter_->Device() : ""; }
    // "I2C adapter", "FTDI bridge": the adapter's kind, as a message's title says it.
    std::string AdapterKind() const { return adapter_ ? adapter_->Kind() : ""; }
    TransactionLog& Log() { return log_; }
    // How the log shows its state (the main window's status lines and check box).
    void SetLogDisplay(TransactionLog::Display display);

    // A text for the first status line (the SCL calibration's), which the main window shows.
    void ReportStatus(const std::string& text) { emit statusReported(text); }

    // --- The chip ---
    QK310RegisterImage& FirstGenerationImage() { return firstGeneration_; }
    QK330RegisterImage& QK330Image() { return qk330_; }
    // The chip's I2C write address: 0x34 ("0x1A") or 0x36 ("0x1B").
    uint8_t DeviceAddress() const { return deviceAddress_; }
    void SetDeviceAddress(uint8_t address) { deviceAddress_ = address; }
    // OFF LINE: frames are logged but do not reach the wire.
    bool OffLine() const { return offLine_; }
    void SetOffLine(bool offLine);
    // The chip whose button is checked; null before a chip is chosen.
    const ChipInfo* SelectedChip() const { return chip_; }
    void SetSelectedChip(const ChipInfo* chip);
    // Each generation's MUTE ALL: its register writes are held back while engaged.
    bool MuteAllEngaged(ChipGeneration generation) const;
    void SetMuteAllEngaged(ChipGeneration generation, bool engaged);
    // The engineering login shows the controls only it may show (the test registers among them).
    bool LoggedIn() const { return loggedIn_; }
    void SetLoggedIn(bool loggedIn);
    // A window's hidden login button: the main window's login controls are asked for.
    void RequestLogin() { emit loginRequested(); }

    // After a change of an image that was not a user's edit (a read, a restore, a chip selection):
    // every window that shows one of the registers redraws it from the image, and the image keeps
    // exactly what it holds now. Nothing is sent or logged.
    void ShowRegisters(ChipFamily family, const std::vector<uint8_t>& registers);
    // The same for every register of the family's image.
    void ShowAllRegisters(ChipFamily family);

  signals:
    // An image entry was restored from its DefaultImage (a chip selection, or a window's DEFAULT):
    // the window that shows the register shows it as the design's refresh does, which may send it.
    void registerRefreshed(qk::ChipFamily family, uint8_t reg);
    // After every entry of a QK330 restore, each offset word in address order (the PADC offset
    // 0Fh-10h, then the DC offsets 14h-15h .. 1Eh-1Fh), by its high byte's sub-address: its
    // window takes the value from DefaultImage. The order is the session's, not the order the
    // windows subscribed in.
    void offsetWordRestored(uint8_t highSubAddress);
    // A register of `family`'s image holds a value the windows did not make: redraw it, sending
    // nothing (windows the refresh above does not reach: the volume panel, the SE offset's exact
    // bytes, the test registers' choices).
    void registerChanged(qk::ChipFamily family, uint8_t reg);
    void chipSelected(const qk::ChipInfo* chip);
    void offLineChanged(bool offLine);
    void loginChanged(bool loggedIn);
    void loginRequested();
    void statusReported(const std::string& text);

  private:
    void WireImages();
    void EmitOffsetWordsRestored();
    template <typename Image>
    void ShowImageRegisters(Image& image, ChipFamily family, const std::vector<uint8_t>& registers);

    PortIo& port_;
    std::string portSetupError_;
    TransactionLog log_;
    I2cBus bus_;
    std::unique_ptr<AdapterBus> adapter_;
    QK310RegisterImage firstGeneration_;
    QK330RegisterImage qk330_;
    uint8_t deviceAddress_ = kChipWriteAddresses[0];
    bool offLine_ = false;
    const ChipInfo* chip_ = nullptr;
    bool muteAll_[2] = {false, false};
    bool loggedIn_ = false;
};

}  // namespace qk
