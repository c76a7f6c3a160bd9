// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "services/Clock.h"

#include <cstddef>
#include <cstdint>
#include <istream>
#include <optional>
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
    const Clock& clock; // "today" for `day` and `month` without a date
    // Standard output is a terminal and NO_COLOR is not set: `day` colours its summary,
    // `month --color=auto` its grid.
    bool color = false;
    // Width of the terminal in columns (COLUMNS, else the terminal's own); 0 when unknown.
    std::size_t columns = 0;
    // Seconds since 1970-01-01 UTC when the program started: the DTSTAMP of `ics` ...
    std::int64_t now = 0;
    // ... unless SOURCE_DATE_EPOCH is set, whose text is checked and used instead.
    std::optional<std::string> sourceDateEpoch;
};

// The whole program: `args` are the command-line arguments after the program name.
int Run(const std::vector<std::string>& args, const Environment& env);

} // namespace moonleaf::cli
