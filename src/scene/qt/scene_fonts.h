#pragma once

#include <QFont>
#include <QString>

#include "scene/objects.h"

namespace quondra::qt {

// The installed face that stands in for a scene face: Liberation Sans for
// Arial, Comic Neue for Comic Sans MS (same metrics, same weights).
QString InstalledFamily(FontFace face);
// A scene font at 96 dots per inch, in its installed face, size and weight,
// scaled with the picture it is drawn in.
QFont ToQFont(const Font& f, double scale = 1);

}  // namespace quondra::qt
