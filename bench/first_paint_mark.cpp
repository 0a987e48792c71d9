#include "first_paint_mark.h"

#include <QFile>
#include <QTimer>
#include <chrono>

namespace quondra::qt {

void FirstPaintMark::Painted() {
    if (path_.isEmpty()) return;
    // The child widgets are painted after the window, in the same pass: the
    // frame is complete once control is back in the event loop.
    QTimer::singleShot(0, [path = path_] {
        const auto now = std::chrono::system_clock::now().time_since_epoch();
        QFile file(path);
        if (file.open(QIODevice::WriteOnly | QIODevice::Truncate))
            file.write(QByteArray::number(static_cast<qint64>(std::chrono::nanoseconds(now).count())) + '\n');
    });
    path_.clear();
}

}  // namespace quondra::qt
