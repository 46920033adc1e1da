#pragma once
// The values a window's controls reach, each brought about as the user brings it: every slider
// at both ends, one step inside them (the last value before a mute), at its scale's marks and at
// even steps between;
// every spin box at both ends; every item of every list box; every edit typed full with its
// longest valid content; then the window's own extras. After each, `check` reads the windows;
// each control goes back to where it stood.
#include <QAbstractButton>
#include <QComboBox>
#include <QLineEdit>
#include <QSlider>
#include <QSpinBox>
#include <QString>
#include <functional>
#include <set>

#include "board/VirtualBoard.h"
#include "gui/widgets/SliderScale.h"

namespace qk::test {

using StateCheck = std::function<void(const QString& state)>;

// The longest valid content of edits the user types freely, where no validator or length limit
// tells it, with the reason.
struct TypedContent {
    const char* edit;  // "Window/Edit"
    const char* text;
    const char* why;
};
inline const TypedContent kLongestTyped[] = {
    {"QK330SEOffsetRegForm/SEOffsetFloatEdit", "-1.999999999999999999999999999999",
     "the most negative offset with the 30 decimals the window shows"},
    {"QK330SEOffsetRegForm/Byte1Edit", "DD", "two hex digits, the widest"},
    {"QK330SEOffsetRegForm/Byte2Edit", "DD", "two hex digits, the widest"},
    {"QK330SEOffsetRegForm/Byte3Edit", "DD", "two hex digits, the widest"},
    {"QK330SEOffsetRegForm/Byte4Edit", "DD", "two hex digits, the widest"},
    {"QK330SEOffsetRegForm/PSUEdit", "99.9999", "a supply in volts to four decimals"},
    {"QK330SEOffsetRegForm/R1Edit", "9999999", "a resistor in ohms, up to 10 megohms"},
    {"QK330SEOffsetRegForm/R2Edit", "9999999", "a resistor in ohms, up to 10 megohms"},
};

// Texts the window writes itself, brought to their longest by what the window offers.
struct Extra {
    const char* window;
    const char* why;
    std::function<void(QWidget* window, board::VirtualBoard& board)> bring;
};

inline void TypeInto(QWidget* window, const char* edit, const QString& text) {
    auto* line = window->findChild<QLineEdit*>(edit);
    line->clear();
    line->insert(text);  // as if typed
}

inline void ClickOn(QWidget* window, const char* button) {
    window->findChild<QAbstractButton*>(button)->click();
}

inline const Extra kExtras[] = {
    {"QK330SEOffsetRegForm", "READ ALL of the most negative offset: the float box's full text",
     [](QWidget* window, board::VirtualBoard& board) {
         const uint8_t mostNegative[] = {0x80, 0x00, 0x00, 0x01};  // 32h .. 35h
         for (uint8_t k = 0; k < 4; ++k) board.SetRegister(0x32 + k, mostNegative[k]);
         ClickOn(window, "ReadAllButton");
     }},
    {"QK330SEOffsetRegForm", "a supply and a divider whose factors take all 15 digits",
     [](QWidget* window, board::VirtualBoard&) {
         TypeInto(window, "PSUEdit", "1.8");
         TypeInto(window, "R1Edit", "1");
         TypeInto(window, "R2Edit", "2");
     }},
    {"OkapiForm", "MUTE ALL engaged reads \"MUTED\"",
     [](QWidget* window, board::VirtualBoard&) {
         for (const char* button : {"QK310MuteAllBitBtn", "QK330MuteAllBitBtn"})
             if (auto* mute = window->findChild<QAbstractButton*>(button);
                 mute->isVisibleTo(window))
                 mute->click();
     }},
};

class ValueWalk {
  public:
    // Between its ends a slider stops this many times over its range, often enough to meet
    // each length of its readouts' texts.
    static constexpr int kSteps = 16;

    ValueWalk(QWidget* window, board::VirtualBoard& board, StateCheck check)
        : window_(window), board_(board), check_(std::move(check)) {}

    void Walk() {
        for (QSlider* slider : Shown<QSlider>()) WalkSlider(slider);
        for (QSpinBox* box : Shown<QSpinBox>())
            Visit(
                box, {box->minimum(), box->maximum()}, [box] { return box->value(); },
                [box](int value) { box->setValue(value); });
        for (QComboBox* list : Shown<QComboBox>()) WalkList(list);
        for (QLineEdit* edit : Shown<QLineEdit>()) TypeLongest(edit);
        for (const Extra& extra : kExtras) {
            if (window_->objectName() != extra.window) continue;
            extra.bring(window_, board_);
            check_(extra.why);
        }
    }

    // Edits whose longest content is not known: each needs a line in kLongestTyped.
    const QStringList& UnknownEdits() const { return unknown_; }

  private:
    template <typename Control>
    QList<Control*> Shown() const {
        QList<Control*> shown;
        for (Control* control : window_->findChildren<Control*>())
            if (control->isVisibleTo(window_)) shown.append(control);
        return shown;
    }

    QString Name(const QWidget* control) const {
        return window_->objectName() + "/" + control->objectName();
    }

    // Each position in turn, then back.
    void Visit(const QWidget* control, const std::set<int>& positions,
               const std::function<int()>& get, const std::function<void(int)>& set) {
        const int before = get();
        for (int position : positions) {
            set(position);
            check_(QString("%1 at %2").arg(control->objectName()).arg(position));
        }
        set(before);
    }

    void WalkSlider(QSlider* slider) {
        const int low = slider->minimum(), high = slider->maximum();
        std::set<int> positions = {low, std::min(low + 1, high), std::max(high - 1, low), high};
        for (int step = 1; step < kSteps; ++step)
            positions.insert(low + static_cast<int>(int64_t{high - low} * step / kSteps));
        for (QObject* child : slider->children())
            if (const auto* scale = dynamic_cast<const SliderScale*>(child))
                for (int mark : scale->MarkPositions()) positions.insert(mark);
        Visit(
            slider, positions, [slider] { return slider->value(); },
            [slider](int position) { slider->setValue(position); });
    }

    void WalkList(QComboBox* list) {
        std::set<int> items;
        for (int item = 0; item < list->count(); ++item) items.insert(item);
        Visit(
            list, items, [list] { return list->currentIndex(); },
            [list](int item) { list->setCurrentIndex(item); });
    }

    // An edit the user can type into, typed full; the edits of spin and list boxes follow their
    // boxes.
    void TypeLongest(QLineEdit* edit) {
        if (!edit->isEnabled() || edit->isReadOnly() ||
            qobject_cast<QAbstractSpinBox*>(edit->parentWidget()) ||
            qobject_cast<QComboBox*>(edit->parentWidget()))
            return;
        const QString longest = LongestContent(*edit);
        if (longest.isEmpty()) {
            unknown_.append(Name(edit));
            return;
        }
        const QString before = edit->text();
        edit->clear();
        edit->insert(longest);
        check_(QString("%1 typed full").arg(edit->objectName()));
        edit->clear();
        edit->insert(before);
    }

    QString LongestContent(const QLineEdit& edit) const {
        constexpr int kNoLimit = 32767;  // QLineEdit's own maximum
        for (const TypedContent& typed : kLongestTyped)
            if (Name(&edit) == typed.edit) return typed.text;
        if (edit.maxLength() < kNoLimit) return QString(edit.maxLength(), QChar('W'));
        return {};
    }

    QWidget* window_;
    board::VirtualBoard& board_;
    StateCheck check_;
    QStringList unknown_;
};

}  // namespace qk::test
