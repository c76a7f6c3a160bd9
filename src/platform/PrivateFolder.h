// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

namespace moonleaf {

// The user's private folder for the program's temporary files, ending in '/':
// $XDG_RUNTIME_DIR/moonleaf/ (created with mode 0700, and used only when it is a real
// folder, not a link, owned by the user and closed to everyone else), or the same under Qt's
// runtime location when that variable is unset or unusable. Empty when no such folder can
// be made.
QString PrivateFolder();

} // namespace moonleaf
