// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QDialog>
#include <QString>

#include <cstdint>

class QCloseEvent;
class QPushButton;

namespace moonleaf {

// The modal message box UniMsgBox shows, built from message-box style flags: the button set
// (low four bits), the icon (16 stop, 32 question, 48 exclamation, 64 information), the
// default button (0x100 second, 0x200 third) and 0x40000 topmost. Its buttons return the
// usual codes (1 OK, 2 Cancel, 3 Abort, 4 Retry, 5 Ignore, 6 Yes, 7 No, 10 Try Again,
// 11 Continue). Escape and the window's close button answer only where the box has a Cancel
// button (2) or is a lone OK (1).
//
// Children by object name: "Icon" (when there is one), "Text", and the buttons "btOK",
// "btCancel", "btAbort", "btRetry", "btIgnore", "btYes", "btNo", "btTryAgain", "btContinue".
class MsgBoxDialog : public QDialog {
    Q_OBJECT

public:
    MsgBoxDialog(const QString& text, std::uint32_t style, const QString& title, QWidget* owner);

    // True when `style` names a button set this box can show.
    static bool CanShow(std::uint32_t style);

    // The text control, the message-box font given to it and to the relabelled buttons.
    static QFont MessageFont();

protected:
    void reject() override;
    void closeEvent(QCloseEvent* event) override;

private:
    QPushButton* AddButton(int code);

    int escapeCode_ = 0; // 0: Escape and the close button do nothing
};

} // namespace moonleaf
