#include "qt_platform.h"

#include <QApplication>
#include <QMessageBox>
#include <QPushButton>
#include <QTime>

#include "game_window.h"

namespace quondra::qt {

std::int16_t QtPlatform::MsgBox(std::string_view text, std::string_view title, std::int16_t style) {
    QMessageBox box(QMessageBox::NoIcon, QString::fromUtf8(title.data(), static_cast<qsizetype>(title.size())),
                    QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size())),
                    QMessageBox::NoButton, window_);
    QPushButton* yes = nullptr;
    if (style == kMsgBoxYesNo) {
        yes = box.addButton(QMessageBox::Yes);
        QPushButton* no = box.addButton(QMessageBox::No);
        box.setDefaultButton(yes);
        box.setEscapeButton(no);
    } else {
        box.setDefaultButton(box.addButton(QMessageBox::Ok));
    }
    // The game's time stands still while the box is open.
    if (window_) window_->BeginModal();
    box.exec();
    if (window_) window_->EndModal();
    if (style != kMsgBoxYesNo) return kAnswerOk;
    return box.clickedButton() == yes ? kAnswerYes : kAnswerNo;
}

void QtPlatform::End() {
    if (window_) window_->hide();
    QCoreApplication::exit(0);
}

void QtPlatform::SetFocus(std::string_view name) {
    if (window_) window_->FocusControl(name);
}

void QtPlatform::SetPointer(std::int16_t style) {
    if (window_) window_->ApplyPointer(style);
}

double QtPlatform::TimeOfDay() {
    return QTime::currentTime().msecsSinceStartOfDay() / 1000.0;
}

}  // namespace quondra::qt
