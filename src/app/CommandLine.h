// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <iosfwd>
#include <optional>
#include <string>
#include <vector>

namespace moonleaf {

// What the desktop program was asked to do.
enum class DesktopAction {
    Run,    // start the calendar (or, when one runs, show the second start's notice)
    Show,   // the running calendar: as F9
    Hide,   // as F10
    Toggle, // show when hidden, hide when shown
    Quit,   // as F11
    Status  // print the running calendar's state as JSON
};

struct DesktopCommand {
    DesktopAction Action = DesktopAction::Run;
    // Set when the program ends here (help, version or a bad argument): its exit status.
    std::optional<int> ExitNow;
};

// Reads the arguments (without the program name). Help and version go to `out` with exit
// status 0; a bad argument gets one line on `err` and exit status 2.
DesktopCommand ParseDesktopCommandLine(const std::vector<std::string>& args, std::ostream& out,
                                       std::ostream& err);

// The command line a running calendar understands for each action ("show" ...).
const char* ActionCommand(DesktopAction action);

} // namespace moonleaf
