#include "ball/collision.h"

#include <cmath>

#include "ball/landing.h"
#include "game/frm_game.h"
#include "game/hits.h"

namespace quondra {
namespace {

// The game's own value of pi; its steps are derived from it at each use.
constexpr double kPi = 3.14159265358979;
constexpr double kContactHalfSpan = 500;  // the contact line reaches this far either side in x
constexpr double kNormalLength = 500;
constexpr double kRimStepDivisor = 120;  // pi / 120: a step of 1.5 degrees round the rim

using ContactLineFn = void (*)(FrmGame&);

// Level centres (never met in play) have no finite dx / dy. The tangent there
// is vertical, so it is written as an upright line at the player's side facing
// the ball, running downwards when the ball is to the right: its direction
// alone then tells the rebound which way the level normal points.
void PlaceVerticalContactLine(FrmGame& frm, const Shape& player, int dx) {
    const double side = dx < 0 ? 1 : -1;  // +1: the ball lies right of the player
    const double x = CenterX(player) + side * player.Width / 2;
    const double cy = CenterY(player);
    frm.ContactSlope = 0;
    frm.linCol.X1 = CSng(x);
    frm.linCol.X2 = CSng(x);
    frm.linCol.Y1 = CSng(cy - side * kContactHalfSpan);
    frm.linCol.Y2 = CSng(cy + side * kContactHalfSpan);
}

void PlaceContactLine(FrmGame& frm, const Shape& player) {
    const Shape& ball = frm.shpBall;
    const int dx = CenterX(player) - CenterX(ball);
    const int dy = CenterY(player) - CenterY(ball);
    if (dx == 0) {
        frm.ContactSlope = 0;
    } else if (dy == 0) {
        PlaceVerticalContactLine(frm, player, dx);
        return;
    } else {
        frm.ContactSlope = 1 / (static_cast<double>(dy) / dx);
    }
    const double s = frm.ContactSlope;
    const double w = player.Width;
    const double cx = CenterX(player), cy = CenterY(player);
    frm.linCol.X1 = CSng(cx - w * std::sin(s) / 2 - kContactHalfSpan);
    frm.linCol.X2 = CSng(cx - w * std::sin(s) / 2 + kContactHalfSpan);
    frm.linCol.Y1 = CSng(cy - w * std::cos(s) / 2 + s * kContactHalfSpan);
    frm.linCol.Y2 = CSng(cy - w * std::cos(s) / 2 - s * kContactHalfSpan);
}

// The angle of the contact line as read back from linCol, in (-pi/2, pi/2);
// a vertical line gives +pi/2 when it runs downwards, -pi/2 when upwards.
double ContactLineAngle(const Line& line) {
    const double run = static_cast<double>(line.X2) - line.X1;
    const double rise = static_cast<double>(line.Y2) - line.Y1;
    if (run == 0) return rise > 0 ? kPi / 2 : -kPi / 2;
    return std::atan(rise / run);
}

// Whether the ball, one tick ahead, would run into the net from the player's side.
bool HeadingIntoNet(const FrmGame& frm, int direction) {
    const Shape& ball = frm.shpBall;
    const float netLeft = frm.shpNet.Left;
    const float netRight = CSng(static_cast<double>(frm.shpNet.Left) + frm.shpNet.Width);
    const float bottom = CSng(static_cast<double>(ball.Top) + ball.Width + frm.BallVelY);
    if (!(bottom > frm.shpNet.Top)) return false;
    if (direction < 0) {  // Yellow: the ball's right edge coming from the left
        const float edge = CSng(static_cast<double>(ball.Left) + ball.Width + frm.BallVelX);
        return edge > netLeft && netRight > edge && frm.BallVelX > 0;
    }
    const float edge = CSng(ball.Left + frm.BallVelX);
    return edge > netLeft && netRight > edge && frm.BallVelX < 0;
}

void Rebound(FrmGame& frm, const Shape& player, ContactLineFn placeContactLine, int direction) {
    Shape& ball = frm.shpBall;
    placeContactLine(frm);
    const Line& line = frm.linCol;
    frm.ContactAngle = ContactLineAngle(line);
    frm.NormalAngle = frm.ContactAngle - kPi / 2;
    frm.NormalX = std::cos(frm.NormalAngle);
    frm.NormalY = std::sin(frm.NormalAngle);

    frm.NormLine.X1 = CSng((static_cast<double>(line.X2) + line.X1) / 2);
    frm.NormLine.Y1 = CSng((static_cast<double>(line.Y2) + line.Y1) / 2);
    frm.NormLine.X2 = CSng(frm.NormalX * kNormalLength + frm.NormLine.X1);
    frm.NormLine.Y2 = CSng(frm.NormalY * kNormalLength + frm.NormLine.Y1);

    // Mirror the velocity about the tangent, plus one extra step of gravity.
    frm.NormalVel = frm.NormalX * frm.BallVelX + frm.NormalY * frm.BallVelY;
    frm.NormalX = frm.NormalX * -2 * frm.NormalVel;
    frm.NormalY = frm.NormalY * -2 * frm.NormalVel + frm.Gravity;
    frm.BallVelX = frm.NormalX + frm.BallVelX;
    frm.BallVelY = frm.NormalY + frm.BallVelY;

    // Set the ball onto the rim, then walk it away from the net while it would
    // run into it; a whole turn sweeps far wider than the net, so this ends.
    const double ballHalf = ball.Width / 2.0;
    for (int pass = 0; pass < kRimWalkMaxPasses; ++pass) {
        ++frm.LoopSteps;
        const double r = ballHalf + player.Width / 2.0;
        ball.Left = CSng(r * std::sin(frm.ContactAngle) + CenterX(player) - ballHalf);
        ball.Top = CSng(CenterY(player) - r * std::cos(frm.ContactAngle) - ballHalf);
        frm.ContactAngle += direction * (kPi / kRimStepDivisor);
        if (!HeadingIntoNet(frm, direction)) break;
    }

    UpdateLandingSpot(frm, LandingForm::PlayerHit);

    if (frm.tmrDelay.Enabled()) {
        // The rally is over: rest the ball on the ground beside the player.
        if (ball.Left < CenterX(player))
            ball.Left = CSng(CenterX(player) - player.Width / 2.0 - ball.Width);
        if (ball.Left > CenterX(player)) ball.Left = CSng(CenterX(player) + player.Width / 2.0);
        ball.Top = CSng(static_cast<double>(frm.fraGround.Top) - ball.Width);
    }
}

}  // namespace

void PlaceContactLine1(FrmGame& frm) { PlaceContactLine(frm, frm.shpCir1); }
void PlaceContactLine2(FrmGame& frm) { PlaceContactLine(frm, frm.shpCir2); }

void CheckHits(FrmGame& frm) {
    if (CirclesOverlap(frm.shpBall, frm.shpCir1)) Rebound(frm, frm.shpCir1, PlaceContactLine1, -1);
    if (CirclesOverlap(frm.shpBall, frm.shpCir2)) Rebound(frm, frm.shpCir2, PlaceContactLine2, +1);
}

}  // namespace quondra
