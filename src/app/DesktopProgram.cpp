// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/DesktopProgram.h"

#include "app/CommandLine.h"
#include "app/ProgramIcon.h"
#include "app/TerminationSignals.h"
#include "mainwindow/ui/frmMain.h"
#include "platform/Autostart.h"
#include "platform/GlobalKeys.h"
#include "platform/LocalInstanceGuard.h"
#include "platform/PrivateFolder.h"
#include "platform/ScreenCapture.h"
#include "platform/Services.h"
#include "platform/WindowTraits.h"
#include "services/Clock.h"
#include "services/ui/QuotationStore.h"

#include <QApplication>
#include <QByteArray>
#include <QDate>
#include <QTimer>

#include <algorithm>
#include <cstdio>
#include <iostream>
#include <string>
#include <vector>
#include <memory>
#include <optional>

namespace moonleaf {
namespace {

constexpr const char* APPLICATION_ID = "io.github.moonleaf.Moonleaf";

// Chooses the window system before the application object exists. The panel places its
// windows itself and watches keys system-wide, which a Wayland session allows only to X11
// clients, so with an X display the program runs on it (through XWayland on a Wayland
// session) unless the user chose a platform. False when there is no display at all.
bool SelectPlatform() {
    if (qEnvironmentVariableIsSet("QT_QPA_PLATFORM")) {
        return true;
    }
    if (!qEnvironmentVariableIsEmpty("DISPLAY")) {
        qputenv("QT_QPA_PLATFORM", "xcb");
        return true;
    }
    return !qEnvironmentVariableIsEmpty("WAYLAND_DISPLAY");
}

// The clock that says what today is: the system's, or the date MOONLEAF_TODAY fixes
// (YYYY-MM-DD), which lets a test or a screenshot show a chosen day. No value when the
// variable holds no valid date.
std::optional<std::unique_ptr<Clock>> ChooseClock() {
    const QString fixed = qEnvironmentVariable("MOONLEAF_TODAY");
    if (fixed.isEmpty()) {
        return std::make_unique<Clock>();
    }
    const QDate date = QDate::fromString(fixed, Qt::ISODate);
    if (!date.isValid()) {
        return std::nullopt;
    }
    return std::make_unique<FixedClock>(CalDate{static_cast<double>(date.day()),
                                                static_cast<double>(date.month()),
                                                static_cast<double>(date.year())});
}

// Sends the action to the calendar that runs for this user and reports its answer.
int SendToRunningCalendar(int argc, char** argv, DesktopAction action) {
    QCoreApplication app(argc, argv);
    const std::optional<QByteArray> reply =
        LocalInstanceGuard::Send(PrivateFolder(), ActionCommand(action));
    if (!reply) {
        std::fputs("moonleaf: no calendar is running for this user\n", stderr);
        return 1;
    }
    if (reply->startsWith("error")) {
        std::fprintf(stderr, "moonleaf: the calendar answered: %s\n", reply->constData());
        return 1;
    }
    if (action == DesktopAction::Status) {
        std::fwrite(reply->constData(), 1, static_cast<std::size_t>(reply->size()), stdout);
        std::fputc('\n', stdout);
    }
    return std::fflush(stdout) == 0 ? 0 : 1;
}

} // namespace

int RunDesktopProgram(int argc, char** argv) {
    const DesktopCommand command = ParseDesktopCommandLine(
        std::vector<std::string>(argv + std::min(argc, 1), argv + argc), std::cout, std::cerr);
    if (command.ExitNow) {
        std::cout.flush();
        return *command.ExitNow;
    }
    if (command.Action != DesktopAction::Run) {
        return SendToRunningCalendar(argc, argv, command.Action);
    }
    if (!SelectPlatform()) {
        std::fputs("moonleaf: no display: set DISPLAY (X11) to show the calendar, or use "
                   "moonleaf-cli in a terminal\n",
                   stderr);
        return 1;
    }
    std::optional<std::unique_ptr<Clock>> clock = ChooseClock();
    if (!clock) {
        std::fputs("moonleaf: MOONLEAF_TODAY must be a date written YYYY-MM-DD\n", stderr);
        return 2;
    }
    // Every window's class instance is "moonleaf", whatever name started the program.
    qputenv("RESOURCE_NAME", "moonleaf");

    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Moonleaf"));
    QApplication::setApplicationVersion(QStringLiteral(MOONLEAF_VERSION));
    QGuiApplication::setDesktopFileName(QString::fromLatin1(APPLICATION_ID));
    QApplication::setQuitOnLastWindowClosed(false);

    const QString folder = PrivateFolder();
    LocalInstanceGuard instance(folder);
    const std::unique_ptr<WindowTraits> traits = CreateWindowTraits();
    const std::unique_ptr<GlobalKeys> keys = CreateGlobalKeys();
    const Autostart autostart = Autostart::ForThisProgram();
    SystemScreenCapture capture;
    const Services services{.clock = **clock,
                            .keys = *keys,
                            .instance = instance,
                            .autostart = autostart,
                            .traits = *traits,
                            .capture = capture,
                            .privateFolder = folder};
    QuotationStore quotations(folder);

    frmMain window(services, quotations);
    if (!window.Form_Load()) {
        return 0; // another calendar runs; its notice was shown
    }
    QObject::connect(&window, &frmMain::Unloaded, &app, [] { QCoreApplication::exit(0); });
    // Logout, Ctrl+C and kill end the program in order, without the closing slide.
    TerminationSignals termination;
    QObject::connect(&termination, &TerminationSignals::Received, &window,
                     [&window] { window.Form_Unload(false); });
    window.show();
    // The icon is drawn from its vector source at four sizes for the window manager; the
    // calendar shows first, and its windows get the icon as soon as the event loop runs.
    QTimer::singleShot(0, &app, [] { QApplication::setWindowIcon(ProgramIcon()); });
    return QApplication::exec();
}

} // namespace moonleaf
