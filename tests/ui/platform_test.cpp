// The platform services of the real window.
#include <QApplication>
#include <QMessageBox>
#include <QPushButton>
#include <QTest>
#include <QTimer>

#include "ui_support.h"

// The X headers define names such as None as macros: they come last.
#include <X11/Xlib.h>

using namespace quondra;
using namespace quondra::qt;
using namespace quondra::qt::testing;

namespace {

struct SeenBox {
    QString text, title;
    QMessageBox::Icon icon = QMessageBox::Information;
    QStringList buttons;
    QString defaultButton;
    bool clockRunning = true;
};

// Answers the next message box with a key, noting what it showed.
void AnswerNextBox(GameWindow& window, SeenBox& seen, Qt::Key key) {
    QTimer::singleShot(0, [&window, &seen, key] {
        auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
        QVERIFY(box != nullptr);
        seen.text = box->text();
        seen.title = box->windowTitle();
        seen.icon = box->icon();
        for (QAbstractButton* b : box->buttons()) seen.buttons << b->text().remove('&');
        seen.buttons.sort();
        if (box->defaultButton() != nullptr) seen.defaultButton = box->defaultButton()->text().remove('&');
        seen.clockRunning = window.Clock().Running();
        QTest::keyClick(box, key);
    });
}

// A box left unanswered waits for ever; this turns that into a failure.
constexpr int kBoxDeadlineMs = 10000;

}  // namespace

class PlatformTest : public QObject {
    Q_OBJECT

private slots:
    void YesNoBoxAnswers_data() {
        QTest::addColumn<int>("key");
        QTest::addColumn<int>("answer");
        QTest::newRow("Enter takes the default Yes") << int(Qt::Key_Return) << int(kAnswerYes);
        QTest::newRow("Escape answers No") << int(Qt::Key_Escape) << int(kAnswerNo);
    }
    void YesNoBoxAnswers() {
        QFETCH(int, key);
        QFETCH(int, answer);
        ShownGame game;
        SeenBox seen;
        AnswerNextBox(game.window, seen, Qt::Key(key));
        std::int16_t got = 0;
        game.window.RunCore([&] { got = game.frm.platform.MsgBox("Are you sure?", "Exit Program", kMsgBoxYesNo); });
        QCOMPARE(int(got), answer);
        QCOMPARE(seen.text, QStringLiteral("Are you sure?"));
        QCOMPARE(seen.title, QStringLiteral("Exit Program"));
        QCOMPARE(seen.icon, QMessageBox::NoIcon);
        QCOMPARE(seen.buttons, (QStringList{"No", "Yes"}));
        QCOMPARE(seen.defaultButton, QStringLiteral("Yes"));
    }

    void OkBoxAnswersOneAndTheClockStandsStillWhileItIsOpen() {
        ShownGame game;
        Tap(game.window, Qt::Key_Return);  // a match: the clock runs
        SeenBox seen;
        AnswerNextBox(game.window, seen, Qt::Key_Return);
        std::int16_t got = 0;
        game.window.RunCore([&] { got = game.frm.platform.MsgBox("Red Wins!", "MATCH", kMsgBoxOk); });
        QCOMPARE(got, kAnswerOk);
        QCOMPARE(seen.buttons, QStringList{"OK"});
        QCOMPARE(seen.icon, QMessageBox::NoIcon);
        QVERIFY(!seen.clockRunning);
        QVERIFY(game.window.Clock().Running());
    }

    void BoxDestroyedByAnotherProgramAnswersAsItsEscape_data() {
        QTest::addColumn<int>("style");
        QTest::addColumn<int>("answer");
        QTest::newRow("the quit question answers No") << int(kMsgBoxYesNo) << int(kAnswerNo);
        QTest::newRow("the winner's box answers OK") << int(kMsgBoxOk) << int(kAnswerOk);
    }
    void BoxDestroyedByAnotherProgramAnswersAsItsEscape() {
        if (QGuiApplication::platformName() != QLatin1String("xcb")) QSKIP("needs an X server (ui.platform_x11)");
        QFETCH(int, style);
        QFETCH(int, answer);
        ShownGame game;
        Tap(game.window, Qt::Key_Return);  // a match: the clock runs
        bool destroyed = false;
        bool unanswered = false;
        QTimer::singleShot(0, [&] {
            QWidget* box = QApplication::activeModalWidget();
            QVERIFY(box != nullptr);
            Display* other = XOpenDisplay(nullptr);
            QVERIFY(other != nullptr);
            XDestroyWindow(other, box->winId());
            XCloseDisplay(other);
            destroyed = true;
        });
        QTimer::singleShot(kBoxDeadlineMs, [&] {
            if (auto* box = qobject_cast<QDialog*>(QApplication::activeModalWidget())) {
                unanswered = true;
                box->reject();
            }
        });
        std::int16_t got = 0;
        game.window.RunCore([&] { got = game.frm.platform.MsgBox("Text", "Title", std::int16_t(style)); });
        QVERIFY(destroyed);
        QVERIFY2(!unanswered, "the destroyed box held the game");
        QCOMPARE(int(got), answer);
        QVERIFY(QApplication::activeModalWidget() == nullptr);
        QVERIFY(game.window.Clock().Running());
    }

    void PointerStylesAreTheArrowAndATransparentPointer() {
        ShownGame game;
        game.window.RunCore([&] { SetPointer(game.frm, kPointerHidden); });
        QCOMPARE(game.window.cursor().shape(), Qt::BitmapCursor);
        const QImage pointer = game.window.cursor().pixmap().toImage();
        QCOMPARE(pointer.size(), QSize(32, 32));
        bool allClear = true;
        for (int y = 0; y < pointer.height(); ++y)
            for (int x = 0; x < pointer.width(); ++x) allClear = allClear && qAlpha(pointer.pixel(x, y)) == 0;
        QVERIFY(allClear);
        game.window.RunCore([&] { SetPointer(game.frm, kPointerArrow); });
        QCOMPARE(game.window.cursor().shape(), Qt::ArrowCursor);
    }

    void SetFocusGivesTheRealButtonTheFocus() {
        ShownGame game;
        QTest::mouseClick(game.window.Controls().Radio(game.frm.optSlow), Qt::LeftButton);
        QVERIFY(QApplication::focusWidget() != game.window.Controls().Play());
        game.window.RunCore([&] { SetFocus(game.frm, &game.frm.cmdPlay); });
        QCOMPARE(QApplication::focusWidget(), game.window.Controls().Play());
    }

    void ClosingTheWindowEndsTheProgram() {
        ShownGame game;
        int ended = 0;
        QObject::connect(&game.window, &GameWindow::programEnded, [&] { ++ended; });
        game.window.close();
        QVERIFY(game.frm.Ended);
        QCOMPARE(ended, 1);
        // Nothing reaches the game after its end.
        Tap(game.window, Qt::Key_Return);
        QVERIFY(!game.frm.tmrBall.Enabled());
    }

    void ClosingTheWindowWithTheQuitQuestionOpenRunsNoGameCodeAfterTheBox() {
        ShownGame game;
        Tap(game.window, Qt::Key_Return);
        int ended = 0;
        QObject::connect(&game.window, &GameWindow::programEnded, [&] { ++ended; });
        QTimer::singleShot(0, [&] {
            QVERIFY(QApplication::activeModalWidget() != nullptr);
            game.window.close();
        });
        Tap(game.window, Qt::Key_Q);
        QVERIFY(game.frm.Ended);
        QVERIFY(QApplication::activeModalWidget() == nullptr);
        // The question's No would have resumed the match and hidden the pointer.
        QCOMPARE(game.frm.Paused, kTrue);
        QVERIFY(!game.frm.tmrBall.Enabled());
        QCOMPARE(game.frm.MousePointer, kPointerArrow);
        QTRY_COMPARE(ended, 1);
    }
};

QTEST_MAIN(PlatformTest)
#include "platform_test.moc"
