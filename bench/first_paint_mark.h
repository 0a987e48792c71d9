#pragma once

#include <QString>

namespace quondra::qt {

// For start-up measurements: the wall-clock time at which the first frame is
// complete is written to a file, in nanoseconds since the epoch. With no
// path it does nothing.
class FirstPaintMark {
public:
    explicit FirstPaintMark(QString path) : path_(std::move(path)) {}
    // Called at the end of each paint of the window; only the first one counts.
    void Painted();

private:
    QString path_;
};

}  // namespace quondra::qt
