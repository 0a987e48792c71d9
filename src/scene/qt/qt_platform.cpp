#include "qt_platform.h"

#include <QMessageBox>
#include <QPushButton>
#include <QTime>

#include "game/frm_game.h"
#include "game_window.h"

namespace quondra::qt {
namespace {

constexpr double kMsPerSecond = 1000.0;

QString Text(std::string_view s) { return QString::fromUtf8(s.data(), static_cast<qsizetype>(s.size())); }

}  // namespace

std::int16_t QtPlatform::MsgBox(std::string_view text, std::string_view title, std::int16_t style) {
    // Built by hand: the static helpers always draw an icon.
    QMessageBox box(QMessageBox::NoIcon, Text(title), Text(text), QMessageBox::NoButton, window_);
    QPushButton* yes = nullptr;
    if (style == kMsgBoxYesNo) {
        yes = box.addButton(QMessageBox::Yes);
        QPushButton* no = box.addButton(QMessageBox::No);
        box.setDefaultButton(yes);
        box.setEscapeButton(no);
    } else {
        box.setDefaultButton(box.addButton(QMessageBox::Ok));
    }
    if (window_ != nullptr) window_->BeginModal();
    box.exec();
    if (window_ != nullptr) {
        window_->EndModal();
        // The window was closed while the box was open: no game code may run on.
        if (window_->Game().Ended) throw ProgramEnded{};
    }
    if (style != kMsgBoxYesNo) return kAnswerOk;
    return box.clickedButton() == yes ? kAnswerYes : kAnswerNo;
}

void QtPlatform::End() {
    if (window_ != nullptr) window_->EndProgram();
}

void QtPlatform::SetFocus(std::string_view name) {
    if (window_ != nullptr) window_->FocusControl(name);
}

void QtPlatform::SetPointer(std::int16_t style) {
    if (window_ != nullptr) window_->ApplyPointer(style);
}

double QtPlatform::TimeOfDay() { return QTime::currentTime().msecsSinceStartOfDay() / kMsPerSecond; }

}  // namespace quondra::qt
