#pragma once

namespace quondra::qt {

// What main returns once the event loop has: the status, or, on Wayland, a
// process that ends at once with it. Qt 6.4's Wayland platform can hang for
// ever tearing down its display connection after the window has gone (in
// ~QWaylandDisplay, a few closes in ten with a message box open); nothing of
// the game's is left to save by then, so there the teardown is skipped.
int ProgramExit(int status);

}  // namespace quondra::qt
