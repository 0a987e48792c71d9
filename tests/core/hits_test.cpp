#include "game/hits.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

#include "scene/objects.h"

namespace quondra {
namespace {

Shape Circle(float left, float top, float width) {
    Shape s;
    s.Left = left, s.Top = top, s.Width = width, s.Height = width;
    s.Form = ShapeForm::Circle;
    return s;
}

struct CenterCase {
    float left, width;
    std::int16_t expected;
};

class CenterXRounding : public ::testing::TestWithParam<CenterCase> {};

TEST_P(CenterXRounding, RoundsHalvesToTheEvenNeighbour) {
    const auto [left, width, expected] = GetParam();
    EXPECT_EQ(CenterX(Circle(left, 0, width)), expected);
}

INSTANTIATE_TEST_SUITE_P(Ties, CenterXRounding,
                         ::testing::Values(CenterCase{1440, 1455, 2168},    // 2167.5 up
                                           CenterCase{1441, 1455, 2168},    // 2168.5 down
                                           CenterCase{1439, 1455, 2166},    // 2166.5 down
                                           CenterCase{1920.5f, 495, 2168},  // exact
                                           CenterCase{-10.5f, 20, -0},      // -0.5 to 0
                                           CenterCase{-11.5f, 20, -2}));    // -1.5 to -2

TEST(CenterY, UsesTopAndHeight) {
    Shape s = Circle(0, 6960, 1455);
    EXPECT_EQ(CenterY(s), 7688);  // 7687.5 to the even 7688
}

TEST(Distance, IsEuclidean) {
    EXPECT_DOUBLE_EQ(Distance(0, 0, 3, 4), 5.0);
    EXPECT_DOUBLE_EQ(Distance(2668, 6888, 2168, 7688), std::sqrt(500.0 * 500 + 800.0 * 800));
}

TEST(CirclesOverlap, TouchingIsNotOverlapping) {
    // Ball centre 975 above a player's centre: the radii sum exactly.
    const Shape player = Circle(1440, 6960, 1455);  // rounded centre (2168, 7688)
    const Shape touching = Circle(2168 - 247.5f, 7688 - 975 - 247.5f, 495);
    EXPECT_FALSE(CirclesOverlap(touching, player));
    const Shape overlapping = Circle(2168 - 247.5f, 7688 - 974.5f - 247.5f, 495);
    EXPECT_TRUE(CirclesOverlap(overlapping, player));
}

TEST(CirclesOverlap, RoundsOnlyTheSecondCentre) {
    // A's centre keeps its fraction, B's is rounded: centres at x 0.5 and
    // 1000.5, which rounds to 1000. Radii sum to 1000 (two circles 1000 wide).
    const Shape a = Circle(-499.5f, -500, 1000);
    const Shape b = Circle(500.5f, -500, 1000);
    EXPECT_TRUE(CirclesOverlap(a, b));   // 999.5 apart
    EXPECT_FALSE(CirclesOverlap(b, a));  // 1000.5 - 0 = 1000.5 apart
}

TEST(Conversions, SaturateAndNeverInvokeUndefinedBehaviour) {
    EXPECT_EQ(CInt(40000.0), std::numeric_limits<std::int16_t>::max());
    EXPECT_EQ(CInt(-40000.0), std::numeric_limits<std::int16_t>::min());
    EXPECT_EQ(CInt(std::numeric_limits<double>::quiet_NaN()), 0);
    EXPECT_EQ(CInt(std::numeric_limits<double>::infinity()), 32767);
    EXPECT_EQ(CLng(1e12), std::numeric_limits<std::int32_t>::max());
    EXPECT_EQ(CLng(1000.5), 1000);
    EXPECT_EQ(CLng(1001.5), 1002);
    EXPECT_EQ(CLng(-2.5), -2);
    // A centre far outside the 16-bit range is defined too.
    EXPECT_EQ(CenterX(Circle(1e9f, 0, 10)), 32767);
}

struct RoundCase {
    double value;
    std::int32_t expected;
};

class LongRounding : public ::testing::TestWithParam<RoundCase> {};

TEST_P(LongRounding, TiesGoToTheEvenNeighbour) {
    const auto [value, expected] = GetParam();
    EXPECT_EQ(CLng(value), expected);
}

INSTANTIATE_TEST_SUITE_P(Values, LongRounding,
                         ::testing::Values(RoundCase{0.5, 0}, RoundCase{-0.5, 0}, RoundCase{2.5, 2},
                                           RoundCase{3.5, 4}, RoundCase{-3.5, -4},
                                           RoundCase{0.49999999999999994, 0},
                                           RoundCase{-0.50000000000000011, -1},
                                           RoundCase{495.5, 496},
                                           RoundCase{2147483646.5, 2147483646},
                                           RoundCase{-2147483647.5, -2147483648},
                                           RoundCase{1e9 + 0.75, 1000000001}));

TEST(Conversions, AgreeWithTheLibraryRoundingOverTheIntegerRange) {
    // Quarters and near-halves across the whole 16-bit range and past it.
    for (double v = -33000; v <= 33000; v += 0.25) {
        for (const double x : {v, std::nextafter(v, -1e9), std::nextafter(v, 1e9)}) {
            const double clamped = std::fmin(std::fmax(std::nearbyint(x), -32768), 32767);
            ASSERT_EQ(CInt(x), static_cast<std::int16_t>(clamped)) << x;
        }
    }
}

TEST(CirclesOverlap, AgreesWithTheDistanceOfTheCentres) {
    // Ball positions across and just beyond a player's reach, with fractions,
    // so the early answer on one axis is checked against the full distance.
    const Shape player = Circle(1440.5f, 6960, 1455);
    const double reach = (495 + 1455) / 2.0;
    int overlaps = 0;
    for (double dx = -reach - 3; dx <= reach + 3; dx += 0.375) {
        for (const double dy : {-reach - 2.0, -reach - 0.5, -reach, -600.25, -0.5, 0.0, 2.5, reach - 0.25, reach + 0.75}) {
            const Shape ball = Circle(static_cast<float>(CenterX(player) + dx - 247.5),
                                      static_cast<float>(CenterY(player) + dy - 247.5), 495);
            const bool expected = Distance(ball.Left + 247.5f, ball.Top + 247.5f, CenterX(player),
                                           CenterY(player)) < reach;
            ASSERT_EQ(CirclesOverlap(ball, player), expected) << dx << " " << dy;
            overlaps += expected;
        }
    }
    EXPECT_GT(overlaps, 0);
}

}  // namespace
}  // namespace quondra
