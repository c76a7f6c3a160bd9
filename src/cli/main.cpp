// SPDX-License-Identifier: GPL-3.0-or-later
// moonleaf-cli: the terminal companion of the calendar.
#include "cli/Cli.h"

#include <cstdlib>
#include <iostream>
#include <unistd.h>

int main(int argc, char** argv) {
    std::ios::sync_with_stdio(false);
    const std::vector<std::string> args(argv + 1, argv + argc);
    const moonleaf::Clock clock;
    const bool color = isatty(STDOUT_FILENO) == 1 && std::getenv("NO_COLOR") == nullptr;
    return moonleaf::cli::Run(args, {std::cin, std::cout, std::cerr, clock, color});
}
