// The yardstick for the whole-program benchmarks: the game's screen as a
// straightforward Qt program would draw it. An 849 x 588 window with the
// same captions in the same fonts through QPainter::drawText, three groups
// of QRadioButtons and a QPushButton; Enter (or Play) starts "playing", which
// moves a ball and repaints the whole window 64 times a second; Escape
// pauses and stops the timer. The first complete frame is marked in the file
// named by QUONDRA_FIRST_PAINT_FILE. With --ball-only it repaints only the
// ball's old and new rectangle each period, as a program that tracks what
// moved would (its paint handler is the same, clipped by the toolkit).
#include <QApplication>
#include <QButtonGroup>
#include <QElapsedTimer>
#include <QKeyEvent>
#include <QPainter>
#include <QPushButton>
#include <QRadioButton>
#include <QTimer>
#include <QWidget>

#include "first_paint_mark.h"
#include "scene/scene.h"

namespace {

constexpr int kWidthPx = 849;
constexpr int kHeightPx = 588;
constexpr int kGroundTopPx = 512;
constexpr int kBallPx = 33;
constexpr int kBallStepPx = 3;
constexpr int kBallTopPx = 200;
constexpr qint64 kPeriodNs = 15'625'000;
constexpr qint64 kNsPerMs = 1'000'000;

// The game's window background, from its layout.
QColor Sky() {
    const quondra::Scene layout;
    return QColor(layout.BackColor.Red, layout.BackColor.Green, layout.BackColor.Blue);
}

QFont Font(const QString& family, int pixels, bool underline = false) {
    QFont f(family);
    f.setPixelSize(pixels);
    f.setBold(true);
    f.setUnderline(underline);
    return f;
}

struct Caption {
    QRect box;
    QString text;
    QFont font;
    QColor colour;
    Qt::Alignment align;
    enum class Shown { Always, OnSettings, WhenPaused } shown;
};

class BaselineWindow : public QWidget {
public:
    explicit BaselineWindow(bool ballOnly) : ballOnly_(ballOnly) {
        setWindowTitle(QStringLiteral("Baseline"));
        setFixedSize(kWidthPx, kHeightPx);
        const QString sans = QStringLiteral("Liberation Sans");
        const QFont option = Font(sans, 21), heading = Font(sans, 21, true), hint = Font(sans, 16);
        captions_ = {
            {{8, 12, 65, 57}, "0", Font(sans, 48), Qt::black, Qt::AlignLeft, Caption::Shown::Always},
            {{776, 12, 65, 57}, "0", Font(sans, 48), Qt::black, Qt::AlignRight, Caption::Shown::Always},
            {{93, 136, 72, 33}, "Gravity", heading, Qt::blue, Qt::AlignLeft, Caption::Shown::OnSettings},
            {{381, 136, 74, 33}, "Players", heading, Qt::blue, Qt::AlignLeft, Caption::Shown::OnSettings},
            {{638, 136, 132, 33}, "Player Speed", heading, Qt::blue, Qt::AlignLeft, Caption::Shown::OnSettings},
            {{8, 518, 158, 18}, "A + D = Move Yellow", hint, Qt::yellow, Qt::AlignLeft, Caption::Shown::Always},
            {{711, 541, 136, 18}, "Q = Quit Program", hint, Qt::white, Qt::AlignLeft, Caption::Shown::Always},
            {{698, 564, 149, 18}, "The Quondra team", hint, Qt::cyan, Qt::AlignLeft, Caption::Shown::Always},
            {{64, 160, 721, 80}, "Game Paused", Font(sans, 64), Qt::black, Qt::AlignHCenter, Caption::Shown::WhenPaused},
        };
        AddGroup({93, 176, 140, 120}, {"Low", "Medium", "High"}, 1, option);
        AddGroup({283, 168, 260, 80}, {"Human vs. Computer", "Human vs. Human"}, 0, option);
        AddGroup({633, 176, 140, 120}, {"Slow", "Average", "Fast"}, 1, option);
        play_ = new QPushButton(QStringLiteral("Play"), this);
        play_->setGeometry(348, 300, 153, 65);
        play_->setFont(Font(QStringLiteral("Comic Neue"), 37));
        play_->setStyleSheet(QStringLiteral("background: rgb(0,255,0); border: 1px solid black;"));
        connect(play_, &QPushButton::clicked, this, [this] { StartPlaying(); });
        play_->setFocus();
        timer_.setSingleShot(true);
        timer_.setTimerType(Qt::PreciseTimer);
        connect(&timer_, &QTimer::timeout, this, [this] { Tick(); });
    }

protected:
    void paintEvent(QPaintEvent*) override {
        QPainter p(this);
        p.setRenderHint(QPainter::Antialiasing);
        p.fillRect(rect(), sky_);
        p.setPen(Qt::black);
        p.setBrush(Qt::white);
        p.drawRect(QRectF(416.5, 456.5, 16, 56));  // net
        p.setBrush(Qt::yellow);
        p.drawEllipse(QRectF(96.5, 464.5, 96, 96));
        p.setBrush(Qt::red);
        p.drawEllipse(QRectF(656.5, 464.5, 96, 96));
        p.fillRect(0, kGroundTopPx, kWidthPx, kHeightPx - kGroundTopPx, Qt::black);  // hides the players' lower halves
        p.setPen(QColor(0, 120, 20));
        p.setFont(Font(QStringLiteral("Comic Neue"), playing_ ? 48 : 62));
        p.drawText(playing_ ? QRect(268, 528, 401, 54) : QRect(134, 24, 581, 70), Qt::AlignCenter,
                   QStringLiteral("Quondra"));
        if (playing_) {
            p.setPen(Qt::black);
            p.setBrush(Qt::green);
            p.drawEllipse(QRectF(ballX_ + 0.5, kBallTopPx + 0.5, kBallPx - 1, kBallPx - 1));
        }
        for (const Caption& c : captions_) {
            if ((c.shown == Caption::Shown::OnSettings && playing_) || (c.shown == Caption::Shown::WhenPaused && !paused_))
                continue;
            p.setPen(c.colour);
            p.setFont(c.font);
            p.drawText(c.box, static_cast<int>(c.align | Qt::AlignTop | Qt::TextWordWrap), c.text);
        }
        mark_.Painted();
    }

    void keyPressEvent(QKeyEvent* event) override {
        if ((event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) && !playing_) StartPlaying();
        else if (event->key() == Qt::Key_Escape && playing_) Pause(!paused_);
        else QWidget::keyPressEvent(event);
    }

private:
    const QColor sky_ = Sky();
    void AddGroup(const QRect& area, const QStringList& names, int checked, const QFont& font) {
        auto* group = new QButtonGroup(this);
        for (int i = 0; i < names.size(); ++i) {
            auto* radio = new QRadioButton(names[i], this);
            radio->setFont(font);
            radio->setGeometry(area.left(), area.top() + i * 32, area.width(), 32);
            radio->setChecked(i == checked);
            group->addButton(radio);
            radios_.push_back(radio);
        }
    }

    void StartPlaying() {
        playing_ = true;
        for (QRadioButton* r : radios_) r->hide();
        play_->hide();
        setFocus();
        Pause(false);
    }

    void Pause(bool paused) {
        paused_ = paused;
        if (paused) {
            timer_.stop();
        } else {
            elapsed_.start();
            periods_ = 0;
            Arm();
        }
        update();
    }

    void Tick() {
        ++periods_;
        const QRect before = BallRect();
        ballX_ = (ballX_ + kBallStepPx) % (kWidthPx - kBallPx);
        if (ballOnly_) update(QRegion(before) + BallRect());
        else update();
        Arm();
    }

    QRect BallRect() const { return QRect(ballX_, kBallTopPx, kBallPx + 1, kBallPx + 1); }

    // Re-armed to each period's deadline, so the rate is exactly 64 a second.
    void Arm() {
        const qint64 wait = std::max<qint64>(0, (periods_ + 1) * kPeriodNs - elapsed_.nsecsElapsed());
        timer_.start(static_cast<int>((wait + kNsPerMs - 1) / kNsPerMs));
    }

    quondra::qt::FirstPaintMark mark_{qEnvironmentVariable("QUONDRA_FIRST_PAINT_FILE")};
    std::vector<Caption> captions_;
    std::vector<QRadioButton*> radios_;
    QPushButton* play_ = nullptr;
    QTimer timer_;
    QElapsedTimer elapsed_;
    qint64 periods_ = 0;
    int ballX_ = 0;
    bool ballOnly_;
    bool playing_ = false;
    bool paused_ = false;
};

}  // namespace

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    BaselineWindow window(app.arguments().contains(QStringLiteral("--ball-only")));
    window.show();
    return app.exec();
}
