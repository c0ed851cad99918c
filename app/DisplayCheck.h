#pragma once

#include <string>

// Qt aborts with a terse message when it finds no display. Before it starts, the editor
// checks for one itself, so that the user is told plainly and pointed to the command line.
namespace DisplayCheck {

// True when the window system Qt will pick needs a display server and none is named:
// neither DISPLAY nor WAYLAND_DISPLAY, nor an explicit QT_QPA_PLATFORM.
bool DisplayMissing();

// The one line to print then, for the editor started as ARGV0.
std::string MissingDisplayMessage(const std::string& argv0);

} // namespace DisplayCheck
