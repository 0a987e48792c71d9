#pragma once

#include <QFont>
#include <QString>
#include <vector>

#include "scene/objects.h"

namespace quondra::qt {

// The installed face that stands in for a scene face: Liberation Sans for
// Arial, Comic Neue for Comic Sans MS (same metrics, same weights).
QString InstalledFamily(FontFace face);
// A scene font at 96 dots per inch, in its installed face, size and weight.
QFont ToQFont(const Font& f);

// A face the game asks for, and the face the system draws in its place.
struct FaceStandIn {
    QString asked;
    QString got;
};
// Each face the game asks for that resolves to another face, once. Cheap
// after the first frame, which has drawn text in both faces.
std::vector<FaceStandIn> FaceStandIns();

}  // namespace quondra::qt
