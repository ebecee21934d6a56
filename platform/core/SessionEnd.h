#pragma once

#include <functional>

/// The end of a run that nobody is there to answer for: the desktop session logging out or shutting down
/// (SIGTERM, SIGHUP), or an interrupt from the terminal (SIGINT).
namespace SessionEnd {

/// Installs handlers for SIGTERM, SIGHUP and SIGINT. The handler only writes a byte to a socket; the
/// callback then runs on the user-interface thread, from the event loop.
void Watch(std::function<void()> onEnd);

/// True while the program ends without anybody to answer: message boxes are not shown (each gives the
/// answer that keeps things as they are) and failed saves are reported on standard error instead.
bool IsEnding();
void SetEnding(bool ending);

/// Test seam: runs the callback as a signal would.
void RequestForTests();

} // namespace SessionEnd
