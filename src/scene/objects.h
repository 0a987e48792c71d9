#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "scene/handler.h"

namespace quondra {

struct Color {
    std::uint8_t Red = 0, Green = 0, Blue = 0;
    friend bool operator==(const Color&, const Color&) = default;
};

enum class FontFace { Arial, ComicSansMS };

struct Font {
    FontFace Face = FontFace::Arial;
    float Points = 12;
    bool Bold = false;
    bool Underline = false;
};

enum class Alignment { Left, Center, Right };
enum class ShapeForm { Rectangle, Circle };
enum class Artwork { TitleBanner, Player1, Player2 };

struct Frame;

// What every named object has: its name and the frame that holds it
// (nullptr for the window itself).
struct SceneObject {
    std::string_view Name;
    const Frame* Container = nullptr;
};

struct Frame : SceneObject {
    float Left = 0, Top = 0, Width = 0, Height = 0;
    bool Visible = true;
    Color BackColor;
};

struct Shape : SceneObject {
    float Left = 0, Top = 0, Width = 0, Height = 0;
    bool Visible = true;
    ShapeForm Form = ShapeForm::Rectangle;
    std::optional<Color> FillColor;  // empty: transparent inside
    Color BorderColor;               // always black in this game
};

struct Line : SceneObject {
    float X1 = 0, Y1 = 0, X2 = 0, Y2 = 0;
    bool Visible = true;
};

struct Label : SceneObject {
    std::string Caption;
    float Left = 0, Top = 0, Width = 0, Height = 0;
    bool Visible = true;
    Color ForeColor;
    std::optional<Color> BackColor;  // empty: transparent
    Alignment Align = Alignment::Left;
    quondra::Font Font;
};

struct Picture : SceneObject {
    float Left = 0, Top = 0, Width = 0, Height = 0;
    bool Visible = true;
    Artwork Art = Artwork::TitleBanner;
};

// A settings control: it can hold the focus, takes keys and is clicked.
struct Control : SceneObject {
    float Left = 0, Top = 0, Width = 0, Height = 0;
    bool Visible = true;
    KeyHandler KeyDown = nullptr;
    // An option without one does nothing of its own when it is selected.
    EventHandler Click = nullptr;
};

struct OptionButton : Control {
    bool Value = false;
    Color BackColor{128, 255, 255};
};

struct Button : Control {
    std::string Caption;
    Color BackColor;
    quondra::Font Font;
};

// True when the object and every frame around it are visible.
template <typename Object>
bool IsShown(const Object& object) {
    if (!object.Visible) return false;
    for (const Frame* f = object.Container; f != nullptr; f = f->Container)
        if (!f->Visible) return false;
    return true;
}

}  // namespace quondra
