// Each rule of the soak's checker, broken on purpose in a match under way,
// must be reported; the same match left alone, or brought to the edge of a
// rule, must not be.
#include "invariants.h"

#include <gtest/gtest.h>
#include <cctype>
#include <cmath>
#include <functional>
#include <limits>
#include <ostream>

#include "ball/collision.h"
#include "game/events.h"
#include "game/hits.h"
#include "recording_platform.h"

namespace quondra::soak {
namespace {

struct BrokenCase {
    const char* name;
    std::function<void(FrmGame&)> breakIt;
    Event::Kind cause;
    const char* reported;  // part of the message; nullptr: nothing is broken
};

void PrintTo(const BrokenCase& c, std::ostream* out) { *out << c.name; }

void PutBallAtDepth(FrmGame& frm, double depth) {
    // Straight above Yellow's centre, `depth` units inside the rim distance.
    const double radii = (frm.shpBall.Width + frm.shpCir1.Width) / 2.0;
    frm.shpBall.Left = static_cast<float>(CenterX(frm.shpCir1) - frm.shpBall.Width / 2.0);
    frm.shpBall.Top = static_cast<float>(CenterY(frm.shpCir1) - (radii - depth) - frm.shpBall.Width / 2.0);
    frm.shpBall.Visible = true;
}

// Where a walk round Yellow's rim of `passes` passes leaves the contact angle.
double ContactAngleAfter(const FrmGame& frm, int passes) {
    const double start = std::atan((static_cast<double>(frm.linCol.Y2) - frm.linCol.Y1) /
                                   (static_cast<double>(frm.linCol.X2) - frm.linCol.X1));
    return start - passes * (3.14159265358979 / 120);
}

// Both players as close to the net as Average lets them; the ball on the
// ground against Red's left side.
void RestAgainstRedAtTheNet(FrmGame& frm) {
    frm.shpCir1.Left = 4740;
    frm.shpCir2.Left = 6540;
    frm.shpBall.Left = 6045.5f;
    frm.shpBall.Top = 7185;
}

class Broken : public ::testing::TestWithParam<BrokenCase> {};

TEST_P(Broken, IsReportedAfterTheStepThatBrokeIt) {
    const BrokenCase& c = GetParam();
    testing::Game g;
    FrmGame& frm = g.frm;
    InvariantChecker checker(frm);
    ClickPlay(frm);
    ASSERT_EQ(checker.Check(frm, {Event::Kind::Click, 0, "cmdPlay"}), std::nullopt);
    c.breakIt(frm);
    const auto report = checker.Check(frm, {c.cause, 0, {}});
    if (c.reported == nullptr) {
        EXPECT_EQ(report, std::nullopt) << c.name;
    } else {
        ASSERT_TRUE(report.has_value()) << c.name;
        EXPECT_NE(report->find(c.reported), std::string::npos) << c.name << ": " << *report;
    }
}

constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();
constexpr double kInfinity = std::numeric_limits<double>::infinity();
using K = Event::Kind;

INSTANTIATE_TEST_SUITE_P(
    Rules, Broken,
    ::testing::Values(
        BrokenCase{"nothing", [](FrmGame&) {}, K::Run, nullptr},
        BrokenCase{"Yellow lifted", [](FrmGame& f) { f.shpCir1.Top = 6961; }, K::Run, "left the ground"},
        BrokenCase{"Red lowered", [](FrmGame& f) { f.shpCir2.Top = 6959; }, K::Run, "left the ground"},
        BrokenCase{"Yellow at the left edge", [](FrmGame& f) { f.shpCir1.Left = 0; }, K::Run, "Yellow left"},
        BrokenCase{"Yellow touching the net", [](FrmGame& f) { f.shpCir1.Left = 6240 - 1455; }, K::Run,
                   "Yellow left"},
        BrokenCase{"Yellow one unit short of the net", [](FrmGame& f) { f.shpCir1.Left = 6240 - 1456; },
                   K::Run, nullptr},
        BrokenCase{"Red touching the net", [](FrmGame& f) { f.shpCir2.Left = 6495; }, K::Run, "Red left"},
        BrokenCase{"Red at the right limit", [](FrmGame& f) { f.shpCir2.Left = 12710 - 1455; }, K::Run,
                   "Red left"},
        BrokenCase{"a velocity not a number", [](FrmGame& f) { f.BallVelX = kNaN; }, K::Run, "velocity"},
        BrokenCase{"a position infinite", [](FrmGame& f) { f.shpBall.Top = static_cast<float>(kInfinity); },
                   K::Run, "position"},
        BrokenCase{"a division by zero", [](FrmGame& f) { f.TimeToApex = kInfinity; }, K::Run, "not finite"},
        BrokenCase{"the ball past the 16-bit range", [](FrmGame& f) { f.shpBall.Left = 32767; }, K::Run,
                   "16-bit"},
        BrokenCase{"the ball high above the window", [](FrmGame& f) { f.shpBall.Top = -60000; }, K::Run,
                   nullptr},
        BrokenCase{"a rim walk of a whole turn",
                   [](FrmGame& f) { f.ContactAngle = ContactAngleAfter(f, kRimWalkMaxPasses); }, K::Run, "rim"},
        BrokenCase{"a rim walk a pass short of a whole turn",
                   [](FrmGame& f) { f.ContactAngle = ContactAngleAfter(f, kRimWalkMaxPasses - 1); }, K::Run,
                   nullptr},
        BrokenCase{"the ball 2 units inside Yellow", [](FrmGame& f) { PutBallAtDepth(f, 2); }, K::Run,
                   "inside a player"},
        BrokenCase{"the ball 0.5 units inside Yellow", [](FrmGame& f) { PutBallAtDepth(f, 0.5); }, K::Run,
                   nullptr},
        BrokenCase{"a hidden ball inside Yellow",
                   [](FrmGame& f) {
                       PutBallAtDepth(f, 100);
                       f.shpBall.Visible = false;
                   },
                   K::Run, nullptr},
        BrokenCase{"resting between rallies against Red, inside Yellow, both at the net",
                   [](FrmGame& f) {
                       RestAgainstRedAtTheNet(f);
                       f.tmrBall.SetEnabled(false);
                       f.tmrDelay.SetEnabled(true);
                   },
                   K::Run, nullptr},
        BrokenCase{"the same place with the ball in play", RestAgainstRedAtTheNet, K::Run, "inside a player"},
        BrokenCase{"a score of 11", [](FrmGame& f) { f.lblRed.Caption = "11"; }, K::Run, "not the text"},
        BrokenCase{"a score that is no number", [](FrmGame& f) { f.lblYellow.Caption = "one"; }, K::Run,
                   "not the text"},
        BrokenCase{"a point by a key", [](FrmGame& f) { f.lblRed.Caption = "1"; }, K::KeyDown, "score went"},
        BrokenCase{"a point with the ball still in play", [](FrmGame& f) { f.lblRed.Caption = "1"; }, K::Run,
                   "score went"},
        BrokenCase{"two points at a rally end",
                   [](FrmGame& f) {
                       f.lblRed.Caption = "2";
                       f.tmrBall.SetEnabled(false);
                       f.tmrDelay.SetEnabled(true);
                   },
                   K::Run, "score went"},
        BrokenCase{"one point at a rally end",
                   [](FrmGame& f) {
                       f.lblRed.Caption = "1";
                       f.tmrBall.SetEnabled(false);
                       f.tmrDelay.SetEnabled(true);
                   },
                   K::Run, nullptr},
        BrokenCase{"in play and between rallies", [](FrmGame& f) { f.tmrDelay.SetEnabled(true); }, K::Run,
                   "phase"},
        BrokenCase{"no phase", [](FrmGame& f) { f.tmrBall.SetEnabled(false); }, K::Run, "phase"},
        BrokenCase{"Paused neither true nor false", [](FrmGame& f) { f.Paused = 1; }, K::Run, "phase"},
        BrokenCase{"the computer's timer on the settings screen",
                   [](FrmGame& f) {
                       f.tmrBall.SetEnabled(false);
                       f.cmdPlay.Visible = true;
                       f.tmrAI.SetEnabled(true);
                   },
                   K::KeyDown, "tmrAI runs on the settings screen"}),
    [](const ::testing::TestParamInfo<BrokenCase>& info) {
        std::string name;
        for (const char ch : std::string(info.param.name)) name += std::isalnum(static_cast<unsigned char>(ch)) ? ch : '_';
        return name;
    });

}  // namespace
}  // namespace quondra::soak
