// SPDX-License-Identifier: GPL-3.0-or-later
#include "services/InfoTexts.h"

#include "text/Utf.h"

#include <initializer_list>

namespace moonleaf {
namespace {

constexpr const char16_t* CRLF = u"\r\n";

// The rights notice closing both messages.
constexpr const char16_t* RIGHTS =
    u"Moonleaf la2 pha62n me62m tu75 do theo gia61y phe1p GNU GPL, phie6n ba3n 3 hoa85c mo71i ho7n.";

std::u16string Joined(std::initializer_list<std::u16string> lines) {
    std::u16string text;
    bool first = true;
    for (const std::u16string& line : lines) {
        if (!first) {
            text += CRLF;
        }
        text += line;
        first = false;
    }
    return text;
}

} // namespace

std::u16string AboutText(int major, int minor) {
    const std::u16string version =
        AsciiToUtf16(std::to_string(major)) + u"." + AsciiToUtf16(std::to_string(minor));
    return Joined({
               std::u16string(u"Tie65n i1ch : ") + PROGRAM_TITLE,
               u"Phie6n ba3n : " + version,
               u"Chu71c na8ng : A6m li5ch Vie65t Nam",
               u"Li5ch a6m d9u7o75c ti1nh theo thie6n va8n cho mu1i gio72 UTC+7, "
               u"bo73i ma4 nguo62n cu3a chi1nh Moonleaf.",
               u"",
               u"Ta1c gia3 : nho1m pha1t trie63n Moonleaf",
               u"E-mail : kho6ng co1",
               u"Die64n d9a2n : go1p y1 va2 ba1o lo64i ta5i kho ma4 nguo62n cu3a Moonleaf",
               u"D9ie65n thoa5i : kho6ng co1",
               u"",
               u"",
               RIGHTS,
           }) +
           CRLF;
}

std::u16string AboutCaption() {
    return std::u16string(u"Tho6ng tin ve62 ") + PROGRAM_TITLE + u"!";
}

std::u16string HelpText(bool globalKeys) {
    std::u16string keys = Joined({
        u"\u00BB Ca1c phi1m ta81t: ",
        u"   F9: Hie65n li5ch (Ne61u d9ang a63n).",
        u"   F10: A63n li5ch (Ne61u d9ang hie65n).",
        u"   F11: Thoa1t kho3i chu7o7ng tri2nh.",
    });
    if (!globalKeys) {
        keys += CRLF;
        keys += u"   (Ma2n hi2nh na2y kho6ng cho du2ng ca1c phi1m tre6n: ha4y du2ng le65nh "
                u"moonleaf --show, moonleaf --hide, moonleaf --quit)";
    }
    return Joined({
        u"\u00BB Nu1t chi3 qua tra1i: ",
        u"   Click: Nga2y ho6m tru7o71c.",
        u"   Ctrl+ Click: Tua62n tru7o71c.",
        u"   Ctrl+Alt+Click: Tha1ng tru7o71c.",
        u"   Ctrl+Shift+Click: Na8m tru7o71c.",
        u"",
        u"\u00BB Nu1t chi3 qua pha3i: ",
        u"   Click: Nga2y ho6m sau.",
        u"   Ctrl+ Click: Tua62n sau.",
        u"   Ctrl+Alt+Click: Tha1ng sau.",
        u"   Ctrl+Shift+Click: Na8m sau.",
        u"",
        u"\u00BB Nu1t hi2nh tro2n: Nga2y hie65n ta5i.",
        u"",
        keys,
        u"",
        RIGHTS,
    });
}

std::u16string HelpCaption() {
    return std::u16string(PROGRAM_TITLE) + u" - Hu7o71ng da64n!";
}

} // namespace moonleaf
