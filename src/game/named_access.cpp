#include "game/named_access.h"

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

Property Of(float& field) {
    return {ValueType::Single, [&field] { return Value{static_cast<double>(field)}; },
            [&field](const Value& v) { field = CSng(AsNumber(v)); }};
}
Property Of(double& field) {
    return {ValueType::Double, [&field] { return Value{field}; },
            [&field](const Value& v) { field = AsNumber(v); }};
}
Property Of(std::int16_t& field) {
    return {ValueType::Integer, [&field] { return Value{static_cast<double>(field)}; },
            [&field](const Value& v) { field = CInt(AsNumber(v)); }};
}
Property Of(std::int32_t& field) {
    return {ValueType::Long, [&field] { return Value{static_cast<double>(field)}; },
            [&field](const Value& v) { field = CLng(AsNumber(v)); }};
}
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

std::optional<Property> OfMatchState(MatchState& m, std::string_view n) {
    if (n == "QuitAnswer") return Of(m.QuitAnswer);
    if (n == "BallVelY") return Of(m.BallVelY);
    if (n == "BallVelX") return Of(m.BallVelX);
    if (n == "ContactAngle") return Of(m.ContactAngle);
    if (n == "ContactSlope") return Of(m.ContactSlope);
    if (n == "LandingX") return Of(m.LandingX);
    if (n == "TimeToApex") return Of(m.TimeToApex);
    if (n == "Gravity") return Of(m.Gravity);
    if (n == "PlayerSpeed") return Of(m.PlayerSpeed);
    if (n == "NetTopBounce") return Of(m.NetTopBounce);
    if (n == "Paused") return Of(m.Paused);
    if (n == "NetBounceDamping") return Of(m.NetBounceDamping);
    if (n == "NormalAngle") return Of(m.NormalAngle);
    if (n == "NormalX") return Of(m.NormalX);
    if (n == "NormalY") return Of(m.NormalY);
    if (n == "NormalVel") return Of(m.NormalVel);
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
