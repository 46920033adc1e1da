#include "gui/app/SnapshotChip.h"

#include <array>

#include "gui/app/Forms.h"
#include "gui/app/HiddenLogin.h"
#include "gui/app/Okapimain.h"
#include "gui/bus/I2cunit.h"
#include "gui/gen1/Registersunit.h"
#include "gui/qk330/QK330Regunit.h"
#include "gui/qk330/QK330SEOffsetRegunit.h"
#include "gui/qk330/QK330Testregunit.h"

namespace qk {

namespace {

template <typename Image>
using ImageBytes = std::array<uint8_t, Image::Entries>;

template <typename Image>
uint8_t ByteOf(const ImageBytes<Image>& bytes, uint8_t sub) {
    return bytes.at(Image::EntryOf(sub));
}

// Where the main window's panel finds a generation's channel registers.
struct ChannelRegisters {
    ChipGeneration generation;
    uint8_t firstVolume;  // channel n's is (n - 1) * volumeWidth further
    int volumeWidth;
    uint8_t mute;
};
constexpr ChannelRegisters kQK310Channels{ChipGeneration::First,
                                          QK310RegisterImage::FirstVolumeRegister, 1,
                                          QK310RegisterImage::ChannelMuteRegister};
constexpr ChannelRegisters kQK330Channels{ChipGeneration::QK330, 0x26, 2,
                                          QK330RegisterImage::SoftMuteRegister};

// The panel's sliders, readouts and channel boxes follow the channel registers among the values.
template <typename Image>
void ShowChannels(const ChannelRegisters& channels, const ImageBytes<Image>& shown,
                  const Snapshot& values) {
    std::array<int, ChannelCount> codes{};
    bool volumesGiven = false;
    for (int channel = 1; channel <= ChannelCount; ++channel) {
        const auto sub =
            static_cast<uint8_t>(channels.firstVolume + (channel - 1) * channels.volumeWidth);
        volumesGiven = volumesGiven || values.Holds(sub);
        codes[channel - 1] = channels.volumeWidth == 1
                                 ? ByteOf<Image>(shown, sub)
                                 : ByteOf<Image>(shown, sub) << 8 | ByteOf<Image>(shown, sub + 1);
    }
    if (volumesGiven) OkapiForm->ShowChannelVolumes(channels.generation, codes);
    if (values.Holds(channels.mute))
        OkapiForm->ShowChannelMutes(channels.generation, ByteOf<Image>(shown, channels.mute));
}

// What the image's refresh does not show, or shows otherwise than the values have it.
void ShowBeyondRefresh(QK310RegisterImage&, const ImageBytes<QK310RegisterImage>& shown,
                       const Snapshot& values) {
    ShowChannels<QK310RegisterImage>(kQK310Channels, shown, values);
}

void ShowBeyondRefresh(QK330RegisterImage&, const ImageBytes<QK330RegisterImage>& shown,
                       const Snapshot& values) {
    using Image = QK330RegisterImage;
    ShowChannels<Image>(kQK330Channels, shown, values);
    // The refresh shows the SE offset byte by byte, each time through its rounded number.
    constexpr uint8_t FirstSeOffset = 0x32;
    if (values.Holds(FirstSeOffset))
        QK330SEOffsetRegForm->ShowSeOffset(
            {ByteOf<Image>(shown, FirstSeOffset), ByteOf<Image>(shown, FirstSeOffset + 1),
             ByteOf<Image>(shown, FirstSeOffset + 2), ByteOf<Image>(shown, FirstSeOffset + 3)});
    for (uint8_t sub : {TQK330TestRegForm::AdcPscControlRegister,
                        TQK330TestRegForm::PredictorRegister, TQK330TestRegForm::DitherRegister})
        if (values.Holds(sub)) QK330TestRegForm->ShowChoiceRegister(sub, ByteOf<Image>(shown, sub));
}

// Every window redraws the values through the refresh of a chip selection (DefaultImage lent for
// the time of it) with the bus silent. The refresh paths store what they would have sent, which
// need not be what the chip holds: the image then gets exactly the values back.
template <typename Image>
void ShowWithoutWriting(Image& image, const Snapshot& values) {
    const RegisterBus::SilentHold silent;
    ImageBytes<Image> shown = image.CurrentImage;
    for (int entry = 0; entry < Image::Entries; ++entry)
        shown[entry] = values.Value(Image::SubAddressOf(entry)).value_or(shown[entry]);
    const ImageBytes<Image> defaults = image.DefaultImage;
    image.DefaultImage = shown;
    image.LoadImageFromDefaults();
    image.DefaultImage = defaults;
    ShowBeyondRefresh(image, shown, values);
    image.CurrentImage = shown;
}

template <typename Image>
ByteLookup ImageLookup(Image& image) {
    return [&image](uint8_t sub) -> std::optional<uint8_t> {
        const int entry = Image::EntryOf(sub);
        if (entry < 0) return std::nullopt;
        return image.CurrentImage[entry];
    };
}

// The selected chip as the snapshot code sees it, through the image of its family.
template <typename Image>
SnapshotChip ChipOver(ChipFamily family, const std::string& name, Image& image) {
    return SnapshotChip{family,
                        name,
                        OkapiForm->DeviceAddress(),
                        image,
                        I2CForm->Master(),
                        ImageLookup(image),
                        EngineeringLoginActive(),
                        family == ChipFamily::QK310 ? OkapiForm->QK310MuteAllEngaged()
                                                    : OkapiForm->QK330MuteAllEngaged(),
                        [&image](const Snapshot& values) { ShowWithoutWriting(image, values); }};
}

}  // namespace

std::optional<SnapshotChip> SelectedSnapshotChip() {
    const std::string name = OkapiForm->CheckedChipName();
    const std::optional<ChipFamily> family = FamilyOfChip(name);
    if (!family) return std::nullopt;
    if (*family == ChipFamily::QK310) return ChipOver(*family, name, RegistersForm->Image());
    return ChipOver(*family, name, QK330RegForm->Image());
}

}  // namespace qk
