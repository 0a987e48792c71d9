#pragma once

#include <QString>

namespace quondra::qt {

// For start-up measurements: when QUONDRA_FIRST_PAINT_FILE names a file, the
// wall-clock time at which the first frame is complete is written there, in
// nanoseconds since the epoch. Without the variable it does nothing.
class FirstPaintMark {
public:
    FirstPaintMark();
    // Called at the end of each paint of the window; only the first one counts.
    void Painted();

private:
    QString path_;
};

}  // namespace quondra::qt
