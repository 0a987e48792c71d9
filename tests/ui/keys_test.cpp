// Keys as the desktop delivers them: their codes, the held-key filter, and
// what reaches the game in the real window.
#include <algorithm>

#include <QApplication>
#include <QList>
#include <QMessageBox>
#include <QTest>
#include <QTimer>

#include "game/keys.h"
#include "key_filter.h"
#include "key_map.h"
#include "ui_support.h"

using namespace quondra;
using namespace quondra::qt;
using namespace quondra::qt::testing;

namespace {

constexpr int kNoCode = -1;
// X11 key codes of a few keys, for layouts that type something else on them.
constexpr quint32 kScanA = 38, kScanD = 40, kScanOne = 10, kScanZero = 19, kScanMinus = 20;

// What a filter passes on, written as "+65" for a key-down and "-65" for a key-up.
struct Recorder {
    QStringList seen;
    KeyFilter filter{[this](bool down, std::int16_t code) { seen << QString("%1%2").arg(down ? '+' : '-').arg(code); }};
};

}  // namespace

class KeysTest : public QObject {
    Q_OBJECT

    static void StartMatch(ShownGame& game) {
        Tap(game.window, Qt::Key_Return);
        QVERIFY(game.frm.tmrBall.Enabled());
    }

private slots:
    void KeyEventsBecomeVirtualKeyCodes_data() {
        QTest::addColumn<int>("key");
        QTest::addColumn<int>("modifiers");
        QTest::addColumn<QString>("text");
        QTest::addColumn<quint32>("scanCode");
        QTest::addColumn<int>("code");
        QTest::newRow("a") << int(Qt::Key_A) << 0 << "a" << kScanA << 65;
        QTest::newRow("Shift+A") << int(Qt::Key_A) << int(Qt::ShiftModifier) << "A" << kScanA << 65;
        QTest::newRow("Ctrl+D") << int(Qt::Key_D) << int(Qt::ControlModifier) << "\x04" << kScanD << 68;
        QTest::newRow("x") << int(Qt::Key_X) << 0 << "x" << quint32{53} << 88;
        QTest::newRow("digit 5") << int(Qt::Key_5) << 0 << "5" << quint32{14} << 53;
        QTest::newRow("Shift+1 types !") << int(Qt::Key_Exclam) << int(Qt::ShiftModifier) << "!" << kScanOne << 49;
        QTest::newRow("Shift+0 types )") << int(Qt::Key_ParenRight) << int(Qt::ShiftModifier) << ")" << kScanZero << 48;
        QTest::newRow("Cyrillic on the A key") << 0x0424 << 0 << QString::fromUtf8("ф") << kScanA << 65;
        QTest::newRow("Cyrillic on the D key") << 0x0412 << 0 << QString::fromUtf8("в") << kScanD << 68;
        QTest::newRow("Enter") << int(Qt::Key_Return) << 0 << "\r" << quint32{36} << 13;
        QTest::newRow("keypad Enter") << int(Qt::Key_Enter) << int(Qt::KeypadModifier) << "\r" << quint32{104} << 13;
        QTest::newRow("Escape") << int(Qt::Key_Escape) << 0 << "\x1b" << quint32{9} << 27;
        QTest::newRow("Space") << int(Qt::Key_Space) << 0 << " " << quint32{65} << 32;
        QTest::newRow("Tab") << int(Qt::Key_Tab) << 0 << "\t" << quint32{23} << 9;
        QTest::newRow("Shift+Tab") << int(Qt::Key_Backtab) << int(Qt::ShiftModifier) << "" << quint32{23} << 9;
        QTest::newRow("Left") << int(Qt::Key_Left) << 0 << "" << quint32{113} << 37;
        QTest::newRow("Up") << int(Qt::Key_Up) << 0 << "" << quint32{111} << 38;
        QTest::newRow("Right") << int(Qt::Key_Right) << 0 << "" << quint32{114} << 39;
        QTest::newRow("Down") << int(Qt::Key_Down) << 0 << "" << quint32{116} << 40;
        QTest::newRow("Shift alone") << int(Qt::Key_Shift) << int(Qt::ShiftModifier) << "" << quint32{50} << kNoCode;
        QTest::newRow("minus") << int(Qt::Key_Minus) << 0 << "-" << kScanMinus << kNoCode;
    }
    void KeyEventsBecomeVirtualKeyCodes() {
        QFETCH(int, key);
        QFETCH(int, modifiers);
        QFETCH(QString, text);
        QFETCH(quint32, scanCode);
        QFETCH(int, code);
        const QKeyEvent event(QEvent::KeyPress, key, Qt::KeyboardModifiers(modifiers), scanCode, 0, 0, text);
        const std::optional<std::int16_t> mapped = VirtualKey(event);
        QCOMPARE(mapped ? int(*mapped) : kNoCode, code);
    }

    void HeldKeyFilterPassesOneDownAndOneUp_data() {
        QTest::addColumn<QStringList>("events");  // p/r press/release, P/R auto-repeated, L focus lost
        QTest::addColumn<QStringList>("delivered");
        QTest::newRow("press and release") << QStringList{"p27", "r27"} << QStringList{"+27", "-27"};
        QTest::newRow("auto-repeat pairs dropped")
            << QStringList{"p27", "R27", "P27", "R27", "P27", "r27"} << QStringList{"+27", "-27"};
        QTest::newRow("release with no press dropped") << QStringList{"r65"} << QStringList{};
        QTest::newRow("second press of a held key dropped") << QStringList{"p13", "p13", "r13", "r13"}
                                                            << QStringList{"+13", "-13"};
        QTest::newRow("two keys held together") << QStringList{"p65", "p39", "r65", "r39"}
                                                << QStringList{"+65", "+39", "-65", "-39"};
        QTest::newRow("focus lost releases held keys, real release then dropped")
            << QStringList{"p65", "p68", "L", "r65", "r68"} << QStringList{"+65", "+68", "-65", "-68"};
        QTest::newRow("focus lost with nothing held") << QStringList{"L"} << QStringList{};
    }
    void HeldKeyFilterPassesOneDownAndOneUp() {
        QFETCH(QStringList, events);
        QFETCH(QStringList, delivered);
        Recorder r;
        for (const QString& e : events) {
            const auto code = static_cast<std::int16_t>(e.mid(1).toInt());
            if (e == "L") r.filter.ReleaseAll();
            else if (e[0].toLower() == 'p') r.filter.Press(code, e[0] == 'P');
            else r.filter.Release(code, e[0] == 'R');
        }
        QCOMPARE(r.seen, delivered);
    }

    void HeldEscapeWithAutoRepeatPausesOnce() {
        ShownGame game;
        StartMatch(game);
        SendKey(game.window, QEvent::KeyPress, Qt::Key_Escape);
        for (int i = 0; i < 5; ++i) {
            SendKey(game.window, QEvent::KeyRelease, Qt::Key_Escape, {}, true);
            SendKey(game.window, QEvent::KeyPress, Qt::Key_Escape, {}, true);
        }
        SendKey(game.window, QEvent::KeyRelease, Qt::Key_Escape);
        QCOMPARE(game.frm.Paused, kTrue);
        QVERIFY(game.frm.lblPaused.Visible);
    }

    void ReleaseWithNoPressDoesNotReachTheGame() {
        ShownGame game;
        StartMatch(game);
        game.frm.tmrLeft1.SetEnabled(true);
        Release(game.window, Qt::Key_A);
        QVERIFY(game.frm.tmrLeft1.Enabled());
    }

    void HeldKeyWalksUntilItsRelease() {
        ShownGame game;
        StartMatch(game);
        Press(game.window, Qt::Key_A);
        QVERIFY(game.frm.tmrLeft1.Enabled());
        SendKey(game.window, QEvent::KeyRelease, Qt::Key_A, "a", true);
        QVERIFY(game.frm.tmrLeft1.Enabled());
        Release(game.window, Qt::Key_A);
        QVERIFY(!game.frm.tmrLeft1.Enabled());
    }

    void FocusLossReleasesAHeldKey() {
        ShownGame game;
        StartMatch(game);
        Press(game.window, Qt::Key_D);
        QVERIFY(game.frm.tmrRight1.Enabled());
        QFocusEvent lost(QEvent::FocusOut, Qt::ActiveWindowFocusReason);
        QCoreApplication::sendEvent(game.window.windowHandle(), &lost);
        QVERIFY(!game.frm.tmrRight1.Enabled());
        QVERIFY(!game.window.Keys().AnyHeld());
    }

    // Both players walking in a match of two humans, then the focus goes.
    void LosingTheFocusReleasesEveryHeldKey_data() {
        QTest::addColumn<QList<int>>("keys");
        QTest::addColumn<bool>("anotherWindow");  // or the focus-out event alone
        const QList<int> all{Qt::Key_A, Qt::Key_D, Qt::Key_Left, Qt::Key_Right};
        QTest::newRow("one key, focus out") << QList<int>{Qt::Key_A} << false;
        QTest::newRow("four keys, focus out") << all << false;
        QTest::newRow("four keys and Space, another window activated") << (all + QList<int>{Qt::Key_Space}) << true;
        QTest::newRow("Yellow's two keys, another window activated") << QList<int>{Qt::Key_A, Qt::Key_D} << true;
    }
    void LosingTheFocusReleasesEveryHeldKey() {
        QFETCH(QList<int>, keys);
        QFETCH(bool, anotherWindow);
        ShownGame game;
        FrmGame& frm = game.frm;
        QTest::mouseClick(game.window.Controls().Radio(frm.optHuman), Qt::LeftButton);
        QTest::mouseClick(game.window.Controls().Play(), Qt::LeftButton);
        QVERIFY(frm.tmrBall.Enabled());
        for (int key : keys) Press(game.window, key);
        const Timer* walking[] = {&frm.tmrLeft1, &frm.tmrRight1, &frm.tmrLeft2, &frm.tmrRight2};
        QVERIFY(std::any_of(std::begin(walking), std::end(walking), [](const Timer* t) { return t->Enabled(); }));

        QWidget other;
        if (anotherWindow) {
            other.show();
            other.activateWindow();
            QVERIFY(QTest::qWaitForWindowActive(&other));
        } else {
            QFocusEvent lost(QEvent::FocusOut, Qt::ActiveWindowFocusReason);
            QCoreApplication::sendEvent(game.window.windowHandle(), &lost);
        }
        for (const Timer* t : walking) QVERIFY2(!t->Enabled(), t->Name.data());
        QVERIFY(!game.window.Keys().AnyHeld());
        QVERIFY(frm.tmrBall.Enabled());  // play goes on; only the keys were let go
    }

    void AMessageBoxLeftOpenForHoursIsFollowedByNoBurst() {
        std::int64_t now = 0;
        ShownGame game([&now] { return now; });
        FrmGame& frm = game.frm;
        StartMatch(game);
        constexpr std::int64_t kPeriodNs = 15'625'000, kHoursNs = 5 * 3'600'000'000'000;
        now += 3 * kPeriodNs;
        QCOMPARE(game.window.Clock().Wake(), std::int64_t{3});
        QTimer::singleShot(0, [&] {
            auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
            QVERIFY(box != nullptr);
            now += kHoursNs;  // the player went away with the question on the screen
            QCOMPARE(game.window.Clock().Wake(), std::int64_t{0});
            QTest::keyClick(box, Qt::Key_Escape);
        });
        const std::int64_t before = frm.clock.Period();
        const float ballTop = frm.shpBall.Top;
        Press(game.window, Qt::Key_Q);
        Release(game.window, Qt::Key_Q);
        QVERIFY(frm.tmrBall.Enabled());
        QCOMPARE(game.window.Clock().Wake(), std::int64_t{0});
        QCOMPARE(frm.clock.Period(), before);
        QCOMPARE(frm.shpBall.Top, ballTop);
        // Then play goes on at its own pace, one period a period.
        now += kPeriodNs;
        QCOMPARE(game.window.Clock().Wake(), std::int64_t{1});
        QCOMPARE(frm.clock.Period(), before + 1);
    }

    void OpeningAMessageBoxReleasesHeldKeysAfterTheHandlerReturns() {
        ShownGame game;
        FrmGame& frm = game.window.Game();
        StartMatch(game);
        Press(game.window, Qt::Key_A);
        bool heldWhileOpen = true, ballStoppedWhileOpen = false;
        QTimer::singleShot(0, [&] {
            auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
            QVERIFY(box != nullptr);
            heldWhileOpen = game.window.Keys().AnyHeld();
            ballStoppedWhileOpen = !frm.tmrBall.Enabled();
            QTest::keyClick(box, Qt::Key_Escape);
        });
        Press(game.window, Qt::Key_Q);
        QVERIFY(!heldWhileOpen);
        QVERIFY(ballStoppedWhileOpen);
        // No: play goes on, and the released A walks no more.
        QVERIFY(frm.tmrBall.Enabled());
        QVERIFY(!frm.tmrLeft1.Enabled());
        QCOMPARE(frm.QuitAnswer, kAnswerNo);
        // The Q that opened the box was released with it; its real release is dropped.
        Release(game.window, Qt::Key_Q);
        Release(game.window, Qt::Key_A);
        QVERIFY(!frm.Ended);
    }
};

QTEST_MAIN(KeysTest)
#include "keys_test.moc"
