// The loop's diagnostic log, written by the real window when asked for.
#include <QTemporaryDir>
#include <QTest>
#include <fstream>
#include <sstream>
#include <string>

#include "game/events.h"
#include "game_window.h"
#include "period_trace.h"

using quondra::qt::GameWindow;
using quondra::qt::PeriodTrace;

namespace {

constexpr std::int64_t kPeriodNs = 15'625'000;

std::string Contents(const QString& path) {
    std::ifstream in(path.toStdString());
    std::stringstream all;
    all << in.rdbuf();
    return all.str();
}

}  // namespace

class TraceTest : public QObject {
    Q_OBJECT

private slots:
    void LinesGiveTheClockTimeThePeriodsAndTheBall() {
        QTemporaryDir dir;
        const QString path = dir.filePath("trace");
        {
            PeriodTrace trace(path.toStdString());
            QVERIFY(trace.On());
            trace.Periods(2 * kPeriodNs, 2, 1920.5, 1504);
            trace.Modal(3 * kPeriodNs, "begin");
        }
        QCOMPARE(Contents(path), std::string("31.250 periods 2 ball 1920.5000 1504.0000\n"
                                             "46.875 modal begin\n"));
    }

    void OffWithoutAPath() {
        PeriodTrace trace(std::string{});
        QVERIFY(!trace.On());
        trace.Periods(0, 1, 0, 0);  // must not write anywhere or crash
    }

    void TheWindowLogsEachWakeThatRunsPeriods() {
        QTemporaryDir dir;
        const QString path = dir.filePath("trace");
        qputenv(PeriodTrace::kVariable, path.toLocal8Bit());
        std::int64_t now = 0;
        {
            GameWindow window([&now] { return now; });
            qunsetenv(PeriodTrace::kVariable);
            window.Start();
            window.RunCore([&window] { quondra::ClickPlay(window.Game()); });
            now = 3 * kPeriodNs;
            window.Clock().Wake();
            now = 100 * kPeriodNs;  // a stall
            window.Clock().Wake();
        }
        std::istringstream lines(Contents(path));
        double ms = 0, left = 0, top = 0;
        long long periods = 0;
        std::string word, ball;
        QVERIFY(static_cast<bool>(lines >> ms >> word >> periods >> ball >> left >> top));
        QCOMPARE(word, std::string("periods"));
        QCOMPARE(periods, 3LL);
        QCOMPARE(ms, 46.875);
        QCOMPARE(left, 1920.5);
        QVERIFY(top > 1440);  // served at its start height, then falling
        QVERIFY(static_cast<bool>(lines >> ms >> word >> periods >> ball >> left >> top));
        QCOMPARE(periods, 4LL);
        QVERIFY(!(lines >> ms));
    }
};

QTEST_MAIN(TraceTest)
#include "trace_test.moc"
