// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/CommandLine.h"

#include <CLI/CLI.hpp>

#include <ostream>

#ifndef MOONLEAF_VERSION
#define MOONLEAF_VERSION "0.0.0"
#endif

namespace moonleaf {
namespace {

constexpr const char* DESCRIPTION =
    "Moonleaf: a one-day Vietnamese lunar calendar panel at the top of the screen.\n"
    "Without an option it starts the calendar. The options act on the calendar that runs\n"
    "for this user, so they can be bound to the desktop's own keyboard shortcuts (on Wayland,\n"
    "where F9, F10 and F11 cannot be watched system-wide, too).\n";

constexpr const char* FOOTER =
    "Exit status: 0 done; 1 no calendar runs for this user (or no display to start one on);\n"
    "2 bad arguments.\n"
    "Keys of the running calendar: F9 shows it, F10 hides it, F11 ends it.";

} // namespace

DesktopCommand ParseDesktopCommandLine(const std::vector<std::string>& args, std::ostream& out,
                                       std::ostream& err) {
    CLI::App app(DESCRIPTION, "moonleaf");
    app.footer(FOOTER);
    app.set_version_flag("--version", std::string("moonleaf ") + MOONLEAF_VERSION);
    bool show = false;
    bool hide = false;
    bool toggle = false;
    bool quit = false;
    bool status = false;
    auto* showFlag = app.add_flag("--show", show, "show the running calendar (as F9)");
    auto* hideFlag = app.add_flag("--hide", hide, "hide the running calendar to its tab (as F10)");
    auto* toggleFlag = app.add_flag("--toggle", toggle, "show the calendar when hidden, else hide it");
    auto* quitFlag = app.add_flag("--quit", quit, "end the running calendar (as F11)");
    auto* statusFlag = app.add_flag(
        "--status", status,
        "print the running calendar's state as one JSON object: shown and today "
        "(YYYY-MM-DD), visible (true or false) and quotation (the text under the day)");
    for (CLI::Option* flag : {showFlag, hideFlag, toggleFlag, quitFlag, statusFlag}) {
        for (CLI::Option* other : {showFlag, hideFlag, toggleFlag, quitFlag, statusFlag}) {
            if (flag != other) {
                flag->excludes(other);
            }
        }
    }

    DesktopCommand command;
    try {
        std::vector<std::string> reversed(args.rbegin(), args.rend());
        app.parse(reversed);
    } catch (const CLI::CallForHelp&) {
        out << app.help();
        command.ExitNow = 0;
        return command;
    } catch (const CLI::CallForVersion&) {
        out << app.version() << '\n';
        command.ExitNow = 0;
        return command;
    } catch (const CLI::ParseError& e) {
        err << "moonleaf: error: " << e.what() << " (see moonleaf --help)\n";
        command.ExitNow = 2;
        return command;
    }
    if (show) {
        command.Action = DesktopAction::Show;
    } else if (hide) {
        command.Action = DesktopAction::Hide;
    } else if (toggle) {
        command.Action = DesktopAction::Toggle;
    } else if (quit) {
        command.Action = DesktopAction::Quit;
    } else if (status) {
        command.Action = DesktopAction::Status;
    }
    return command;
}

const char* ActionCommand(DesktopAction action) {
    switch (action) {
    case DesktopAction::Show:
        return "show";
    case DesktopAction::Hide:
        return "hide";
    case DesktopAction::Toggle:
        return "toggle";
    case DesktopAction::Quit:
        return "quit";
    case DesktopAction::Status:
        return "status";
    case DesktopAction::Run:
        break;
    }
    return "";
}

} // namespace moonleaf
