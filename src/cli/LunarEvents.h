// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "cli/LunarYear.h"

#include <string>
#include <string_view>
#include <variant>
#include <vector>

namespace moonleaf::cli {

// A personal date kept by the lunar calendar (a death anniversary, a birthday), read from
// an events file.
struct LunarEvent {
    LunarAnniversary date;
    std::string name;    // UTF-8, without surrounding blanks
    std::string written; // the date in the file's notation: "15/8", "30/2n"
};

// Why an events file was refused: one sentence naming the file and line.
struct EventsError {
    std::string message;
};

// Reads the text of an events file: UTF-8 lines "D/M Name" or "D/Mn Name" (n: the leap
// month), D 1..30 and M 1..12, the date and the name separated by blanks or tabs. Blank
// lines and lines whose first non-blank character is '#' are skipped; a line that repeats an
// earlier date and name adds nothing. `fileName` names the file in the error.
std::variant<std::vector<LunarEvent>, EventsError> ParseLunarEvents(std::string_view text,
                                                                    std::string_view fileName);

} // namespace moonleaf::cli
