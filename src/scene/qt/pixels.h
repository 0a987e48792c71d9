#pragma once

#include <QRect>
#include <QRectF>

#include "scene/layout.h"

namespace quondra::qt {

// Scene units to the window's logical pixels and back: the one conversion.
// A high-DPI backing store then scales logical pixels to device pixels.
constexpr double ToPixels(double units) { return units / kUnitsPerPixel; }
constexpr double ToUnits(double pixels) { return pixels * kUnitsPerPixel; }

inline constexpr int kClientWidthPx = static_cast<int>(ToPixels(kClientWidth));
inline constexpr int kClientHeightPx = static_cast<int>(ToPixels(kClientHeight));

// A box in exact pixels, as the painter draws it.
inline QRectF PixelRectF(double left, double top, double width, double height) {
    return QRectF(ToPixels(left), ToPixels(top), ToPixels(width), ToPixels(height));
}

// A box in whole pixels, each edge and size rounded, as a widget is placed.
inline QRect PixelRect(double left, double top, double width, double height) {
    return QRect(qRound(ToPixels(left)), qRound(ToPixels(top)), qRound(ToPixels(width)), qRound(ToPixels(height)));
}

}  // namespace quondra::qt
