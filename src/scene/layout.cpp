// The layout table: every object of the window with its place and look.
#include "scene/layout.h"

#include "game/startup.h"
#include "scene/scene.h"

namespace quondra {
namespace {

constexpr Color kBlack{0, 0, 0};
constexpr Color kCyanBack{128, 255, 255};
constexpr Color kGreen{0, 255, 0};
constexpr Color kBlue{0, 0, 255};

constexpr Font kOptionFont{FontFace::Arial, 15.75f, true, false};
constexpr Font kHeadingFont{FontFace::Arial, 15.75f, true, true};
constexpr Font kGroundFont{FontFace::Arial, 12.0f, true, false};
constexpr Font kScoreFont{FontFace::Arial, 36.0f, true, false};

struct Box {
    float Left, Top, Width, Height;
};

void Place(Frame& f, std::string_view name, Box b, Color back) {
    f.Name = name;
    f.Left = b.Left, f.Top = b.Top, f.Width = b.Width, f.Height = b.Height;
    f.BackColor = back;
}

void Place(Label& l, std::string_view name, const Frame* in, Box b, std::string caption, Color fore,
           std::optional<Color> back, Font font, Alignment align = Alignment::Left,
           bool visible = true) {
    l.Name = name;
    l.Container = in;
    l.Left = b.Left, l.Top = b.Top, l.Width = b.Width, l.Height = b.Height;
    l.Caption = std::move(caption);
    l.ForeColor = fore;
    l.BackColor = back;
    l.Font = font;
    l.Align = align;
    l.Visible = visible;
}

// The options of a group stand in rows inside their frame, each with its
// caption to its right.
constexpr float kChoiceRowStep = 480;
constexpr Box kFirstOption{240, 120, 255, 615};
constexpr Box kFirstCaption{600, 240, 0, 495};  // the width is the caption's own

void PlaceChoice(const Frame& in, int row, OptionButton& o, std::string_view name, Label& l,
                 std::string_view labelName, float captionWidth, std::string caption, KeyHandler keyDown,
                 EventHandler click = nullptr) {
    const float down = kChoiceRowStep * static_cast<float>(row);
    o.Name = name;
    o.Container = &in;
    o.Left = kFirstOption.Left, o.Top = kFirstOption.Top + down;
    o.Width = kFirstOption.Width, o.Height = kFirstOption.Height;
    o.BackColor = kCyanBack;
    o.KeyDown = keyDown;
    o.Click = click;
    Place(l, labelName, &in, {kFirstCaption.Left, kFirstCaption.Top + down, captionWidth, kFirstCaption.Height},
          std::move(caption), kBlack, kCyanBack, kOptionFont);
}

void Place(Picture& p, std::string_view name, const Frame* in, Box b, Artwork art, bool visible) {
    p.Name = name;
    p.Container = in;
    p.Left = b.Left, p.Top = b.Top, p.Width = b.Width, p.Height = b.Height;
    p.Art = art;
    p.Visible = visible;
}

void Place(Shape& s, std::string_view name, Box b, ShapeForm form, std::optional<Color> fill,
           bool visible = true) {
    s.Name = name;
    s.Left = b.Left, s.Top = b.Top, s.Width = b.Width, s.Height = b.Height;
    s.Form = form;
    s.FillColor = fill;
    s.BorderColor = kBlack;
    s.Visible = visible;
}

void Place(Line& l, std::string_view name, float x1, float y1, float x2, float y2) {
    l.Name = name;
    l.X1 = x1, l.Y1 = y1, l.X2 = x2, l.Y2 = y2;
}

}  // namespace

void BuildLayout(Scene& s) {
    s.BackColor = kCyanBack;
    Place(s.fraPlayers, "fraPlayers", {4245, 2520, 3900, 1200}, kCyanBack);
    PlaceChoice(s.fraPlayers, 1, s.optHuman, "optHuman", s.lblHuman, "lblHuman", 3210, "Human vs. Human",
                optHuman_KeyDown, optHuman_Click);
    PlaceChoice(s.fraPlayers, 0, s.optComputer, "optComputer", s.lblComputer, "lblComputer", 3210,
                "Human vs. Computer", optComputer_KeyDown, optComputer_Click);

    Place(s.fraSpeed, "fraSpeed", {9495, 2640, 2100, 1800}, kCyanBack);
    PlaceChoice(s.fraSpeed, 0, s.optSlow, "optSlow", s.lblSlow, "lblSlow", 1095, "Slow", optSlow_KeyDown);
    PlaceChoice(s.fraSpeed, 1, s.optAverage, "optAverage", s.lblAverage, "lblAverage", 1455, "Average",
                optAverage_KeyDown);
    PlaceChoice(s.fraSpeed, 2, s.optFast, "optFast", s.lblFast, "lblFast", 1215, "Fast", optFast_KeyDown);

    Place(s.fraGravity, "fraGravity", {930, 2520, 2100, 1800}, kCyanBack);
    PlaceChoice(s.fraGravity, 0, s.optLow, "optLow", s.lblLow, "lblLow", 1095, "Low", optLow_KeyDown);
    PlaceChoice(s.fraGravity, 1, s.optMedium, "optMedium", s.lblMedium, "lblMedium", 1215, "Medium",
                optMedium_KeyDown);
    PlaceChoice(s.fraGravity, 2, s.optHigh, "optHigh", s.lblHigh, "lblHigh", 1215, "High", optHigh_KeyDown);

    s.cmdPlay.Name = "cmdPlay";
    s.cmdPlay.Left = 5220, s.cmdPlay.Top = 4500, s.cmdPlay.Width = 2295, s.cmdPlay.Height = 975;
    s.cmdPlay.Caption = "Play";
    s.cmdPlay.BackColor = kGreen;
    s.cmdPlay.Font = kPlayFont;
    s.cmdPlay.Click = cmdPlay_Click;
    s.cmdPlay.KeyDown = cmdPlay_KeyDown;

    Place(s.fraGround, "fraGround", {0, 7680, 12750, 1215}, kBlack);
    Place(s.lblMoveRed, "lblMoveRed", &s.fraGround, {10395, 90, 2310, 270}, "Arrows = Move Red",
          {255, 0, 0}, kBlack, kGroundFont, Alignment::Left, false);
    Place(s.lblMoveYellow, "lblMoveYellow", &s.fraGround, {120, 90, 2370, 270},
          "A + D = Move Yellow", {255, 255, 0}, kBlack, kGroundFont);
    Place(s.lblTitle2, "lblTitle2", &s.fraGround, {4020, 240, 6015, 810}, Artwork::TitleBanner,
          false);
    Place(s.lblBy, "lblBy", &s.fraGround, {10470, 780, 2235, 270}, "The Quondra team",
          {0, 255, 255}, kBlack, kGroundFont);
    Place(s.lblQuitInfo, "lblQuitInfo", &s.fraGround, {10665, 435, 2040, 270}, "Q = Quit Program",
          {255, 255, 255}, kBlack, kGroundFont);
    Place(s.lblNewInfo, "lblNewInfo", &s.fraGround, {540, 435, 2955, 270},
          "N = New Game + Settings", kGreen, kBlack, kGroundFont, Alignment::Left, false);
    Place(s.lblPauseInfo, "lblPauseInfo", &s.fraGround, {210, 780, 3510, 270},
          "ESC = Pause / Unpause Game", kGreen, kBlack, kGroundFont, Alignment::Left, false);

    Place(s.lblPaused, "lblPaused", nullptr, {960, 2400, 10815, 1200}, "Game Paused", kBlack,
          std::nullopt, {FontFace::Arial, 48.0f, true, false}, Alignment::Center, false);
    Place(s.lblPlayers, "lblPlayers", nullptr, {5715, 2040, 1110, 495}, "Players", kBlue,
          kCyanBack, kHeadingFont);
    Place(s.lblSpeed, "lblSpeed", nullptr, {9570, 2040, 1980, 495}, "Player Speed", kBlue,
          kCyanBack, kHeadingFont);
    Place(s.lblGravity, "lblGravity", nullptr, {1395, 2040, 1080, 495}, "Gravity", kBlue,
          kCyanBack, kHeadingFont);
    Place(s.lblRed, "lblRed", nullptr, {11640, 180, 975, 855}, "0", kBlack, std::nullopt,
          kScoreFont, Alignment::Right);
    Place(s.lblYellow, "lblYellow", nullptr, {120, 180, 975, 855}, "0", kBlack, std::nullopt,
          kScoreFont, Alignment::Left);
    Place(s.imgTitle, "imgTitle", nullptr, {2010, 360, 8715, 1050}, Artwork::TitleBanner, true);
    Place(s.imgPlayer2, "imgPlayer2", nullptr, {9480, 6960, 1815, 990}, Artwork::Player2, false);
    Place(s.shpLandingSpot, "shpLandingSpot", {2160, 6840, 375, 375}, ShapeForm::Rectangle,
          std::nullopt, false);
    Place(s.shpCir2, "shpCir2", {8400, 120, 1455, 1455}, ShapeForm::Circle, Color{255, 0, 0});
    Place(s.imgPlayer1, "imgPlayer1", nullptr, {1440, 6960, 1815, 990}, Artwork::Player1, false);
    Place(s.NormLine, "NormLine", 5160, 240, 4800, 240);
    Place(s.linCol, "linCol", 4680, 240, 4320, 240);
    Place(s.shpCir1, "shpCir1", {10800, 120, 1455, 1455}, ShapeForm::Circle, Color{255, 255, 0});
    Place(s.shpNet, "shpNet", {6240, 6840, 255, 855}, ShapeForm::Rectangle, Color{255, 255, 255});
    Place(s.shpBall, "shpBall", {960, 480, 495, 495}, ShapeForm::Circle, kGreen, false);
}

}  // namespace quondra
