// Keys as the desktop delivers them: their codes, the held-key filter, and
// what reaches the game in the real window.
#include <algorithm>
#include <map>
#include <span>

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

void SendTimedKey(GameWindow& window, QEvent::Type type, int key, ulong time) {
    QKeyEvent event(type, key, Qt::NoModifier);
    event.setTimestamp(time);
    QCoreApplication::sendEvent(window.windowHandle(), &event);
}

// The display server's word on keys, written as "+68,-65": D down, A up.
std::map<std::int16_t, bool> Answer(const QString& written) {
    std::map<std::int16_t, bool> down;
    for (const QString& key : written.split(',', Qt::SkipEmptyParts))
        down[static_cast<std::int16_t>(key.mid(1).toInt())] = key[0] == '+';
    return down;
}

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
        // p/r press/release, P/R marked as auto-repeat, "@t" an event time;
        // e/E press/release in a message box; F the pair wait runs out;
        // L a message box takes the keyboard (B: and opens, C: and closes;
        // "C:+68,-65" closes it as the display server says D is down and A up),
        // G another program takes it.
        QTest::addColumn<QStringList>("events");
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
        QTest::newRow("unmarked repeat pairs with equal times dropped")
            << QStringList{"p27@100", "r27@760", "p27@760", "r27@800", "p27@800", "r27@950", "F"}
            << QStringList{"+27", "-27"};
        QTest::newRow("unmarked pair of a walking key, then its real release")
            << QStringList{"p68@5", "r68@700", "p68@700", "r68@900", "F"} << QStringList{"+68", "-68"};
        QTest::newRow("a timed release waits for its pair")
            << QStringList{"p65@5", "r65@9"} << QStringList{"+65"};
        QTest::newRow("release and press at different times are two presses")
            << QStringList{"p80@10", "r80@50", "p80@90", "r80@130", "F"} << QStringList{"+80", "-80", "+80", "-80"};
        QTest::newRow("another key's event makes a waiting release real")
            << QStringList{"p65@10", "r65@50", "p68@50", "r68@60", "F"} << QStringList{"+65", "-65", "+68", "-68"};
        QTest::newRow("a repeat that comes as presses alone is dropped")
            << QStringList{"p27@10", "p27@700", "p27@740", "r27@900", "F"} << QStringList{"+27", "-27"};
        QTest::newRow("Enter pressed in a box and held on is no new press")
            << QStringList{"B", "e13", "C", "r13@700", "p13@700", "p13@740", "r13@900", "F", "p13@1500"}
            << QStringList{"+13"};
        QTest::newRow("the key that opened a box, released unseen, is pressed anew after it")
            << QStringList{"p81", "B", "C", "p81"} << QStringList{"+81", "-81", "+81"};
        QTest::newRow("a key repeating in a box stays down after it")
            << QStringList{"p68", "B", "e68", "C", "p68", "r68"} << QStringList{"+68", "-68"};
        QTest::newRow("a key held through a box with no repeats in it, down as it closes, stays down")
            << QStringList{"p68", "B", "C:+68", "p68", "r68"} << QStringList{"+68", "-68"};
        QTest::newRow("a key the display server says is up is forgotten, seen in the box or not")
            << QStringList{"p68", "p65", "B", "e68", "C:-68,-65", "p68", "p65"}
            << QStringList{"+68", "+65", "-65", "-68", "+68", "+65"};
        QTest::newRow("keys the display server does not answer for go by the box")
            << QStringList{"p81", "B", "e13", "C:-68", "p13", "p81"} << QStringList{"+81", "-81", "+81"};
        QTest::newRow("a key released in a box is pressed anew after it")
            << QStringList{"p81", "L", "E81", "p81"} << QStringList{"+81", "-81", "+81"};
        QTest::newRow("a key held through a box gives no key-up at its release")
            << QStringList{"p65", "L", "r65", "p65"} << QStringList{"+65", "-65", "+65"};
        QTest::newRow("focus to another program forgets the keys")
            << QStringList{"p65", "G", "p65"} << QStringList{"+65", "-65", "+65"};
    }
    void HeldKeyFilterPassesOneDownAndOneUp() {
        QFETCH(QStringList, events);
        QFETCH(QStringList, delivered);
        Recorder r;
        for (const QString& e : events) {
            const QStringList parts = e.mid(1).split('@');
            const auto code = static_cast<std::int16_t>(parts[0].toInt());
            const std::uint64_t time = parts.size() > 1 ? parts[1].toULongLong() : KeyFilter::kNoTime;
            if (e == "L") r.filter.ReleaseAll();
            else if (e == "B") r.filter.ReleaseAll(), r.filter.BoxOpened();
            else if (e[0] == 'C') r.filter.BoxClosed(Answer(e.mid(2)));
            else if (e == "G") r.filter.Forget();
            else if (e == "F") r.filter.Flush();
            else if (e[0] == 'e') r.filter.PressElsewhere(code);
            else if (e[0] == 'E') r.filter.ReleaseElsewhere(code);
            else if (e[0].toLower() == 'p') r.filter.Press(code, e[0] == 'P', time);
            else r.filter.Release(code, e[0] == 'R', time);
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

    // X11 as Qt 6.4 delivers it: many of a held key's repeats come unmarked,
    // as a release and a press with one timestamp.
    void HeldEscapeWithUnmarkedRepeatsPausesOnce() {
        ShownGame game;
        StartMatch(game);
        SendTimedKey(game.window, QEvent::KeyPress, Qt::Key_Escape, 1000);
        for (ulong t = 1660; t < 4000; t += 40) {
            SendTimedKey(game.window, QEvent::KeyRelease, Qt::Key_Escape, t);
            SendTimedKey(game.window, QEvent::KeyPress, Qt::Key_Escape, t);
        }
        SendTimedKey(game.window, QEvent::KeyRelease, Qt::Key_Escape, 4010);
        QTRY_VERIFY(!game.window.Keys().AnyHeld());
        QCOMPARE(game.frm.Paused, kTrue);
        QVERIFY(game.frm.lblPaused.Visible);
    }

    // Walking stops at a serve, a Resume and a No; a held key walks again
    // within two periods of each, whatever the desktop's repeat does.
    void HeldWalkingKeyWalksAgainWithinTwoPeriods_data() {
        QTest::addColumn<QString>("stop");
        QTest::newRow("a point and the serve") << "serve";
        QTest::newRow("pause and Resume") << "resume";
        QTest::newRow("the quit question answered No") << "no";
        // Key repeat off: only the display server knows D is still down.
        QTest::newRow("the quit question answered No, no repeats in the box") << "no-silent";
    }
    void HeldWalkingKeyWalksAgainWithinTwoPeriods() {
        QFETCH(QString, stop);
        std::int64_t now = 0;
        ShownGame game([&now] { return now; });
        FrmGame& frm = game.frm;
        StartMatch(game);
        constexpr std::int64_t kPeriodNs = 15'625'000;
        const auto period = [&] {
            now += kPeriodNs;
            game.window.Clock().Wake();
        };
        Press(game.window, Qt::Key_D);
        QVERIFY(frm.tmrRight1.Enabled());
        if (stop == "serve") {
            int guard = 0;
            while (!frm.tmrDelay.Enabled() && ++guard < 2000) period();
            QVERIFY(frm.tmrDelay.Enabled());
            QVERIFY(!frm.tmrRight1.Enabled());
            while (frm.tmrDelay.Enabled() && ++guard < 4000) period();
            // The serve has put Yellow back at its start place.
            QVERIFY(frm.tmrBall.Enabled());
            QCOMPARE(frm.shpCir1.Left, 1440.0f);
        } else if (stop == "resume") {
            Tap(game.window, Qt::Key_Escape);
            QVERIFY(!frm.tmrRight1.Enabled());
            Tap(game.window, Qt::Key_Escape);
        } else {
            // D stays down through the question, repeating in the box or
            // silent there; the box lets the game's keys go.
            const bool silent = stop == "no-silent";
            game.window.SetKeyQuery([silent](std::span<const std::int16_t>) {
                return silent ? std::map<std::int16_t, bool>{{kKeyD, true}} : std::map<std::int16_t, bool>{};
            });
            QTimer::singleShot(0, [silent] {
                auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
                QKeyEvent repeat(QEvent::KeyPress, Qt::Key_D, Qt::NoModifier, "d", true);
                if (!silent) QCoreApplication::sendEvent(box->windowHandle(), &repeat);
                QTest::keyClick(box, Qt::Key_Escape);
            });
            Tap(game.window, Qt::Key_Q);
            QVERIFY(frm.tmrBall.Enabled());
        }
        const float left = frm.shpCir1.Left;
        if (stop != "serve") QVERIFY(!frm.tmrRight1.Enabled());
        period();
        period();
        QVERIFY2(frm.shpCir1.Left > left, qPrintable(QString("Yellow stood at %1").arg(left)));
        // Its real release stops it, and nothing gives the key again.
        Release(game.window, Qt::Key_D);
        QVERIFY(!frm.tmrRight1.Enabled());
        period();
        QVERIFY(!frm.tmrRight1.Enabled());
    }

    void HeldKeysOtherThanWalkingAreNotGivenAgain() {
        std::int64_t now = 0;
        ShownGame game([&now] { return now; });
        FrmGame& frm = game.frm;
        StartMatch(game);
        Press(game.window, Qt::Key_P);
        QCOMPARE(frm.Paused, kTrue);
        Press(game.window, Qt::Key_A);  // a walking key held too keeps no clock running
        Tap(game.window, Qt::Key_Escape);
        QCOMPARE(frm.Paused, kFalse);
        for (int i = 0; i < 8; ++i) {
            now += 15'625'000;
            game.window.Clock().Wake();
        }
        QCOMPARE(frm.Paused, kFalse);  // P, still held, did not pause again
        QVERIFY(frm.tmrLeft1.Enabled());
    }

    // Away: another program has the focus, or the window is minimised.
    void AwayPausesAMatchInPlayAtOnceAndBetweenRalliesRightAfterTheServe() {
        std::int64_t now = 0;
        ShownGame game([&now] { return now; });
        FrmGame& frm = game.frm;
        StartMatch(game);
        const auto period = [&] {
            now += 15'625'000;
            game.window.Clock().Wake();
        };
        // The ball about to come down beside Yellow ends the rally.
        frm.shpBall.Left = 4000;
        frm.shpBall.Top = frm.fraGround.Top - frm.shpBall.Width;
        int guard = 0;
        while (!frm.tmrDelay.Enabled() && ++guard < 2000) period();
        QVERIFY(frm.tmrDelay.Enabled());
        game.window.SetAway(true);
        QCOMPARE(frm.Paused, kFalse);  // Escape does not pause between rallies
        while (frm.tmrDelay.Enabled() && ++guard < 4000) period();
        QCOMPARE(frm.Paused, kTrue);
        QVERIFY(frm.lblPaused.Visible);
        QVERIFY(!frm.tmrBall.Enabled());
        game.window.SetAway(false);
        QCOMPARE(frm.Paused, kTrue);  // nothing resumes by itself
        Tap(game.window, Qt::Key_Escape);
        QCOMPARE(frm.Paused, kFalse);
        game.window.SetAway(true);
        QCOMPARE(frm.Paused, kTrue);
    }

    void AwayOnTheSettingsScreenChangesNothing() {
        ShownGame game;
        game.window.SetAway(true);
        QCOMPARE(game.frm.Paused, kFalse);
        QVERIFY(game.frm.cmdPlay.Visible);
        QVERIFY(!game.frm.lblPaused.Visible);
    }

    // F11 is the window's: it toggles fullscreen, once however long it is
    // held, and the game never sees it.
    void F11TogglesFullScreenAndNeverReachesTheGame() {
        ShownGame game;
        Tap(game.window, Qt::Key_Return);
        Press(game.window, Qt::Key_F11);
        SendKey(game.window, QEvent::KeyPress, Qt::Key_F11, {}, true);
        // Without detectable auto-repeat a repeat comes as a release and a press.
        SendKey(game.window, QEvent::KeyRelease, Qt::Key_F11, {}, true);
        SendKey(game.window, QEvent::KeyPress, Qt::Key_F11, {}, true);
        QTRY_VERIFY(game.window.isFullScreen());
        QVERIFY(!game.window.Keys().AnyHeld());
        Release(game.window, Qt::Key_F11);
        QVERIFY(game.window.isFullScreen());
        Tap(game.window, Qt::Key_F11);
        QTRY_VERIFY(!game.window.isFullScreen());
        QVERIFY(!game.window.Keys().AnyHeld());
        QCOMPARE(game.frm.Paused, kFalse);
    }

    void ReleaseWithNoPressDoesNotReachTheGame() {
        ShownGame game;
        StartMatch(game);
        game.frm.tmrLeft1.SetEnabled(true);
        Release(game.window, Qt::Key_A);
        QVERIFY(game.frm.tmrLeft1.Enabled());
    }

    void EnterHeldToCloseTheMatchBoxDoesNotPressPlay() {
        std::int64_t now = 0;
        ShownGame game([&now] { return now; });
        FrmGame& frm = game.frm;
        StartMatch(game);
        frm.lblRed.Caption = "9";
        bool closed = false;
        QTimer::singleShot(0, [&] {
            auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
            QVERIFY(box != nullptr);
            QKeyEvent enter(QEvent::KeyPress, Qt::Key_Return, Qt::NoModifier, "\r", false);
            enter.setTimestamp(5000);
            QCoreApplication::sendEvent(box->windowHandle(), &enter);
            closed = true;
        });
        // The ball comes down on Yellow's side: Red's tenth point.
        frm.shpBall.Top = frm.fraGround.Top;
        frm.shpBall.Left = 1000;
        now += 15'625'000;
        game.window.Clock().Wake();
        QVERIFY(closed);
        QVERIFY(frm.cmdPlay.Visible);
        // Enter is still down: its repeats reach the window with Play focused.
        for (ulong t = 5660; t < 6000; t += 40) {
            SendTimedKey(game.window, QEvent::KeyRelease, Qt::Key_Return, t);
            SendTimedKey(game.window, QEvent::KeyPress, Qt::Key_Return, t);
            SendTimedKey(game.window, QEvent::KeyPress, Qt::Key_Return, t + 20);
        }
        SendTimedKey(game.window, QEvent::KeyRelease, Qt::Key_Return, 6100);
        QTRY_VERIFY(!game.window.Keys().AnyHeld());
        QVERIFY(!frm.tmrBall.Enabled());
        QVERIFY(frm.cmdPlay.Visible);
        QCOMPARE(frm.lblRed.Caption, std::string("10"));
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
