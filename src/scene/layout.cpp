// The layout table: every object of the window with its place and look.
#include "scene/layout.h"
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

void Place(OptionButton& o, std::string_view name, const Frame& in, Box b) {
    o.Name = name;
    o.Container = &in;
    o.Left = b.Left, o.Top = b.Top, o.Width = b.Width, o.Height = b.Height;
    o.BackColor = kCyanBack;
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
    Place(s.fraPlayers, "fraPlayers", {4245, 2520, 3900, 1200}, kCyanBack);
    Place(s.optHuman, "optHuman", s.fraPlayers, {240, 600, 255, 615});
    Place(s.optComputer, "optComputer", s.fraPlayers, {240, 120, 255, 615});
    Place(s.lblHuman, "lblHuman", &s.fraPlayers, {600, 720, 3210, 495}, "Human vs. Human", kBlack,
          kCyanBack, kOptionFont);
    Place(s.lblComputer, "lblComputer", &s.fraPlayers, {600, 240, 3210, 495},
          "Human vs. Computer", kBlack, kCyanBack, kOptionFont);

    Place(s.fraSpeed, "fraSpeed", {9495, 2640, 2100, 1800}, kCyanBack);
    Place(s.optSlow, "optSlow", s.fraSpeed, {240, 120, 255, 615});
    Place(s.optAverage, "optAverage", s.fraSpeed, {240, 600, 255, 615});
    Place(s.optFast, "optFast", s.fraSpeed, {240, 1080, 255, 615});
    Place(s.lblSlow, "lblSlow", &s.fraSpeed, {600, 240, 1095, 495}, "Slow", kBlack, kCyanBack,
          kOptionFont);
    Place(s.lblAverage, "lblAverage", &s.fraSpeed, {600, 720, 1455, 495}, "Average", kBlack,
          kCyanBack, kOptionFont);
    Place(s.lblFast, "lblFast", &s.fraSpeed, {600, 1200, 1215, 495}, "Fast", kBlack, kCyanBack,
          kOptionFont);

    Place(s.fraGravity, "fraGravity", {930, 2520, 2100, 1800}, kCyanBack);
    Place(s.optLow, "optLow", s.fraGravity, {240, 120, 255, 615});
    Place(s.optMedium, "optMedium", s.fraGravity, {240, 600, 255, 615});
    Place(s.optHigh, "optHigh", s.fraGravity, {240, 1080, 255, 615});
    Place(s.lblLow, "lblLow", &s.fraGravity, {600, 240, 1095, 495}, "Low", kBlack, kCyanBack,
          kOptionFont);
    Place(s.lblMedium, "lblMedium", &s.fraGravity, {600, 720, 1215, 495}, "Medium", kBlack,
          kCyanBack, kOptionFont);
    Place(s.lblHigh, "lblHigh", &s.fraGravity, {600, 1200, 1215, 495}, "High", kBlack, kCyanBack,
          kOptionFont);

    s.cmdPlay.Name = "cmdPlay";
    s.cmdPlay.Left = 5220, s.cmdPlay.Top = 4500, s.cmdPlay.Width = 2295, s.cmdPlay.Height = 975;
    s.cmdPlay.Caption = "Play";
    s.cmdPlay.BackColor = kGreen;
    s.cmdPlay.Font = kPlayFont;

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
