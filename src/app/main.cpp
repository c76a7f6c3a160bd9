// SPDX-License-Identifier: GPL-3.0-or-later
// The desktop calendar: selects the window system, builds the services, loads the main
// window and runs until it is unloaded.
#include "app/DesktopProgram.h"

int main(int argc, char** argv) {
    return moonleaf::RunDesktopProgram(argc, argv);
}
