// SPDX-License-Identifier: GPL-3.0-or-later
#include "controls/EditStyle.h"

namespace moonleaf {

EditStyle BuildEditStyle(const EditProperties& p) {
    EditStyle out;
    out.Style = ws::CHILD | ws::VISIBLE | ws::CLIPSIBLINGS | ws::TABSTOP;
    if (p.BorderStyle == 1) {
        if (p.Appearance == 1) {
            out.ExStyle = ws::EX_CLIENTEDGE;
        } else {
            out.Style |= ws::BORDER;
        }
    }
    if (p.Multiline) {
        out.Style |= es::MULTILINE | es::AUTOVSCROLL;
        if (p.Scrollbar == 1) {
            out.Style |= ws::HSCROLL;
        } else if (p.Scrollbar == 2) {
            out.Style |= ws::VSCROLL;
        } else if (p.Scrollbar == 3) {
            out.Style |= ws::HSCROLL | ws::VSCROLL;
        }
    } else {
        out.Style |= es::AUTOHSCROLL;
    }
    if (p.HideSelection) {
        out.Style |= es::NOHIDESEL;
    }
    if (p.Locked) {
        out.Style |= es::READONLY;
    }
    if (p.NumberOnly) {
        out.Style |= es::NUMBER;
    }
    // "*" asks for the platform's own mask character; any other character is set on the
    // created window.
    if (p.PasswordChar == QStringLiteral("*") && !p.Multiline) {
        out.Style |= es::PASSWORD;
    }
    if (p.Alignment == 1) {
        out.Style |= es::RIGHT;
    } else if (p.Alignment == 2) {
        out.Style |= es::CENTER;
    }
    if (p.TextConvert == 1) {
        out.Style |= es::UPPERCASE;
    } else if (p.TextConvert == 2) {
        out.Style |= es::LOWERCASE;
    }
    return out;
}

} // namespace moonleaf
