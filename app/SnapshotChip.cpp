#include "app/SnapshotChip.h"

#include "app/Forms.h"
#include "app/HiddenLogin.h"
#include "app/Okapimain.h"
#include "gen1/Registersunit.h"
#include "link/I2cunit.h"
#include "qk330/QK330Regunit.h"

namespace qk {

namespace {

// The image's refresh of every entry, from the given values (an entry they do not hold keeps the
// image's value): the chip selection's path, with DefaultImage lent for the time of it.
template <typename Image>
void ShowThroughRefresh(Image& image, const Snapshot& values) {
    const auto defaults = image.DefaultImage;
    for (int entry = 0; entry < Image::Entries; ++entry) {
        const uint8_t sub = Image::SubAddressOf(entry);
        image.DefaultImage[entry] = values.Value(sub).value_or(image.CurrentImage[entry]);
    }
    image.LoadImageFromDefaults();
    image.DefaultImage = defaults;
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
                        [&image](const Snapshot& values) { ShowThroughRefresh(image, values); }};
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
