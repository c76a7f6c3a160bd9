// SPDX-License-Identifier: GPL-3.0-or-later
// Running moonleaf-cli from the tests: in process through Run, or as the real program.
#pragma once

#include "cli/Cli.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <iterator>
#include <sstream>
#include <sys/wait.h>
#include <unistd.h>

namespace moonleaf::cli::testing_support {

struct Result {
    int code;
    std::string out;
    std::string err;
};

// What the program's surroundings give it, besides the arguments.
struct Surroundings {
    std::string input;
    bool color = false; // standard output is a terminal without NO_COLOR
    std::size_t columns = 0;
    std::int64_t now = 0;
    std::optional<std::string> sourceDateEpoch;
};

// Runs the program in process on a fixed "today" (8 December 2026).
inline Result RunIn(const std::vector<std::string>& args, const Surroundings& around) {
    std::istringstream in(around.input);
    std::ostringstream out;
    std::ostringstream err;
    const FixedClock clock({8, 12, 2026});
    const int code = Run(args, {in, out, err, clock, around.color, around.columns, around.now,
                                around.sourceDateEpoch});
    return {code, out.str(), err.str()};
}

inline Result RunCli(const std::vector<std::string>& args, const std::string& input = "") {
    Surroundings around;
    around.input = input;
    return RunIn(args, around);
}

inline void ExpectUsageError(const Result& r, const std::string& fragment) {
    EXPECT_EQ(r.code, 2);
    EXPECT_EQ(r.out, "");
    EXPECT_EQ(r.err.rfind("moonleaf-cli: error: ", 0), 0u) << r.err;
    EXPECT_NE(r.err.find(fragment), std::string::npos) << r.err;
    EXPECT_EQ(std::count(r.err.begin(), r.err.end(), '\n'), 1) << r.err;
}

inline std::string ReadFile(const std::string& path) {
    std::ifstream file(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>()};
}

// A file in the test's temporary folder, named after this process (ctest runs tests in
// parallel processes) and `name`.
inline std::string TempPath(const std::string& name) {
    return ::testing::TempDir() + "/moonleaf_cli_" + std::to_string(getpid()) + "_" + name;
}

// Runs the real program with `arguments` (shell words) and `environment` (shell assignments
// put before the command, e.g. "COLUMNS=140").
inline Result RunBinary(const std::string& arguments, const std::string& input = "",
                        const std::string& environment = "") {
    const std::string in = TempPath("in"), out = TempPath("out"), err = TempPath("err");
    std::ofstream(in, std::ios::binary) << input;
    const std::string command = environment + " '" + MOONLEAF_CLI_PATH + "' " + arguments + " <'" +
                                in + "' >'" + out + "' 2>'" + err + "'";
    const int status = std::system(command.c_str());
    Result result{WIFEXITED(status) ? WEXITSTATUS(status) : -1, ReadFile(out), ReadFile(err)};
    for (const std::string& path : {in, out, err}) {
        std::remove(path.c_str());
    }
    return result;
}

// The lines of `text`, without their line ends.
inline std::vector<std::string> Lines(const std::string& text) {
    std::vector<std::string> lines;
    std::istringstream stream(text);
    std::string line;
    while (std::getline(stream, line)) {
        lines.push_back(line);
    }
    return lines;
}

} // namespace moonleaf::cli::testing_support
