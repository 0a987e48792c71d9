// What the window tells a measurement: the periods each wake ran, a message
// box opening and closing, a frame painted.
#include <QApplication>
#include <QMessageBox>
#include <QSignalSpy>
#include <QTimer>

#include "ui_support.h"

using namespace quondra::qt;
using namespace quondra::qt::testing;

namespace {

constexpr std::int64_t kPeriodNs = 15'625'000;

struct TimedGame {
    TimedGame() {
        window.Start();
        QVERIFY(QTest::qWaitForWindowActive(&window));
    }
    std::int64_t now = 0;
    GameWindow window{[this] { return now; }};
};

}  // namespace

class SignalsTest : public QObject {
    Q_OBJECT

private slots:
    void EachWakeReportsThePeriodsItRanAfterTheyRan() {
        TimedGame g;
        QSignalSpy ran(&g.window, &GameWindow::periodsRun);
        std::vector<float> topSeen;
        QObject::connect(&g.window, &GameWindow::periodsRun, [&] { topSeen.push_back(g.window.Game().shpBall.Top); });
        Tap(g.window, Qt::Key_Return);  // Play: the ball hangs above Yellow
        g.now = 2 * kPeriodNs;
        g.window.Clock().Wake();
        // A stall: only four periods run, and the signal says so.
        g.now = 100 * kPeriodNs;
        g.window.Clock().Wake();
        QCOMPARE(ran.count(), 2);
        QCOMPARE(ran.at(0).at(0).toLongLong(), 2);
        QCOMPARE(ran.at(1).at(0).toLongLong(), 4);
        // Falling from rest under Medium gravity: Top is 1500 + 2 n (n - 1) after n periods.
        QCOMPARE(topSeen, (std::vector<float>{1504, 1560}));
    }

    void AMessageBoxReportsItsOpeningAndClosingWithNoPeriodBetween() {
        TimedGame g;
        QSignalSpy opened(&g.window, &GameWindow::boxOpened);
        QSignalSpy closed(&g.window, &GameWindow::boxClosed);
        QSignalSpy ran(&g.window, &GameWindow::periodsRun);
        Tap(g.window, Qt::Key_Return);
        QTimer::singleShot(0, [&] {
            auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
            QVERIFY(box != nullptr);
            QCOMPARE(opened.count(), 1);
            QCOMPARE(closed.count(), 0);
            g.now = 9 * kPeriodNs;
            QCOMPARE(g.window.Clock().Wake(), std::int64_t{0});
            QTest::keyClick(box, Qt::Key_Escape);  // No
        });
        Press(g.window, Qt::Key_Q);
        Release(g.window, Qt::Key_Q);
        QCOMPARE(opened.count(), 1);
        QCOMPARE(closed.count(), 1);
        QCOMPARE(ran.count(), 0);
    }

    void APaintOfTheWindowIsReported() {
        TimedGame g;
        QSignalSpy painted(&g.window, &GameWindow::framePainted);
        g.window.repaint();
        QVERIFY(painted.count() >= 1);
    }
};

QTEST_MAIN(SignalsTest)
#include "signals_test.moc"
