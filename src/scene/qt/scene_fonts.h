#pragma once

#include <QFont>
#include <QString>
#include <vector>

#include "scene/objects.h"
#include "scene/scene.h"

namespace quondra::qt {

// The installed face that stands in for a scene face: Liberation Sans for
// Arial, Comic Neue for Comic Sans MS (same metrics, same weights).
QString InstalledFamily(FontFace face);
// A scene font at 96 dots per inch, in its installed face, size and weight,
// scaled with the picture it is drawn in.
QFont ToQFont(const Font& f, double scale = 1);

// A face the game asks for, and the face the system draws in its place.
struct FaceStandIn {
    QString asked;
    QString got;
};
// Each face that the shown captions of the scene ask for and that resolves
// to another face, once. Cheap after a frame has drawn them.
std::vector<FaceStandIn> FaceStandIns(const Scene& scene);

}  // namespace quondra::qt
