// The clock trace of the real window: one line per wake with what ran and
// where the ball is, and a line when a message box opens and closes.
#include <QApplication>
#include <QMessageBox>
#include <QTimer>
#include <sstream>

#include "ui_support.h"

using namespace quondra::qt;
using namespace quondra::qt::testing;

namespace {

constexpr std::int64_t kPeriodNs = 15'625'000;

struct TracedGame {
    TracedGame() {
        window.SetTrace(&trace);
        window.Start();
        QVERIFY(QTest::qWaitForWindowActive(&window));
    }
    std::int64_t now = 0;
    std::ostringstream out;
    PeriodTrace trace{out, [this] { return now; }};
    GameWindow window{[this] { return now; }};
};

}  // namespace

class TraceTest : public QObject {
    Q_OBJECT

private slots:
    void EachWakeWritesItsTimeThePeriodsAndTheBall() {
        TracedGame g;
        Tap(g.window, Qt::Key_Return);  // Play: the ball hangs above Yellow
        g.now = 2 * kPeriodNs;
        QCOMPARE(g.window.Clock().Wake(), std::int64_t{2});
        // A stall: only four periods run, and the count says so.
        g.now = 100 * kPeriodNs;
        QCOMPARE(g.window.Clock().Wake(), std::int64_t{4});
        // Falling from rest under Medium gravity: Top is 1500 + 2 n (n - 1) after n periods.
        QCOMPARE(g.out.str(), std::string{"wake 31250000 2 2 1920.5 1504\n"
                                          "wake 1562500000 4 6 1920.5 1560\n"});
    }

    void NoWakeWhileTheClockIsStoppedWritesNothing() {
        TracedGame g;
        g.now = 3 * kPeriodNs;
        g.window.Clock().Stop();
        QCOMPARE(g.window.Clock().Wake(), std::int64_t{0});
        QCOMPARE(g.out.str(), std::string{});
    }

    void AMessageBoxWritesItsOpeningAndClosing() {
        TracedGame g;
        Tap(g.window, Qt::Key_Return);
        g.now = kPeriodNs;
        g.window.Clock().Wake();
        QTimer::singleShot(0, [&g] {
            auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
            QVERIFY(box != nullptr);
            g.now = 9 * kPeriodNs;
            QTest::keyClick(box, Qt::Key_Escape);  // No
        });
        g.now = 2 * kPeriodNs;
        Press(g.window, Qt::Key_Q);
        Release(g.window, Qt::Key_Q);
        QCOMPARE(g.out.str(), std::string{"wake 15625000 1 1 1920.5 1500\n"
                                          "box open 31250000 1\n"
                                          "box closed 140625000 1\n"});
    }
};

QTEST_MAIN(TraceTest)
#include "trace_test.moc"
