#include "program_exit.h"

#include <QGuiApplication>
#include <cstdio>
#include <cstdlib>

namespace quondra::qt {

int ProgramExit(int status) {
    if (QGuiApplication::platformName() != QLatin1String("wayland")) return status;
    std::fflush(nullptr);
    std::_Exit(status);
}

}  // namespace quondra::qt
