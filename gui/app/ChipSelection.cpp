// The main window's chip radio buttons: loading the chip model's defaults when START asked for
// it, switching the panels to the chip's generation, and activating the chip model.
#include <functional>

#include "gui/app/Forms.h"
#include "gui/app/Okapimain.h"
#include "gui/bus/BusMonitorunit.h"
#include "gui/bus/Gpiounit.h"
#include "gui/bus/StatusWatchunit.h"
#include "gui/gen1/QK310unit.h"
#include "gui/gen1/QK320unit.h"
#include "gui/qk330/QK330unit.h"
#include "gui/widgets/Colors.h"
#include "gui/widgets/WindowFrame.h"

namespace qk {

// What selecting a chip does with its model.
struct ChipModel {
    ChipGeneration generation;
    std::function<void()> loadPowerOnDefaults;
    std::function<void()> activateChipModel;
};

}  // namespace qk

namespace {

constexpr int ChipWindowOuterWidth = 455;
constexpr QPoint ChipWindowPosition(6, 6);

// The QK310 model, or the QK320 model (which also serves QK350/60).
qk::ChipModel FirstGenerationModel(TQK310Form* model) {
    return {.generation = qk::ChipGeneration::First,
            .loadPowerOnDefaults = [model] { model->LoadPowerOnDefaults(); },
            .activateChipModel = [model] { model->ActivateChipModel(); }};
}

// The QK330 model serves the QK330 and the QK340; it tells them apart when it activates.
qk::ChipModel QK330Model() {
    return {.generation = qk::ChipGeneration::QK330,
            .loadPowerOnDefaults = [] { QK330Form->LoadPowerOnDefaults(); },
            .activateChipModel = [] { QK330Form->ActivateChipModel(); }};
}

}  // namespace

// QK320 and QK350/60 are served by the first generation, QK340 by the QK330's windows.
std::array<TOkapiForm::ChipButton, TOkapiForm::ChipButtonCount> TOkapiForm::ChipButtons() const {
    using enum qk::ChipGeneration;
    // button, its handler, the generation that serves the chip
    return {{{ui.QK310RadioButton, &TOkapiForm::QK310RadioButtonClick, First},
             {ui.QK320RadioButton, &TOkapiForm::QK320RadioButtonClick, First},
             {ui.QK330RadioButton, &TOkapiForm::QK330RadioButtonClick, QK330},
             {ui.QK340RadioButton, &TOkapiForm::QK340RadioButtonClick, QK330},
             {ui.QK350RadioButton, &TOkapiForm::QK320RadioButtonClick, First}}};
}

std::string TOkapiForm::CheckedChipName() const {
    const std::pair<QRadioButton*, const char*> names[] = {{ui.QK310RadioButton, "QK310"},
                                                           {ui.QK320RadioButton, "QK320"},
                                                           {ui.QK330RadioButton, "QK330"},
                                                           {ui.QK340RadioButton, "QK340"},
                                                           {ui.QK350RadioButton, "QK350"}};
    for (auto [button, name] : names)
        if (button->isChecked()) return name;
    return {};
}

void TOkapiForm::QK310RadioButtonClick() {
    SelectChip(FirstGenerationModel(QK310Form));
}
void TOkapiForm::QK320RadioButtonClick() {
    SelectChip(FirstGenerationModel(QK320Form));
}
void TOkapiForm::QK330RadioButtonClick() {
    SelectChip(QK330Model());
}
void TOkapiForm::QK340RadioButtonClick() {
    SelectChip(QK330Model());
}

void TOkapiForm::SelectChip(const qk::ChipModel& model) {
    if (chipNeedsInit_) {
        model.loadPowerOnDefaults();
        chipNeedsInit_ = false;
    }
    volumePanel_->ShowGeneration(model.generation);
    ChipChangeStep();
    model.activateChipModel();
}

// A new chip starts from a clean desk: every window but the pins window and the two that watch the
// bus (they show the activation itself) is closed, and the main window widens to show the chip's
// panels.
void TOkapiForm::ChipChangeStep() {
    for (QWidget* window : qk::SecondaryWindows())
        if (window != GPIOForm && window != BusMonitorForm && window != StatusWatchForm)
            window->hide();
    for (const ChipButton& chip : ChipButtons()) {
        qk::SetTextColor(chip.button, qk::clBlack);
        qk::SetBackgroundColor(chip.button, qk::clBtnFace);
    }
    qk::SetBackgroundColor(ui.ChipSelectPanel, qk::clBtnFace);
    qk::SetOuterWidth(*this, ChipWindowOuterWidth);
    move(ChipWindowPosition);
    ShowStatus("READY", "READY");
}

bool TOkapiForm::QK330Checked() const {
    return ui.QK330RadioButton->isChecked();
}

bool TOkapiForm::QK340Checked() const {
    return ui.QK340RadioButton->isChecked();
}

// The buttons are exclusive: at most one is checked.
std::optional<qk::ChipGeneration> TOkapiForm::CheckedGeneration() const {
    for (const ChipButton& chip : ChipButtons())
        if (chip.button->isChecked()) return chip.generation;
    return std::nullopt;
}

std::optional<qk::ChipFamily> TOkapiForm::CheckedFamily() const {
    const auto generation = CheckedGeneration();
    if (!generation) return std::nullopt;
    return *generation == qk::ChipGeneration::QK330 ? qk::ChipFamily::QK330 : qk::ChipFamily::QK310;
}

// RESET: the checked button's handler runs again.
void TOkapiForm::ReselectCheckedChip() {
    for (const ChipButton& chip : ChipButtons()) {
        if (!chip.button->isChecked()) continue;
        (this->*chip.select)();
        return;
    }
}
