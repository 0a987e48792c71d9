// The picture of the scene, grabbed from the real window.
#include <QTest>
#include <algorithm>
#include <cmath>
#include <array>
#include <map>
#include <set>
#include <utility>
#include <vector>

#include "ball_marker.h"
#include "ui_support.h"

using namespace quondra;
using namespace quondra::qt;
using namespace quondra::qt::testing;

namespace {

constexpr std::int64_t kPeriodNs = GameClock::kPeriodNs;

// The middle of the ball as drawn: the mean of its pure green pixels above
// the ground, in scene units.
QPointF BallDrawnAt(const QImage& image, const FrmGame& frm) {
    double x = 0, y = 0;
    int n = 0;
    const int groundPx = static_cast<int>(frm.fraGround.Top / kUnitsPerPixel);
    for (int py = 0; py < groundPx; ++py)
        for (int px = 0; px < image.width(); ++px)
            if (image.pixel(px, py) == qRgb(0, 255, 0)) x += px + 0.5, y += py + 0.5, ++n;
    if (n == 0) return {-1, -1};
    return {x / n * kUnitsPerPixel, y / n * kUnitsPerPixel};
}

QPointF Middle(const Shape& s) { return {s.Left + s.Width / 2.0, s.Top + s.Height / 2.0}; }

// A match whose clock the test moves: `now` is the clock's time.
struct TimedMatch {
    std::int64_t now = 0;
    ShownGame game{[this] { return now; }};
    TimedMatch() { Tap(game.window, Qt::Key_Return); }
    // Frames at each period's deadline, as the screen would ask for them, up to period k.
    void FramesUntil(std::int64_t k) {
        while (now < k * kPeriodNs) {
            now = std::min(now + kPeriodNs, k * kPeriodNs);
            game.window.PaintFrame();
        }
    }
};

}  // namespace

class RenderingTest : public QObject {
    Q_OBJECT

    // Shows the scene as the game left it after a change.
    static QImage Picture(ShownGame& game) {
        game.window.RunCore([] {});
        return game.window.grab().toImage();
    }

private slots:
    void WindowOpensAtTheClientAreaWithItsCaption() {
        ShownGame game;
        QCOMPARE(game.window.size(), QSize(849, 588));
        QCOMPARE(game.window.windowTitle(), QStringLiteral(" Quondra"));
        QVERIFY(!game.window.windowIcon().isNull());
    }

    void EmptyFieldShowsTheBackgroundColour() {
        ShownGame game;
        QVERIFY(IsColour(ColourAt(Picture(game), 6000, 6000), 128, 255, 255));
    }

    void NetIsWhiteAndGroundIsBlack() {
        ShownGame game;
        const QImage image = Picture(game);
        QVERIFY(IsColour(ColourAt(image, 6367, 7200), 255, 255, 255));
        QVERIFY(IsColour(ColourAt(image, 6000, 8200), 0, 0, 0));
    }

    void PlayersShowOnlyTheirUpperHalvesAboveTheGround() {
        ShownGame game;
        const QImage image = Picture(game);
        const float yellowCentre = game.frm.shpCir1.Left + game.frm.shpCir1.Width / 2;
        const float redCentre = game.frm.shpCir2.Left + game.frm.shpCir2.Width / 2;
        QVERIFY(IsColour(ColourAt(image, yellowCentre, 7400), 255, 255, 0));
        QVERIFY(IsColour(ColourAt(image, redCentre, 7400), 255, 0, 0));
        // Below y = 7680 the circles are still there in the scene, under the panel.
        QVERIFY(IsColour(ColourAt(image, yellowCentre, 7900), 0, 0, 0));
        QVERIFY(IsColour(ColourAt(image, redCentre, 7900), 0, 0, 0));
    }

    void VisibleBallIsDrawnAboveTheNetAndThePlayer() {
        ShownGame game;
        FrmGame& frm = game.frm;
        frm.shpBall.Visible = true;
        frm.shpBall.Left = 6367 - 247;
        frm.shpBall.Top = 7000;
        QVERIFY(IsColour(ColourAt(Picture(game), 6367, 7247), 0, 255, 0));
        frm.shpBall.Left = 2167 - 247;
        frm.shpBall.Top = 7100;
        QVERIFY(IsColour(ColourAt(Picture(game), 2167, 7347), 0, 255, 0));
    }

    void FramePanelIsDrawnAboveAShapeUnderIt() {
        ShownGame game;
        FrmGame& frm = game.frm;
        // A point of fraSpeed that none of its labels or buttons covers.
        const float x = frm.fraSpeed.Left + 1900, y = frm.fraSpeed.Top + 1600;
        frm.shpCir2.Left = x - frm.shpCir2.Width / 2;
        frm.shpCir2.Top = y - frm.shpCir2.Height / 2;
        QVERIFY(IsColour(ColourAt(Picture(game), x, y), 128, 255, 255));
        frm.fraSpeed.Visible = false;
        QVERIFY(IsColour(ColourAt(Picture(game), x, y), 255, 0, 0));
    }

    void HidingAFrameHidesItsChildrenAndShowingItShowsOnlyTheVisibleOnes() {
        ShownGame game;
        FrmGame& frm = game.frm;
        const Label& yellow = frm.lblMoveYellow;
        const Label& red = frm.lblMoveRed;
        const QColor yellowText(255, 255, 0), redText(255, 0, 0);
        const float groundTop = frm.fraGround.Top;
        // The part of the yellow hint left of Yellow's circle, which reaches under the ground too.
        const float hintWidth = frm.shpCir1.Left - yellow.Left;
        QVERIFY(!red.Visible);

        frm.fraGround.Visible = false;
        QImage image = Picture(game);
        QCOMPARE(CountColour(image, yellow.Left, groundTop + yellow.Top, hintWidth, yellow.Height, yellowText), 0);
        QVERIFY(IsColour(ColourAt(image, yellow.Left + 30, groundTop + yellow.Top + 30), 128, 255, 255));

        frm.fraGround.Visible = true;
        image = Picture(game);
        QVERIFY(CountColour(image, yellow.Left, groundTop + yellow.Top, hintWidth, yellow.Height, yellowText) > 0);
        QCOMPARE(CountColour(image, red.Left, groundTop + red.Top, red.Width, red.Height, redText), 0);
    }

    void HidingAFrameHidesItsOptionButtonsAndShowingItKeepsAHiddenOneHidden() {
        ShownGame game;
        FrmGame& frm = game.frm;
        SettingsWidgets& controls = game.window.Controls();
        frm.optFast.Visible = false;
        frm.fraSpeed.Visible = false;
        game.window.RunCore([] {});
        QVERIFY(!controls.Radio(frm.optSlow)->isVisible());
        frm.fraSpeed.Visible = true;
        game.window.RunCore([] {});
        QVERIFY(controls.Radio(frm.optSlow)->isVisible());
        QVERIFY(controls.Radio(frm.optAverage)->isVisible());
        QVERIFY(!controls.Radio(frm.optFast)->isVisible());
    }

    void ShapePartlyOutsideTheClientAreaIsClippedNotRefused() {
        ShownGame game;
        FrmGame& frm = game.frm;
        frm.shpCir2.Left = kClientWidth - 700;
        frm.shpCir2.Top = 3000;
        const QImage image = Picture(game);
        QCOMPARE(image.size(), QSize(849, 588));
        QVERIFY(IsColour(ColourAt(image, kClientWidth - 1, 3000 + 727), 255, 0, 0));
        QCOMPARE(frm.shpCir2.Left, kClientWidth - 700);
    }

    void SettingsScreenShowsTheGreenPlayButton() {
        ShownGame game;
        const Button& play = game.frm.cmdPlay;
        const QImage image = Picture(game);
        QVERIFY(IsColour(ColourAt(image, play.Left + 150, play.Top + play.Height / 2), 0, 255, 0));
        QVERIFY(game.window.Controls().Play()->font().bold());
    }

    void AtDevicePixelRatioTwoTheOutlinesStayOneLogicalPixelWide() {
        ShownGame game;
        constexpr int kRatio = 2;
        QImage image(game.window.size() * kRatio, QImage::Format_ARGB32);
        image.setDevicePixelRatio(kRatio);
        game.window.render(&image);
        // The net's left edge: a crisp two-device-pixel black outline, white
        // straight after; a scaled-up low-resolution picture would blur it.
        const int edge = static_cast<int>(game.frm.shpNet.Left) / kUnitsPerPixel * kRatio;
        const int y = 7200 / kUnitsPerPixel * kRatio;
        QVERIFY(IsColour(image.pixelColor(edge - 1, y), 128, 255, 255));
        QVERIFY(IsColour(image.pixelColor(edge, y), 0, 0, 0));
        QVERIFY(IsColour(image.pixelColor(edge + 1, y), 0, 0, 0));
        QVERIFY(IsColour(image.pixelColor(edge + 2, y), 255, 255, 255));
    }

    // Antialiasing leaves a band of blended pixels about one device pixel
    // wide along each edge of the lettering, at any ratio; a picture blown up
    // from fewer pixels smears it over as many device pixels as it was enlarged.
    // The same holds for a window three times the client area's size: the
    // picture is drawn at the window's pixels, not blown up.
    void TheTitleBannerIsAsSharpAtRatioThreeAsAtOne() {
        ShownGame game;
        const quondra::Picture& title = game.frm.imgTitle;
        auto blended = [&](int ratio, int windowScale) {
            ResizeWindow(game.window, QSize(kClientWidth, kClientHeight) / kUnitsPerPixel * windowScale);
            const int times = ratio * windowScale;
            QImage image(game.window.size() * ratio, QImage::Format_ARGB32);
            image.setDevicePixelRatio(ratio);
            game.window.render(&image);
            const QRect box(static_cast<int>(title.Left) / kUnitsPerPixel * times,
                            static_cast<int>(title.Top) / kUnitsPerPixel * times,
                            static_cast<int>(title.Width) / kUnitsPerPixel * times,
                            static_cast<int>(title.Height) / kUnitsPerPixel * times);
            const std::array<QColor, 3> solid{QColor(128, 255, 255), QColor(150, 255, 130), QColor(0, 120, 20)};
            int count = 0;
            for (int y = box.top(); y <= box.bottom(); ++y)
                for (int x = box.left(); x <= box.right(); ++x) {
                    const QColor c = image.pixelColor(x, y);
                    count += std::none_of(solid.begin(), solid.end(), [&](const QColor& s) {
                        return std::abs(c.red() - s.red()) + std::abs(c.green() - s.green()) +
                                   std::abs(c.blue() - s.blue()) <= 12;
                    });
                }
            return count;
        };
        const int one = blended(1, 1), three = blended(3, 1), larger = blended(1, 3);
        QVERIFY(one > 0);
        // The edges are three times as long in device pixels at ratio 3.
        QVERIFY2(three <= one * 3 * 3 / 2, qPrintable(QStringLiteral("%1 blended at ratio 1, %2 at 3").arg(one).arg(three)));
        QVERIFY2(larger <= one * 3 * 3 / 2,
                 qPrintable(QStringLiteral("%1 blended at scale 1, %2 in a window three times as large").arg(one).arg(larger)));
    }

    // Drawn letter by letter, the word must still come out whole: its seven
    // letters spread across the box, apart but for the Q's tail, which meets
    // the u.
    void TheTitleBannerShowsEveryLetterAcrossItsBox() {
        constexpr int kHalfInkedBlue = 192;
        constexpr int kCentreSlack = 3;
        ShownGame game;
        const quondra::Picture& title = game.frm.imgTitle;
        QImage image(game.window.size(), QImage::Format_ARGB32);
        game.window.render(&image);
        const QRect box(static_cast<int>(title.Left) / kUnitsPerPixel, static_cast<int>(title.Top) / kUnitsPerPixel,
                        static_cast<int>(title.Width) / kUnitsPerPixel, static_cast<int>(title.Height) / kUnitsPerPixel);
        // Inked: at least half covered by the lettering (the sky is blue, the
        // lettering's fill and edge are not), so faint edge pixels of two
        // neighbouring letters do not join them.
        auto inked = [&](QPoint at) { return box.contains(at) && image.pixelColor(at).blue() < kHalfInkedBlue; };
        // Letters are the connected areas of inked pixels.
        std::set<std::pair<int, int>> seen;
        int letters = 0, first = box.right(), last = box.left();
        for (int y = box.top(); y <= box.bottom(); ++y)
            for (int x = box.left(); x <= box.right(); ++x) {
                if (!inked({x, y}) || !seen.insert({x, y}).second) continue;
                ++letters;
                std::vector<QPoint> todo{{x, y}};
                while (!todo.empty()) {
                    const QPoint at = todo.back();
                    todo.pop_back();
                    first = std::min(first, at.x());
                    last = std::max(last, at.x());
                    for (const QPoint step : {QPoint(1, 0), QPoint(-1, 0), QPoint(0, 1), QPoint(0, -1)})
                        if (inked(at + step) && seen.insert({at.x() + step.x(), at.y() + step.y()}).second)
                            todo.push_back(at + step);
                }
            }
        QCOMPARE(letters, 6);
        // The word is centred and over two thirds of the long box wide; a
        // letter fewer would leave it narrower.
        QVERIFY2(last - first >= box.width() * 2 / 3,
                 qPrintable(QStringLiteral("lettering spans %1 of %2 pixels").arg(last - first).arg(box.width())));
        QVERIFY(std::abs((first + last) - (box.left() + box.right())) <= 2 * kCentreSlack);
    }

    void ThePictureScalesUniformlyToTheLargestSizeThatFitsCentred_data() {
        QTest::addColumn<QSize>("size");
        QTest::newRow("twice as large, margins above and below") << QSize(1698, 1400);
        QTest::newRow("tall and narrow") << QSize(600, 1000);
        QTest::newRow("wide and low") << QSize(2400, 700);
        QTest::newRow("a 1280 x 900 screen") << QSize(1280, 900);
    }
    void ThePictureScalesUniformlyToTheLargestSizeThatFitsCentred() {
        QFETCH(QSize, size);
        ShownGame game;
        const FrmGame& frm = game.frm;
        ResizeWindow(game.window, size);
        const QImage image = Picture(game);
        QCOMPARE(image.size(), size);
        auto at = [&](float x, float y) { return image.pixelColor(WindowPoint(size, x, y)); };
        QVERIFY(IsColour(at(6367, 7200), 255, 255, 255));
        QVERIFY(IsColour(at(6000, 8200), 0, 0, 0));
        QVERIFY(IsColour(at(6000, 6000), 128, 255, 255));
        QVERIFY(IsColour(at(frm.shpCir1.Left + frm.shpCir1.Width / 2, 7400), 255, 255, 0));
        QVERIFY(IsColour(at(frm.shpCir2.Left + frm.shpCir2.Width / 2, 7400), 255, 0, 0));
        QVERIFY(IsColour(at(10, 10), 128, 255, 255));
        QVERIFY(IsColour(at(kClientWidth - 10, 6000), 128, 255, 255));
        // The two margins, on the sides the picture leaves free, are one plain
        // colour, unlike the sky and the ground beside them.
        const bool wide = size.width() * kClientHeight > size.height() * kClientWidth;
        const QColor first = wide ? image.pixelColor(1, size.height() / 2) : image.pixelColor(size.width() / 2, 1);
        const QColor second = wide ? image.pixelColor(size.width() - 2, size.height() / 2)
                                   : image.pixelColor(size.width() / 2, size.height() - 2);
        QCOMPARE(first, second);
        QVERIFY(!IsColour(first, 128, 255, 255));
        QVERIFY(!IsColour(first, 0, 0, 0));
        // The rules go on reading the reference window's outer width.
        QCOMPARE(frm.Width, kOuterWidth);
    }

    // A ball above the window is out of sight, also in a pause: a marker at
    // the top edge shows its x, and nothing else is drawn there.
    void BallAboveTheTopEdgeShowsAMarkerAtItsX_data() {
        QTest::addColumn<QSize>("size");
        QTest::newRow("849 x 588") << QSize(849, 588);
        QTest::newRow("1280 x 900") << QSize(1280, 900);
    }
    void BallAboveTheTopEdgeShowsAMarkerAtItsX() {
        QFETCH(QSize, size);
        ShownGame game;
        FrmGame& frm = game.frm;
        ResizeWindow(game.window, size);
        Tap(game.window, Qt::Key_Return);
        QVERIFY(frm.shpBall.Visible);
        const QColor ballGreen(0, 255, 0);
        // The green pixels along the top edge of the picture, by window x.
        auto greenAtTheTop = [&] {
            const QImage image = Picture(game);
            const int top = WindowPoint(size, 0, 0).y(), rows = WindowPoint(size, 0, 5 * kUnitsPerPixel).y() - top;
            std::vector<int> xs;
            for (int x = 0; x < image.width(); ++x)
                for (int y = top; y < top + rows; ++y)
                    if (image.pixelColor(x, y) == ballGreen) xs.push_back(x);
            return xs;
        };
        auto near = [&](const std::vector<int>& xs, float unitsX) {
            const int x = WindowPoint(size, unitsX, 0).x(), reach = WindowPoint(size, 15 * kUnitsPerPixel, 0).x() -
                                                                    WindowPoint(size, 0, 0).x();
            return !xs.empty() && std::ranges::all_of(xs, [&](int g) { return std::abs(g - x) <= reach; });
        };
        const float centre = 9000 + frm.shpBall.Width / 2;
        frm.shpBall.Left = 9000;
        frm.shpBall.Top = -frm.shpBall.Height - 1;
        QVERIFY(near(greenAtTheTop(), centre));
        Tap(game.window, Qt::Key_Escape);
        QCOMPARE(frm.Paused, kTrue);
        QVERIFY(near(greenAtTheTop(), centre));
        // Touching the top edge from above, the ball is just out of sight;
        // from there on down it shows itself.
        frm.shpBall.Top = -frm.shpBall.Height - 0.5f;
        QVERIFY(!BallMarkerArea(frm.shpBall).isEmpty());
        frm.shpBall.Top = -frm.shpBall.Height;
        QVERIFY(BallMarkerArea(frm.shpBall).isEmpty());
        frm.shpBall.Top = 3000;
        QVERIFY(greenAtTheTop().empty());
    }

    void MovingTheBallAboveTheTopRepaintsItsMarker() {
        ShownGame game;
        FrmGame& frm = game.frm;
        frm.shpBall.Visible = true;
        frm.shpBall.Top = -2000;
        frm.shpBall.Left = 4000;
        game.window.RunCore([] {});
        const std::vector<Footprint> before = TakeFootprint(frm, nullptr);
        frm.shpBall.Left = 7000;
        const QRegion changed = ChangedArea(before, TakeFootprint(frm, nullptr));
        for (const float left : {4000.0f, 7000.0f})
            QVERIFY(changed.contains(QPoint(static_cast<int>((left + frm.shpBall.Width / 2) / kUnitsPerPixel), 3)));
    }

    void OnlyTheChangedAreaIsRepaintedAfterAMove() {
        ShownGame game;
        FrmGame& frm = game.frm;
        frm.shpBall.Visible = true;
        game.window.RunCore([] {});
        const std::vector<Footprint> before = TakeFootprint(frm, nullptr);
        const QRect old = PixelArea(frm.shpBall.Left, frm.shpBall.Top, frm.shpBall.Width, frm.shpBall.Height);
        frm.shpBall.Left += 150;
        const QRegion changed = ChangedArea(before, TakeFootprint(frm, nullptr));
        const QRect ball = PixelArea(frm.shpBall.Left, frm.shpBall.Top, frm.shpBall.Width, frm.shpBall.Height);
        QVERIFY(changed.contains(ball));
        QVERIFY(changed.contains(old));
        QVERIFY(!changed.contains(QPoint(6367 / kUnitsPerPixel, 7200 / kUnitsPerPixel)));
        QVERIFY(ChangedArea(before, before).isEmpty());
    }

    // A frame shows the ball where it was at the frame's moment, between its
    // places after the periods around it, not where the last period left it;
    // a frame drawn late stands for a moment before the last period.
    void AFrameDrawsTheBallBetweenThePlacesAroundItsMoment_data() {
        QTest::addColumn<std::int64_t>("sinceLastPeriodNs");
        QTest::addColumn<int>("fromPeriod");
        QTest::newRow("half-way through a period") << kPeriodNs / 2 << 29;
        QTest::newRow("half a period before the last") << -kPeriodNs / 2 << 28;
    }
    void AFrameDrawsTheBallBetweenThePlacesAroundItsMoment() {
        QFETCH(std::int64_t, sinceLastPeriodNs);
        QFETCH(int, fromPeriod);
        TimedMatch match;
        const FrmGame& frm = match.game.frm;
        std::map<int, QPointF> places;
        for (int k = 28; k <= 30; ++k) {
            match.FramesUntil(k);
            places[k] = Middle(frm.shpBall);
        }
        QVERIFY(places[30].y() - places[28].y() > 200);  // falling onto Yellow, fast enough to tell
        match.now += kPeriodNs / 2;
        match.game.window.PaintFrame(30 * kPeriodNs + sinceLastPeriodNs);
        QCOMPARE(Middle(frm.shpBall), places[30]);  // painting moved nothing
        const QPointF drawn = BallDrawnAt(match.game.window.grab().toImage(), frm);
        const QPointF halfway = (places[fromPeriod] + places[fromPeriod + 1]) / 2;
        QVERIFY2(std::abs(drawn.y() - halfway.y()) < kUnitsPerPixel && std::abs(drawn.x() - halfway.x()) < kUnitsPerPixel,
                 qPrintable(QStringLiteral("drawn at %1, %2; half-way is %3, %4")
                                .arg(drawn.x()).arg(drawn.y()).arg(halfway.x()).arg(halfway.y())));
    }

    // The serve puts the players and the ball back: a frame in the serve's
    // period shows them there, never part of the way.
    void TheServeIsDrawnAtOnceNotSlid() {
        TimedMatch match;
        FrmGame& frm = match.game.frm;
        match.FramesUntil(2);
        // The ball on the ground between the players ends the rally in the next period.
        match.game.window.RunCore([&frm] {
            frm.shpBall.Left = 4000;
            frm.shpBall.Top = 7180;
            frm.shpCir1.Left = 2300;  // less than a jump away from its start
        });
        match.FramesUntil(3);
        QVERIFY(frm.tmrDelay.Enabled());
        match.FramesUntil(5);
        QVERIFY(!match.game.window.Frames().Asked());  // resting: nothing to draw
        match.FramesUntil(3 + 63);
        QVERIFY(frm.tmrDelay.Enabled());
        match.now += kPeriodNs + kPeriodNs / 2;
        match.game.window.PaintFrame();
        QVERIFY(!frm.tmrDelay.Enabled());
        const QImage image = match.game.window.grab().toImage();
        const QPointF drawn = BallDrawnAt(image, frm);
        const QPointF served = Middle(frm.shpBall);
        QVERIFY2(std::abs(drawn.x() - served.x()) < kUnitsPerPixel && std::abs(drawn.y() - served.y()) < kUnitsPerPixel,
                 qPrintable(QStringLiteral("drawn at %1, %2; served at %3, %4")
                                .arg(drawn.x()).arg(drawn.y()).arg(served.x()).arg(served.y())));
        // Yellow stands at its start again, and not half-way there.
        QVERIFY(IsColour(ColourAt(image, frm.shpCir1.Left + frm.shpCir1.Width / 2, 7400), 255, 255, 0));
        QVERIFY(IsColour(ColourAt(image, 3200, 7600), 128, 255, 255));
    }

    void BringingAnObjectToTheFrontRepaintsIt() {
        ShownGame game;
        FrmGame& frm = game.frm;
        const std::vector<Footprint> before = TakeFootprint(frm, nullptr);
        frm.BringToFront(&frm.shpNet);
        const QRect net = PixelArea(frm.shpNet.Left, frm.shpNet.Top, frm.shpNet.Width, frm.shpNet.Height);
        QVERIFY(ChangedArea(before, TakeFootprint(frm, nullptr)).contains(net));
    }

    void CaptionChangeRepaintsItsLabel() {
        ShownGame game;
        FrmGame& frm = game.frm;
        const std::vector<Footprint> before = TakeFootprint(frm, nullptr);
        frm.lblRed.Caption = "7";
        const QRegion changed = ChangedArea(before, TakeFootprint(frm, nullptr));
        QVERIFY(changed.contains(PixelArea(frm.lblRed.Left, frm.lblRed.Top, frm.lblRed.Width, frm.lblRed.Height)));
        QVERIFY(!changed.contains(QPoint(2000 / kUnitsPerPixel, 400 / kUnitsPerPixel)));
    }
};

QTEST_MAIN(RenderingTest)
#include "rendering_test.moc"
