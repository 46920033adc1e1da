#include "gui/bus/BusMonitorunit.h"

#include <QCheckBox>
#include <QHeaderView>
#include <QMessageBox>
#include <QSaveFile>
#include <QScrollBar>

#include "gui/widgets/FileChoice.h"
#include "gui/widgets/FrameTableModel.h"
#include "gui/widgets/ModalDialogs.h"

namespace {
// How long frames gather before the table takes them in, in milliseconds.
constexpr int SyncDelayMs = 50;
constexpr int ColumnWidths[] = {90, 62, 44, 40, 120, 60, 340, 100};

std::optional<qk::ChipFamily> FamilyInUse(const qk::ChipSession& session) {
    if (const qk::ChipInfo* chip = session.SelectedChip()) return chip->family;
    return std::nullopt;
}

template <typename Image>
std::optional<uint8_t> HeldByte(const Image& image, uint8_t subAddress) {
    const int entry = Image::EntryOf(subAddress);
    if (entry < 0) return std::nullopt;
    return image.CurrentImage[static_cast<size_t>(entry)];
}

// The byte the register image of the chip in use holds at a sub-address.
std::optional<uint8_t> ImageByte(qk::ChipSession& session, uint8_t subAddress) {
    const auto family = FamilyInUse(session);
    if (family == qk::ChipFamily::QK310)
        return HeldByte(session.FirstGenerationImage(), subAddress);
    if (family == qk::ChipFamily::QK330) return HeldByte(session.QK330Image(), subAddress);
    return std::nullopt;
}

}  // namespace

TBusMonitorForm::TBusMonitorForm(qk::ChipSession& session, QWidget* parent)
    : QWidget(parent),
      meaning_(
          [&session]() -> const qk::RegisterMap* {
              const auto family = FamilyInUse(session);
              return family ? &qk::MapOf(*family) : nullptr;
          },
          [&session](uint8_t subAddress) { return ImageByte(session, subAddress); }) {
    ui.setupUi(this);
    recorder_.SetDescriber(&meaning_);
    setFixedSize(size());
    model_ = new qk::FrameTableModel(recorder_.Ring(), this);
    filter_ = new qk::RegisterFilterModel(this);
    filter_->setSourceModel(model_);
    QTableView* table = ui.FramesTable;
    table->setModel(filter_);
    table->setSelectionBehavior(QAbstractItemView::SelectRows);
    table->setEditTriggers(QAbstractItemView::NoEditTriggers);
    table->setWordWrap(false);
    table->verticalHeader()->hide();
    table->verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    table->verticalHeader()->setDefaultSectionSize(fontMetrics().height() + 4);
    table->horizontalHeader()->setStretchLastSection(true);
    for (int column = 0; column < qk::FrameTableModel::ColumnCount; ++column)
        table->setColumnWidth(column, ColumnWidths[column]);

    syncTimer_.setSingleShot(true);
    syncTimer_.setInterval(SyncDelayMs);
    connect(&syncTimer_, &QTimer::timeout, this, &TBusMonitorForm::SyncTable);
    recorder_.framesArrived = [this] { FrameArrived(); };
    QScrollBar* bar = table->verticalScrollBar();
    connect(bar, &QScrollBar::rangeChanged, this,
            [this](int, int maximum) { ScrollRangeChanged(maximum); });
    connect(bar, &QScrollBar::valueChanged, this, &TBusMonitorForm::ViewScrolled);
    connect(ui.FollowCheck, &QCheckBox::toggled, this, [this](bool follow) {
        if (follow) ui.FramesTable->scrollToBottom();
    });

    connect(ui.PauseButton, &QPushButton::clicked, this, &TBusMonitorForm::PauseButtonClick);
    connect(ui.ClearButton, &QPushButton::clicked, this, &TBusMonitorForm::ClearButtonClick);
    connect(ui.SaveButton, &QPushButton::clicked, this, &TBusMonitorForm::SaveButtonClick);
    connect(ui.CloseButton, &QPushButton::clicked, this, &QWidget::hide);
    connect(ui.FilterEdit, &QLineEdit::textChanged, this, &TBusMonitorForm::FilterEditChange);
    // The frames of the master in use, the adapter's when there is one.
    Attach(session.Master());
}

TBusMonitorForm::~TBusMonitorForm() {
    if (master_) master_->RemoveFrameObserver(&recorder_);
}

void TBusMonitorForm::Attach(qk::I2cMaster& master) {
    if (master_) master_->RemoveFrameObserver(&recorder_);
    master_ = &master;
    master_->AddFrameObserver(&recorder_);
}

// Runs inside the bus operation: only note that the table has work.
void TBusMonitorForm::FrameArrived() {
    if (!paused_ && !syncTimer_.isActive()) syncTimer_.start();
}

void TBusMonitorForm::SyncTable() {
    syncTimer_.stop();
    if (paused_) return;
    model_->Sync();
    // The scroll range follows the new rows now, not at the next pass of the event loop, which a
    // long operation (READ ALL) holds up: a following view moves with the frames.
    if (isVisible()) ui.FramesTable->doItemsLayout();
    ShowCount();
}

// Opened, the monitor shows the newest frame and follows.
void TBusMonitorForm::showEvent(QShowEvent* event) {
    QWidget::showEvent(event);
    ui.FollowCheck->setChecked(true);
    ui.FramesTable->scrollToBottom();
}

// More rows: a following view moves to the newest; one scrolled up stays.
void TBusMonitorForm::ScrollRangeChanged(int maximum) {
    if (ui.FollowCheck->isChecked()) ui.FramesTable->verticalScrollBar()->setValue(maximum);
}

// The user scrolled: up stops following, back to the bottom follows again.
void TBusMonitorForm::ViewScrolled(int value) {
    ui.FollowCheck->setChecked(value == ui.FramesTable->verticalScrollBar()->maximum());
}

void TBusMonitorForm::ShowCount() {
    const qk::FrameRing& ring = recorder_.Ring();
    QString text = QString("%1 frames").arg(ring.Size());
    if (filter_->rowCount() != static_cast<int>(ring.Size()))
        text += QString(", %1 shown").arg(filter_->rowCount());
    if (ring.Size() == ring.Capacity()) text += QString(" (the last %1 are kept)").arg(MaxFrames);
    if (paused_) text += ", paused";
    ui.CountLabel->setText(text);
}

void TBusMonitorForm::PauseButtonClick() {
    paused_ = !paused_;
    ui.PauseButton->setText(paused_ ? "RESUME" : "PAUSE");
    if (!paused_)
        SyncTable();
    else
        ShowCount();
}

void TBusMonitorForm::ClearButtonClick() {
    recorder_.Ring().Clear();
    model_->Sync();
    ShowCount();
}

// "26", "26h", "0x26": a register's sub-address; anything else shows every frame and says so.
void TBusMonitorForm::FilterEditChange(const QString& text) {
    QString digits = text.trimmed();
    if (digits.endsWith('h', Qt::CaseInsensitive)) digits.chop(1);
    if (digits.startsWith("0x", Qt::CaseInsensitive)) digits.remove(0, 2);
    bool ok = false;
    const uint value = digits.toUInt(&ok, 16);
    const bool valid = ok && value <= 0xFF;
    filter_->SetRegister(valid ? std::optional<uint8_t>(static_cast<uint8_t>(value))
                               : std::nullopt);
    ui.FilterEdit->setStyleSheet(digits.isEmpty() || valid ? "" : "background: #ffc0c0;");
    ShowCount();
}

// The frames shown (after the filter) go to the file in one piece: a failed save leaves any
// earlier file as it was.
void TBusMonitorForm::SaveButtonClick() {
    const QString path =
        qk::ChooseFileToWrite(this, "SaveCsvDialog", "Save frames as CSV", "CSV files (*.csv)");
    if (path.isEmpty()) return;
    SyncTable();
    QSaveFile file(path);
    bool ok = file.open(QIODevice::WriteOnly | QIODevice::Text);
    if (ok) {
        std::string text = qk::FrameCsvHeader();
        for (int row = 0; row < filter_->rowCount(); ++row) {
            const int source = filter_->mapToSource(filter_->index(row, 0)).row();
            if (const qk::MonitoredFrame* frame = model_->FrameAt(source))
                text += qk::FrameCsvLine(*frame);
        }
        ok = file.write(text.data(), static_cast<qint64>(text.size())) ==
                 static_cast<qint64>(text.size()) &&
             file.commit();
    }
    if (ok) return;
    QMessageBox box(
        QMessageBox::Warning, "Bus Monitor",
        QString("The frames could not be saved to %1: %2").arg(path, file.errorString()),
        QMessageBox::Ok, this);
    box.setObjectName("SaveErrorMessage");
    qk::ShowModal(box);
}
