// The main window's chip radio buttons: loading the chip model's defaults when START asked for
// it, switching the panels to the chip's generation, and activating the chip model.
#include <functional>
#include <string_view>

#include "gui/app/Okapimain.h"
#include "gui/gen1/QK310unit.h"
#include "gui/gen1/QK320unit.h"
#include "gui/qk330/QK330unit.h"
#include "gui/registry/Forms.h"
#include "gui/widgets/Colors.h"
#include "gui/widgets/WindowFrame.h"

namespace {

// What selecting a chip does with the chip model that serves it.
struct ModelSelection {
    std::function<void()> loadPowerOnDefaults;
    std::function<void()> activateChipModel;
};

constexpr int ChipWindowOuterWidth = 455;
constexpr QPoint ChipWindowPosition(6, 6);

// The QK310 model, or the QK320 model (which also serves QK350/60).
ModelSelection FirstGenerationModel(TQK310Form* model) {
    return {.loadPowerOnDefaults = [model] { model->LoadPowerOnDefaults(); },
            .activateChipModel = [model] { model->ActivateChipModel(); }};
}

// The QK330 model serves the QK330 and the QK340; it tells them apart when it activates.
ModelSelection QK330Model() {
    return {.loadPowerOnDefaults = [] { QK330Form->LoadPowerOnDefaults(); },
            .activateChipModel = [] { QK330Form->ActivateChipModel(); }};
}

ModelSelection SelectionOf(qk::ChipModel model) {
    switch (model) {
        case qk::ChipModel::QK310:
            return FirstGenerationModel(QK310Form);
        case qk::ChipModel::QK320:
            return FirstGenerationModel(QK320Form);
        case qk::ChipModel::QK330:
            break;
    }
    return QK330Model();
}

// The first generation's windows serve the QK310's family, the QK330's windows the QK330's.
qk::ChipGeneration GenerationOf(const qk::ChipInfo& chip) {
    return qk::GenerationOf(chip.family);
}

consteval const qk::ChipInfo& Catalogued(std::string_view name) {
    return qk::kChipCatalogue[qk::ChipIndex(name)];
}

}  // namespace

QString TOkapiForm::ChipButtonName(const qk::ChipInfo& chip) {
    return QString::fromLatin1(chip.name) + "RadioButton";
}

TOkapiForm::ChipButton TOkapiForm::ButtonOf(const qk::ChipInfo& chip) const {
    return {findChild<QRadioButton*>(ChipButtonName(chip)), &chip};
}

void TOkapiForm::QK310RadioButtonClick() {
    SelectChip(Catalogued("QK310"));
}
void TOkapiForm::QK320RadioButtonClick() {
    SelectChip(Catalogued("QK320"));
}
void TOkapiForm::QK330RadioButtonClick() {
    SelectChip(Catalogued("QK330"));
}
void TOkapiForm::QK340RadioButtonClick() {
    SelectChip(Catalogued("QK340"));
}

void TOkapiForm::SelectChip(const qk::ChipInfo& chip) {
    const ModelSelection model = SelectionOf(chip.model);
    if (chipNeedsInit_) {
        model.loadPowerOnDefaults();
        chipNeedsInit_ = false;
    }
    volumePanel_->ShowGeneration(GenerationOf(chip));
    ChipChangeStep();
    model.activateChipModel();
    // The windows the activation does not redraw (the channel boxes, the SE offset's bytes, the
    // test registers' choices) follow the image too, without a frame.
    session_.ShowAllRegisters(chip.family);
}

// A new chip starts from a clean desk: every window but the pins window and the two that watch the
// bus (they show the activation itself) is closed, and the main window widens to show the chip's
// panels.
void TOkapiForm::ChipChangeStep() {
    for (QWidget* window : qk::SecondaryWindows())
        if (!qk::WatchesTheBus(*window)) window->hide();
    for (const ChipButton& chip : ChipButtons()) {
        qk::SetTextColor(chip.button, qk::clBlack);
        qk::SetBackgroundColor(chip.button, qk::clBtnFace);
    }
    qk::SetBackgroundColor(ui.ChipSelectPanel, qk::clBtnFace);
    qk::SetOuterWidth(*this, ChipWindowOuterWidth);
    move(ChipWindowPosition);
    ShowStatus("READY", "READY");
}

// The buttons are exclusive: at most one is checked.
std::optional<qk::ChipGeneration> TOkapiForm::CheckedGeneration() const {
    for (const ChipButton& chip : ChipButtons())
        if (chip.button->isChecked()) return GenerationOf(*chip.chip);
    return std::nullopt;
}

// RESET: the checked button's chip is selected again.
void TOkapiForm::ReselectCheckedChip() {
    for (const ChipButton& chip : ChipButtons()) {
        if (!chip.button->isChecked()) continue;
        SelectChip(*chip.chip);
        return;
    }
}
