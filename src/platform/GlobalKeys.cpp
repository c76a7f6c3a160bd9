// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/GlobalKeys.h"

namespace moonleaf {

std::unique_ptr<GlobalKeys> CreateGlobalKeys() {
    return std::make_unique<NoGlobalKeys>();
}

} // namespace moonleaf
