#include "game/named_access.h"

#include <utility>

#include "game/frm_game.h"
#include "scene/numeric.h"

namespace quondra {
namespace {

double AsNumber(const Value& v) {
    if (const double* d = std::get_if<double>(&v)) return *d;
    if (const bool* b = std::get_if<bool>(&v)) return *b ? kTrue : kFalse;
    return 0;
}

bool AsBool(const Value& v) {
    if (const bool* b = std::get_if<bool>(&v)) return *b;
    return AsNumber(v) != 0;
}

std::string AsText(const Value& v) {
    if (const std::string* s = std::get_if<std::string>(&v)) return *s;
    return {};
}

// A number field reads as a double and stores what is written converted to
// its own type, as the game's own assignment would.
template <typename Field>
Property Number(ValueType type, Field& field, Field (*convert)(double)) {
    return {type, [&field] { return Value{static_cast<double>(field)}; },
            [&field, convert](const Value& v) { field = convert(AsNumber(v)); }};
}

double AsIs(double value) { return value; }

Property Of(float& field) { return Number(ValueType::Single, field, CSng); }
Property Of(double& field) { return Number(ValueType::Double, field, AsIs); }
Property Of(std::int16_t& field) { return Number(ValueType::Integer, field, CInt); }
Property Of(std::int32_t& field) { return Number(ValueType::Long, field, CLng); }
Property Of(bool& field) {
    return {ValueType::Boolean, [&field] { return Value{field}; },
            [&field](const Value& v) { field = AsBool(v); }};
}
Property Of(std::string& field) {
    return {ValueType::Text, [&field] { return Value{field}; },
            [&field](const Value& v) { field = AsText(v); }};
}

template <typename Object>
std::optional<Property> Box(Object& o, std::string_view p) {
    if (p == "Left") return Of(o.Left);
    if (p == "Top") return Of(o.Top);
    if (p == "Width") return Of(o.Width);
    if (p == "Height") return Of(o.Height);
    if (p == "Visible") return Of(o.Visible);
    return std::nullopt;
}

std::optional<Property> OfObject(FrmGame& frm, const ObjectRef& object, std::string_view p) {
    struct Visitor {
        FrmGame& frm;
        std::string_view p;
        std::optional<Property> operator()(Frame* o) const { return Box(*o, p); }
        std::optional<Property> operator()(Shape* o) const { return Box(*o, p); }
        std::optional<Property> operator()(Picture* o) const { return Box(*o, p); }
        std::optional<Property> operator()(Label* o) const {
            if (p == "Caption") return Of(o->Caption);
            return Box(*o, p);
        }
        std::optional<Property> operator()(Button* o) const {
            if (p == "Caption") return Of(o->Caption);
            return Box(*o, p);
        }
        std::optional<Property> operator()(Line* o) const {
            if (p == "X1") return Of(o->X1);
            if (p == "Y1") return Of(o->Y1);
            if (p == "X2") return Of(o->X2);
            if (p == "Y2") return Of(o->Y2);
            if (p == "Visible") return Of(o->Visible);
            return std::nullopt;
        }
        std::optional<Property> operator()(OptionButton* o) const {
            if (p == "Value") {
                FrmGame* f = &frm;
                return Property{ValueType::Boolean, [o] { return Value{o->Value}; },
                                [f, o](const Value& v) {
                                    if (AsBool(v)) SelectOption(*f, *o);
                                    else o->Value = false;
                                }};
            }
            return Box(*o, p);
        }
        std::optional<Property> operator()(Timer* o) const {
            if (p == "Enabled")
                return Property{ValueType::Boolean, [o] { return Value{o->Enabled()}; },
                                [o](const Value& v) { o->SetEnabled(AsBool(v)); }};
            if (p == "Interval")
                return Property{ValueType::Long,
                                [o] { return Value{static_cast<double>(o->Interval())}; }, {}};
            return std::nullopt;
        }
    };
    return std::visit(Visitor{frm, p}, object);
}

// The match-state fields a script may name, each with its own type.
using FieldOf = Property (*)(MatchState&);
constexpr std::pair<std::string_view, FieldOf> kMatchStateFields[] = {
        {"QuitAnswer", [](MatchState& m) { return Of(m.QuitAnswer); }},
        {"BallVelY", [](MatchState& m) { return Of(m.BallVelY); }},
        {"BallVelX", [](MatchState& m) { return Of(m.BallVelX); }},
        {"ContactAngle", [](MatchState& m) { return Of(m.ContactAngle); }},
        {"ContactSlope", [](MatchState& m) { return Of(m.ContactSlope); }},
        {"LandingX", [](MatchState& m) { return Of(m.LandingX); }},
        {"TimeToApex", [](MatchState& m) { return Of(m.TimeToApex); }},
        {"Gravity", [](MatchState& m) { return Of(m.Gravity); }},
        {"PlayerSpeed", [](MatchState& m) { return Of(m.PlayerSpeed); }},
        {"NetTopBounce", [](MatchState& m) { return Of(m.NetTopBounce); }},
        {"Paused", [](MatchState& m) { return Of(m.Paused); }},
        {"NetBounceDamping", [](MatchState& m) { return Of(m.NetBounceDamping); }},
        {"NormalAngle", [](MatchState& m) { return Of(m.NormalAngle); }},
        {"NormalX", [](MatchState& m) { return Of(m.NormalX); }},
        {"NormalY", [](MatchState& m) { return Of(m.NormalY); }},
        {"NormalVel", [](MatchState& m) { return Of(m.NormalVel); }},
};

std::optional<Property> OfMatchState(MatchState& m, std::string_view n) {
    for (const auto& [name, field] : kMatchStateFields)
        if (name == n) return field(m);
    return std::nullopt;
}

}  // namespace

std::optional<Property> FindProperty(FrmGame& frm, std::string_view name) {
    const auto dot = name.find('.');
    if (dot == std::string_view::npos) return OfMatchState(frm, name);
    const std::string_view object = name.substr(0, dot);
    const std::string_view property = name.substr(dot + 1);
    if (object == "frmGame") {
        if (property == "Width") return Of(frm.Width);
        if (property == "MousePointer") {
            FrmGame* f = &frm;
            return Property{ValueType::Integer,
                            [f] { return Value{static_cast<double>(f->MousePointer)}; },
                            [f](const Value& v) { SetPointer(*f, CInt(AsNumber(v))); }};
        }
        return std::nullopt;
    }
    const ObjectRef* found = frm.Find(object);
    if (found == nullptr) return std::nullopt;
    return OfObject(frm, *found, property);
}

}  // namespace quondra
