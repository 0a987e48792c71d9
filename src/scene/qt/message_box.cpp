#include "message_box.h"

#include <QFontMetrics>
#include <QGridLayout>
#include <QLabel>
#include <QMessageBox>
#include <QPushButton>
#include <QSpacerItem>

#include "scene_fonts.h"

namespace quondra::qt {
namespace {

// The boxes speak in the game's own face, at the size of a desktop's dialogs.
constexpr Font kBoxFont{FontFace::Arial, 10, false, false};
// Room a title bar keeps beside its title for the window's icon and its
// minimise, maximise and close buttons.
constexpr int kTitleBarControlsPx = 160;

// Without an icon and with a title of its own to show: the box is at least
// as wide as its title needs, its text centred over the whole width, and
// its buttons plain words as the game's boxes always were.
void Finish(QMessageBox& box) {
    box.setFont(ToQFont(kBoxFont));
    for (QAbstractButton* button : box.buttons()) button->setIcon(QIcon());
    auto* grid = qobject_cast<QGridLayout*>(box.layout());
    if (grid == nullptr) return;
    // The box's layout keeps a column for the icon even when there is none.
    if (auto* icon = box.findChild<QLabel*>(QStringLiteral("qt_msgboxex_icon_label"))) {
        grid->removeWidget(icon);
        icon->hide();
    }
    if (auto* label = box.findChild<QLabel*>(QStringLiteral("qt_msgbox_label")); label && grid->indexOf(label) >= 0) {
        int row = 0, column = 0, rows = 0, columns = 0;
        grid->getItemPosition(grid->indexOf(label), &row, &column, &rows, &columns);
        grid->removeWidget(label);
        grid->addWidget(label, row, 0, rows, grid->columnCount());
        label->setAlignment(Qt::AlignCenter);
    }
    // The box sizes itself from its layout when shown, so the width goes there.
    const int titleWidth = QFontMetrics(box.font()).horizontalAdvance(box.windowTitle()) + kTitleBarControlsPx;
    grid->addItem(new QSpacerItem(titleWidth, 0, QSizePolicy::Minimum, QSizePolicy::Fixed), grid->rowCount(), 0, 1,
                  grid->columnCount());
}

QString Text(std::string_view s) { return QString::fromUtf8(s.data(), static_cast<qsizetype>(s.size())); }

}  // namespace

std::int16_t ShowMessageBox(QWidget* parent, std::string_view text, std::string_view title, std::int16_t style) {
    // Built by hand: the static helpers always draw an icon.
    QMessageBox box(QMessageBox::NoIcon, Text(title), Text(text), QMessageBox::NoButton, parent);
    QPushButton* yes = nullptr;
    if (style == kMsgBoxYesNo) {
        yes = box.addButton(QMessageBox::Yes);
        QPushButton* no = box.addButton(QMessageBox::No);
        box.setDefaultButton(yes);
        box.setEscapeButton(no);
    } else {
        box.setDefaultButton(box.addButton(QMessageBox::Ok));
    }
    Finish(box);
    box.exec();
    if (style != kMsgBoxYesNo) return kAnswerOk;
    return box.clickedButton() == yes ? kAnswerYes : kAnswerNo;
}

}  // namespace quondra::qt
