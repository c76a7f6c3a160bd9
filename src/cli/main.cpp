// SPDX-License-Identifier: GPL-3.0-or-later
// moonleaf-cli: the terminal companion of the calendar.
#include "cli/Cli.h"

#include <charconv>
#include <cstdlib>
#include <ctime>
#include <iostream>
#include <string_view>
#include <sys/ioctl.h>
#include <unistd.h>

namespace {

// COLUMNS when it holds a positive number, else the width of the terminal on standard
// output, else 0.
std::size_t TerminalColumns() {
    if (const char* columns = std::getenv("COLUMNS")) {
        const std::string_view text(columns);
        std::size_t value = 0;
        const auto result = std::from_chars(text.data(), text.data() + text.size(), value);
        if (result.ec == std::errc() && result.ptr == text.data() + text.size() && value > 0) {
            return value;
        }
    }
    winsize size{};
    if (isatty(STDOUT_FILENO) == 1 && ioctl(STDOUT_FILENO, TIOCGWINSZ, &size) == 0) {
        return size.ws_col;
    }
    return 0;
}

} // namespace

int main(int argc, char** argv) {
    std::ios::sync_with_stdio(false);
    const std::vector<std::string> args(argv + 1, argv + argc);
    const moonleaf::Clock clock;
    const char* noColor = std::getenv("NO_COLOR");
    const bool color = isatty(STDOUT_FILENO) == 1 && (noColor == nullptr || *noColor == '\0');
    const char* epoch = std::getenv("SOURCE_DATE_EPOCH");
    const moonleaf::cli::Environment env{std::cin,
                                         std::cout,
                                         std::cerr,
                                         clock,
                                         color,
                                         TerminalColumns(),
                                         static_cast<std::int64_t>(std::time(nullptr)),
                                         epoch != nullptr ? std::optional<std::string>(epoch)
                                                          : std::nullopt};
    return moonleaf::cli::Run(args, env);
}
