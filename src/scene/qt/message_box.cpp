#include "message_box.h"

#include <QAbstractNativeEventFilter>
#include <QDialog>
#include <QEventLoop>
#include <QFontMetrics>
#include <QGridLayout>
#include <QGuiApplication>
#include <QLabel>
#include <QMessageBox>
#include <QPushButton>
#include <QSpacerItem>
#include <QWindow>

#include "scene_fonts.h"

#include <xcb/xproto.h>

namespace quondra::qt {
namespace {

// The boxes speak in the game's own face, at the size of a desktop's dialogs.
constexpr Font kBoxFont{FontFace::Arial, 10, false, false};
// Room a title bar keeps beside its title for the window's icon and its
// buttons: Qt's own title bar on Wayland draws minimise and maximise too,
// whatever the box asks for (on X11 Qt asks for neither; openbox and KWin
// still give a modal dialog minimise, by their own rules).
constexpr int kTitleBarControlsPx = 160;
constexpr std::uint8_t kSentEventBit = 0x80;

// Another X client destroying the box leaves Qt waiting on a window that is
// gone, with the game blocked behind it: the box is answered as its Escape
// would answer it.
class DestroyedBoxAnswer : public QAbstractNativeEventFilter {
public:
    explicit DestroyedBoxAnswer(QDialog& box) : box_(box) { qApp->installNativeEventFilter(this); }
    ~DestroyedBoxAnswer() override { qApp->removeNativeEventFilter(this); }
    DestroyedBoxAnswer(const DestroyedBoxAnswer&) = delete;
    DestroyedBoxAnswer& operator=(const DestroyedBoxAnswer&) = delete;

    bool nativeEventFilter(const QByteArray& eventType, void* message, qintptr*) override {
        if (eventType != "xcb_generic_event_t") return false;
        const auto* event = static_cast<const xcb_generic_event_t*>(message);
        if ((event->response_type & ~kSentEventBit) != XCB_DESTROY_NOTIFY) return false;
        const WId box = box_.internalWinId();
        if (box != 0 && static_cast<const xcb_destroy_notify_event_t*>(message)->window == box) box_.reject();
        return false;
    }

private:
    QDialog& box_;
};

// Qt 6.4 drops a close request to a window that a modal box blocks unless
// the compositor sent it (Wayland has no other modality in Qt 6.4: its own
// title bar's close button posts the request, and the compositor never
// hears that the box is modal). There the box is shown modeless, and this
// keeps the game window as a modal box would, minus the close request: it
// takes no click, and the keys typed to it go to the box.
class GameWindowHeld : public QObject {
public:
    GameWindowHeld(QWindow& game, QDialog& box) : game_(game), box_(box) { game_.installEventFilter(this); }
    ~GameWindowHeld() override { game_.removeEventFilter(this); }
    GameWindowHeld(const GameWindowHeld&) = delete;
    GameWindowHeld& operator=(const GameWindowHeld&) = delete;

    bool eventFilter(QObject*, QEvent* event) override {
        switch (event->type()) {
            case QEvent::KeyPress:
            case QEvent::KeyRelease:
                if (box_.windowHandle() != nullptr) QCoreApplication::sendEvent(box_.windowHandle(), event);
                return true;
            case QEvent::MouseButtonPress:
            case QEvent::MouseButtonRelease:
            case QEvent::MouseButtonDblClick:
            case QEvent::Wheel:
            case QEvent::TouchBegin:
            case QEvent::TouchUpdate:
            case QEvent::TouchEnd: return true;
            default: return false;
        }
    }

private:
    QWindow& game_;
    QDialog& box_;
};

bool ModalityDropsCloseRequests() { return QGuiApplication::platformName() == QLatin1String("wayland"); }

// Runs the box until it is answered.
void Run(QMessageBox& box, QWidget* parent) {
    const DestroyedBoxAnswer destroyed(box);
    QWindow* game = parent != nullptr ? parent->windowHandle() : nullptr;
    if (game == nullptr || !ModalityDropsCloseRequests()) {
        box.exec();
        return;
    }
    const GameWindowHeld held(*game, box);
    QEventLoop answered;
    QObject::connect(&box, &QDialog::finished, &answered, &QEventLoop::quit);
    box.setWindowModality(Qt::NonModal);  // a message box makes itself modal
    box.show();
    answered.exec();
}

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
    Run(box, parent);
    if (style != kMsgBoxYesNo) return kAnswerOk;
    return box.clickedButton() == yes ? kAnswerYes : kAnswerNo;
}

}  // namespace quondra::qt
