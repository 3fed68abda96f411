#pragma once

namespace quorvel {

// SIGTERM and SIGINT (Linux), console close, log-off and shut-down (Windows), and the end of
// the desktop session end the program through the event loop, so that the main window's
// exit sequence runs: the recording closed with all its lines, the settings written.
void QuitOnExitSignals();

// A signal came before the event loop ran (quitting then has no effect): do not start it.
bool ExitRequested();

}  // namespace quorvel
