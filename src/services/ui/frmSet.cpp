// SPDX-License-Identifier: GPL-3.0-or-later
#include "services/ui/frmSet.h"

#include "controls/DesignBuilder.h"
#include "controls/xLabel.h"
#include "design/DesignUnits.h"
#include "platform/Autostart.h"
#include "platform/VietnameseFont.h"
#include "platform/WindowTraits.h"
#include "services/ui/frmSetDesign.h"
#include "services/ui/frmSpyDesign.h"
#include "text/VniToUnicode.h"
#include "text/ui/UniMsgBox.h"
#include "text/ui/WindowHelpers.h"

#include <QCheckBox>
#include <QCloseEvent>
#include <QGuiApplication>
#include <QPointer>
#include <QScreen>
#include <QSignalBlocker>

#include <string>

namespace moonleaf {
namespace {

// The label beside the box (VNI): "Tự động khởi động cùng windows."
constexpr const char16_t* START_WITH_SESSION = u"Tu75 d9o65ng kho73i d9o65ng cu2ng windows.";

// The notices of a change to the entry that failed, and their title (VNI).
constexpr const char16_t* FOLDER_NOT_CREATED =
    u"Kho6ng ta5o d9u7o75c thu7 mu5c tu75 kho73i d9o65ng";
constexpr const char16_t* ENTRY_NOT_WRITTEN = u"Kho6ng ghi d9u7o75c mu5c tu75 kho73i d9o65ng";
constexpr const char16_t* ENTRY_NOT_DELETED = u"Kho6ng xo1a d9u7o75c mu5c tu75 kho73i d9o65ng";
constexpr const char16_t* NOTICE_TITLE = u"Moonleaf - Tho6ng ba1o!";
constexpr std::uint32_t MB_ICONEXCLAMATION = 48;

} // namespace

frmSet::frmSet(const Services& services, QWidget* parent) : QWidget(parent), services_(services) {
    setObjectName(QStringLiteral("frmSet"));
    setAttribute(Qt::WA_DeleteOnClose);
    setWindowTitle(QStringLiteral("Moonleaf - Options"));
    setFont(DesignFont(SET_FONT_POINTS));
    setFixedSize(TwipsToPixels(SET_CLIENT_WIDTH_TWIPS), TwipsToPixels(SET_CLIENT_HEIGHT_TWIPS));
    BuildDesign(this, SetDesign());
    Check1_ = findChild<QCheckBox*>(QStringLiteral("Check1"));
    xLabel1_ = findChild<xLabel*>(QStringLiteral("xLabel1"));
    // The box's "Click" is every change of its state, made by the user or by the program.
    connect(Check1_, &QCheckBox::toggled, this, &frmSet::Check1_Click);
    services_.traits.MakeToolWindow(this);
}

void frmSet::ShowOrRaise(const QWidget* tab) {
    if (!loaded_) {
        Form_Load(tab);
    }
    show();
    raise();
    activateWindow();
}

void frmSet::Form_Load(const QWidget* tab) {
    loaded_ = true;
    PlaceBelow(tab);
    std::u16string label = START_WITH_SESSION;
    xLabel1_->SetCaption(QString::fromStdU16String(VniToUnicode(label)));
    SetTopMost(this);
    // The box comes last: a notice about the entry may see the dialog unloaded.
    const Autostart& autostart = services_.autostart;
    if (!autostart.IsOn()) {
        Check1_->setChecked(false); // the box is clear already: nothing runs
        return;
    }
    if (xGetTargetPath(autostart.EntryPath()) != autostart.Executable()) {
        const AutostartResult repair = autostart.Write();
        if (!repair.Ok()) {
            if (Report(repair)) {
                ShowEntryState();
            }
            return;
        }
    }
    Check1_->setChecked(true); // its handler writes the entry once more
}

void frmSet::PlaceBelow(const QWidget* tab) {
    const QScreen* screen = tab != nullptr ? tab->screen() : nullptr;
    if (screen == nullptr) {
        screen = QGuiApplication::primaryScreen();
    }
    const QRect area = screen != nullptr ? screen->geometry() : QRect(0, 0, width(), height());
    // The tab's top plus its width (not its height): a little below the tab.
    const double tabTop =
        PixelsToTwips(static_cast<float>(tab != nullptr ? tab->frameGeometry().top() : area.top()));
    const double tabWidth = tab != nullptr
                                ? PixelsToTwips(static_cast<float>(tab->frameGeometry().width()))
                                : SPY_CLIENT_WIDTH_TWIPS;
    const double screenWidth = PixelsToTwips(static_cast<float>(area.width()));
    const double width = PixelsToTwips(static_cast<float>(frameGeometry().width()));
    move(area.left() + TwipsToPixels((screenWidth - width) / 2), TwipsToPixels(tabTop + tabWidth));
}

void frmSet::Check1_Click() {
    const Autostart& autostart = services_.autostart;
    const AutostartResult result = Check1_->isChecked() ? autostart.Write() : autostart.Remove();
    if (!result.Ok() && Report(result)) {
        ShowEntryState();
    }
}

bool frmSet::Report(const AutostartResult& failure) {
    const QPointer<frmSet> alive(this);
    std::u16string text;
    switch (failure.Failed) {
    case AutostartStep::CreateFolder:
        text = FOLDER_NOT_CREATED;
        break;
    case AutostartStep::WriteEntry:
        text = ENTRY_NOT_WRITTEN;
        break;
    case AutostartStep::DeleteEntry:
        text = ENTRY_NOT_DELETED;
        break;
    case AutostartStep::None:
        return true;
    }
    // The path is named when the box would show it as it is: a letter followed by a digit
    // would be read as a Vietnamese mark.
    std::u16string path = failure.Path.toStdU16String();
    std::u16string converted = path;
    VniToUnicode(converted);
    text += converted == path ? u":\n" + path : std::u16string(u".");
    UniMsgBox(text, MB_ICONEXCLAMATION, NOTICE_TITLE, this);
    return !alive.isNull();
}

void frmSet::ShowEntryState() {
    const QSignalBlocker quiet(Check1_);
    Check1_->setChecked(services_.autostart.IsOn());
}

void frmSet::Unload() {
    close();
}

void frmSet::closeEvent(QCloseEvent* event) {
    event->accept();
    emit Unloaded();
}

} // namespace moonleaf
