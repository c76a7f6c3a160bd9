// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

namespace moonleaf {

// The whole desktop program: returns its exit status.
int RunDesktopProgram(int argc, char** argv);

} // namespace moonleaf
