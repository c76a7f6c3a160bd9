// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "services/Clock.h"

#include <istream>
#include <ostream>
#include <string>
#include <vector>

namespace moonleaf::cli {

// Exit status of moonleaf-cli.
enum class ExitCode : int {
    Ok = 0,      // done
    Failure = 1, // the output could not be written
    Usage = 2,   // bad input or usage; one error line on stderr and nothing on stdout
};

// What one run of the program reads from and writes to.
struct Environment {
    std::istream& in;
    std::ostream& out;
    std::ostream& err;
    const Clock& clock; // "today" for `day` without a date
    bool color = false; // colour the day summary (stdout is a terminal)
};

// The whole program: `args` are the command-line arguments after the program name.
int Run(const std::vector<std::string>& args, const Environment& env);

} // namespace moonleaf::cli
