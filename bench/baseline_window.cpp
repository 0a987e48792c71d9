// The yardstick for the whole-program benchmarks: a bare window of the game's
// size that repaints all of itself, a background and five shapes, 64 times a
// second, with the ball moving. With QUONDRA_BASELINE_TEXT=1 it also writes
// one line of text, to show what the text stack alone costs.
#include <QApplication>
#include <QElapsedTimer>
#include <QPainter>
#include <QTimer>
#include <QWidget>

#include "first_paint_mark.h"

namespace {

constexpr int kWidthPx = 849;
constexpr int kHeightPx = 588;
constexpr qint64 kPeriodNs = 15'625'000;
constexpr qint64 kNsPerMs = 1'000'000;
constexpr int kBallStepPx = 3;

class BaselineWindow : public QWidget {
public:
    BaselineWindow() {
        setWindowTitle(QStringLiteral("Baseline"));
        setFixedSize(kWidthPx, kHeightPx);
        setAttribute(Qt::WA_OpaquePaintEvent);
        timer_.setSingleShot(true);
        timer_.setTimerType(Qt::PreciseTimer);
        connect(&timer_, &QTimer::timeout, this, [this] { Tick(); });
        elapsed_.start();
        Arm();
    }

protected:
    void paintEvent(QPaintEvent*) override {
        QPainter p(this);
        p.fillRect(rect(), QColor(128, 255, 255));
        p.setPen(Qt::black);
        p.setBrush(Qt::black);
        p.drawRect(0, 512, kWidthPx, kHeightPx - 512);  // ground
        p.setBrush(Qt::white);
        p.drawRect(420, 440, 9, 72);  // net
        p.setBrush(Qt::yellow);
        p.drawEllipse(96, 464, 97, 97);
        p.setBrush(Qt::red);
        p.drawEllipse(656, 464, 97, 97);
        p.setBrush(Qt::green);
        p.drawEllipse(ballX_, 200, 33, 33);
        if (text_) p.drawText(rect(), Qt::AlignHCenter | Qt::AlignTop, QStringLiteral("Yellow 0  Red 0"));
        mark_.Painted();
    }

private:
    void Tick() {
        ++periods_;
        ballX_ = (ballX_ + kBallStepPx) % (kWidthPx - 33);
        update();
        Arm();
    }

    // Re-armed to each period's deadline, so the rate is exactly 64 a second.
    void Arm() {
        const qint64 wait = std::max<qint64>(0, (periods_ + 1) * kPeriodNs - elapsed_.nsecsElapsed());
        timer_.start(static_cast<int>((wait + kNsPerMs - 1) / kNsPerMs));
    }

    quondra::qt::FirstPaintMark mark_{qEnvironmentVariable("QUONDRA_FIRST_PAINT_FILE")};
    QTimer timer_;
    QElapsedTimer elapsed_;
    qint64 periods_ = 0;
    int ballX_ = 0;
    bool text_ = qEnvironmentVariable("QUONDRA_BASELINE_TEXT") == QStringLiteral("1");
};

}  // namespace

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    BaselineWindow window;
    window.show();
    return app.exec();
}
