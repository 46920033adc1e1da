#include "gui/app/SnapshotChip.h"

#include <vector>

namespace qk {

namespace {

// The image takes the values, and every window that shows one of them redraws it; nothing is sent.
template <typename Image>
void ShowWithoutWriting(ChipSession& session, ChipFamily family, Image& image,
                        const Snapshot& values) {
    std::vector<uint8_t> registers;
    for (int entry = 0; entry < Image::Entries; ++entry) {
        const uint8_t sub = Image::SubAddressOf(entry);
        if (const std::optional<uint8_t> value = values.Value(sub)) {
            image.CurrentImage[entry] = *value;
            registers.push_back(sub);
        }
    }
    session.ShowRegisters(family, registers);
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
SnapshotChip ChipOver(ChipSession& session, const ChipInfo& chip, Image& image) {
    return SnapshotChip{chip.family,
                        chip.name,
                        session.DeviceAddress(),
                        image,
                        session.Master(),
                        ImageLookup(image),
                        session.LoggedIn(),
                        session.MuteAllEngaged(GenerationOf(chip.family)),
                        [&session, family = chip.family, &image](const Snapshot& values) {
                            ShowWithoutWriting(session, family, image, values);
                        }};
}

}  // namespace

std::optional<SnapshotChip> SelectedSnapshotChip(ChipSession& session) {
    const ChipInfo* chip = session.SelectedChip();
    if (!chip) return std::nullopt;
    if (chip->family == ChipFamily::QK310)
        return ChipOver(session, *chip, session.FirstGenerationImage());
    return ChipOver(session, *chip, session.QK330Image());
}

}  // namespace qk
