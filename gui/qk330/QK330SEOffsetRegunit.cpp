#include "gui/qk330/QK330SEOffsetRegunit.h"

#include "gui/registry/Forms.h"
#include "gui/widgets/StrictDecimal.h"

namespace {

constexpr uint8_t kFirstSeOffsetRegister = 0x32;  // the most significant byte; 35h the least
constexpr double kPsuReferenceVolts = 2.7;

QString Text(const std::string& text) {
    return QString::fromStdString(text);
}

// The first two characters of a byte edit, one byte each: anything but ASCII is no hex digit.
std::string FirstTwoCharacters(const QString& text) {
    std::string ascii;
    for (QChar c : text.left(2)) ascii += c.unicode() < 0x80 ? static_cast<char>(c.unicode()) : '?';
    return ascii;
}

}  // namespace

TQK330SEOffsetRegForm::TQK330SEOffsetRegForm(qk::ChipSession& session, QWidget* parent)
    : QWidget(parent), session_(session) {
    ui.setupUi(this);
    setFixedSize(size());
    byteEdits_ = {ui.Byte1Edit, ui.Byte2Edit, ui.Byte3Edit, ui.Byte4Edit};
    // Programmatic changes count too: clearing the calculator recomputes the factors.
    for (QLineEdit* edit : {ui.PSUEdit, ui.R1Edit, ui.R2Edit})
        connect(edit, &QLineEdit::textChanged, this, [this] { UpdateSeFactors(); });
    connect(ui.HexBitBtn, &QPushButton::clicked, this, &TQK330SEOffsetRegForm::HexBitBtnClick);
    connect(ui.FloatBitBtn, &QPushButton::clicked, this, &TQK330SEOffsetRegForm::FloatBitBtnClick);
    connect(ui.CalcSEOffsetButton, &QPushButton::clicked, this,
            &TQK330SEOffsetRegForm::CalcSEOffsetButtonClick);
    connect(ui.SendButton, &QPushButton::clicked, this, &TQK330SEOffsetRegForm::SendButtonClick);
    connect(ui.ReadAllButton, &QPushButton::clicked, this,
            &TQK330SEOffsetRegForm::ReadAllButtonClick);
    connect(ui.CancelButton, &QPushButton::clicked, this, &QWidget::hide);
    // A restore shows each byte, then Hex Enter, Float Enter and APPLY.
    connect(&session_, &qk::ChipSession::registerRefreshed, this,
            [this](qk::ChipFamily family, uint8_t reg) {
                const int byte = reg - kFirstSeOffsetRegister + 1;
                if (family == qk::ChipFamily::QK330 && byte >= 1 && byte <= int(byteEdits_.size()))
                    ShowSeOffsetByte(byte, session_.QK330Image().Current(reg));
            });
    // A read or a restore shows the four bytes exactly (the editor's refresh shows each byte
    // through its rounded number).
    connect(&session_, &qk::ChipSession::registerChanged, this,
            [this](qk::ChipFamily family, uint8_t reg) {
                if (family != qk::ChipFamily::QK330 || reg != kFirstSeOffsetRegister + 3) return;
                qk::QK330RegisterImage& image = session_.QK330Image();
                ShowSeOffset({image.Current(kFirstSeOffsetRegister),
                              image.Current(kFirstSeOffsetRegister + 1),
                              image.Current(kFirstSeOffsetRegister + 2),
                              image.Current(kFirstSeOffsetRegister + 3)});
            });
}

void TQK330SEOffsetRegForm::ShowSeOffsetByte(int byte, uint8_t value) {
    if (byte < 1 || byte > static_cast<int>(byteEdits_.size())) return;
    byteEdits_[byte - 1]->setText(Text(qk::HexEditText(value)));
    HexBitBtnClick();
    FloatBitBtnClick();  // the value rounded to single precision, as the number shows it
    SendButtonClick();
}

void TQK330SEOffsetRegForm::ShowSeOffset(const qk::SeOffsetBytes& bytes) {
    ShowBytes(bytes);
    HexBitBtnClick();
}

void TQK330SEOffsetRegForm::ClearSeCalculator() {
    for (QLineEdit* edit : {ui.PSUEdit, ui.R1Edit, ui.R2Edit, ui.PSUFactorEdit, ui.RFactorEdit})
        edit->setText("0");
}

bool TQK330SEOffsetRegForm::UpdateSeFactors() {
    double psu = 0.0, r1 = 0.0, r2 = 0.0;
    if (!qk::StrictDecimal(this, ui.PSUEdit->text(), psu) ||
        !qk::StrictDecimal(this, ui.R1Edit->text(), r1) ||
        !qk::StrictDecimal(this, ui.R2Edit->text(), r2))
        return false;
    const double divider = r1 + r2 == 0.0 ? 0.0 : r2 / (r1 + r2);
    ui.PSUFactorEdit->setText(Text(qk::GeneralFloatText(psu / kPsuReferenceVolts)));
    ui.RFactorEdit->setText(Text(qk::GeneralFloatText(divider)));
    return true;
}

void TQK330SEOffsetRegForm::HexBitBtnClick() {
    ClearSeCalculator();
    ui.SEOffsetFloatEdit->setText(Text(qk::SeOffsetFromBytes(EditedBytes())));
}

void TQK330SEOffsetRegForm::FloatBitBtnClick() {
    ClearSeCalculator();
    ShowBytes(qk::SeOffsetToBytes(ui.SEOffsetFloatEdit->text().toStdString()));
}

void TQK330SEOffsetRegForm::CalcSEOffsetButtonClick() {
    if (!UpdateSeFactors()) return;
    // The factors as their boxes show them.
    double psuFactor = 0.0, dividerFactor = 0.0;
    if (!qk::StrictDecimal(this, ui.PSUFactorEdit->text(), psuFactor) ||
        !qk::StrictDecimal(this, ui.RFactorEdit->text(), dividerFactor))
        return;
    ui.SEOffsetFloatEdit->setText(Text(qk::GeneralFloatText(psuFactor * dividerFactor)));
    ShowBytes(qk::SeOffsetToBytes(ui.SEOffsetFloatEdit->text().toStdString()));
}

void TQK330SEOffsetRegForm::SendButtonClick() {
    qk::QK330RegisterImage& image = session_.QK330Image();
    const qk::SeOffsetBytes bytes = EditedBytes();
    for (size_t k = 0; k < bytes.size(); ++k)
        image.StoreAndWrite(static_cast<uint8_t>(kFirstSeOffsetRegister + k), bytes[k]);
}

void TQK330SEOffsetRegForm::ReadAllButtonClick() {
    // Every register is read before anything is written: each show ends with APPLY, which would
    // otherwise overwrite the registers not yet read with the window's older bytes. Each show
    // starts from all four bytes read, so that no byte combines with another's rounding.
    qk::QK330RegisterImage& image = session_.QK330Image();
    qk::SeOffsetBytes read{};
    for (size_t k = 0; k < read.size(); ++k)
        read[k] = image.ReadAndStore(static_cast<uint8_t>(kFirstSeOffsetRegister + k));
    for (size_t k = 0; k < read.size(); ++k) {
        ShowBytes(read);
        ShowSeOffsetByte(static_cast<int>(k) + 1, read[k]);
    }
}

void TQK330SEOffsetRegForm::ShowBytes(const qk::SeOffsetBytes& bytes) {
    for (size_t k = 0; k < bytes.size(); ++k)
        byteEdits_[k]->setText(Text(qk::HexEditText(bytes[k])));
}

qk::SeOffsetBytes TQK330SEOffsetRegForm::EditedBytes() const {
    qk::SeOffsetBytes bytes{};
    for (size_t k = 0; k < bytes.size(); ++k)
        bytes[k] = qk::HexEditByte(FirstTwoCharacters(byteEdits_[k]->text()));
    return bytes;
}
