// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/CommandLine.h"

#include <gtest/gtest.h>

#include <sstream>

namespace moonleaf {
namespace {

struct Parsed {
    DesktopCommand Command;
    std::string Out;
    std::string Err;
};

Parsed Parse(std::vector<std::string> args) {
    std::ostringstream out;
    std::ostringstream err;
    Parsed parsed{ParseDesktopCommandLine(args, out, err), {}, {}};
    parsed.Out = out.str();
    parsed.Err = err.str();
    return parsed;
}

TEST(DesktopCommandLine, NoArgumentStartsTheCalendar) {
    const Parsed p = Parse({});
    EXPECT_EQ(p.Command.Action, DesktopAction::Run);
    EXPECT_FALSE(p.Command.ExitNow.has_value());
    EXPECT_TRUE(p.Out.empty());
}

TEST(DesktopCommandLine, EachActionAndItsCommandLine) {
    const std::vector<std::pair<std::string, DesktopAction>> rows{
        {"--show", DesktopAction::Show},     {"--hide", DesktopAction::Hide},
        {"--toggle", DesktopAction::Toggle}, {"--quit", DesktopAction::Quit},
        {"--status", DesktopAction::Status}};
    for (const auto& [option, action] : rows) {
        const Parsed p = Parse({option});
        EXPECT_EQ(p.Command.Action, action) << option;
        EXPECT_FALSE(p.Command.ExitNow.has_value()) << option;
        EXPECT_EQ("--" + std::string(ActionCommand(action)), option);
    }
}

TEST(DesktopCommandLine, HelpAndVersionOnStdoutWithStatusZero) {
    const Parsed help = Parse({"--help"});
    EXPECT_EQ(help.Command.ExitNow, 0);
    EXPECT_NE(help.Out.find("--toggle"), std::string::npos);
    EXPECT_NE(help.Out.find("F9 shows it"), std::string::npos);
    EXPECT_TRUE(help.Err.empty());
    const Parsed version = Parse({"--version"});
    EXPECT_EQ(version.Command.ExitNow, 0);
    EXPECT_EQ(version.Out.rfind("moonleaf ", 0), 0U);
}

TEST(DesktopCommandLine, BadArgumentsGiveOneErrorLineAndStatusTwo) {
    for (const std::vector<std::string>& args :
         {std::vector<std::string>{"--bogus"}, {"--show", "--hide"}, {"today"}}) {
        const Parsed p = Parse(args);
        EXPECT_EQ(p.Command.ExitNow, 2);
        EXPECT_TRUE(p.Out.empty());
        EXPECT_EQ(p.Err.rfind("moonleaf: error: ", 0), 0U) << p.Err;
        EXPECT_EQ(std::count(p.Err.begin(), p.Err.end(), '\n'), 1);
    }
}

} // namespace
} // namespace moonleaf
