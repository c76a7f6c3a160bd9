// SPDX-License-Identifier: GPL-3.0-or-later
#include "text/ui/UniMsgBox.h"

#include "text/ui/MsgBoxDialog.h"
#include "text/VniToUnicode.h"

#include <QApplication>
#include <QPointer>
#include <QString>

#include <utility>

namespace moonleaf {
namespace {

std::optional<int> gNextAnswer;
std::optional<AnsweredMessage> gAnswered;

} // namespace

void SetNextUniMsgBoxAnswer(int code) {
    gNextAnswer = code;
}

std::optional<AnsweredMessage> TakeAnsweredMessage() {
    return std::exchange(gAnswered, std::nullopt);
}

int UniMsgBox(std::u16string& text, std::uint32_t style, std::u16string title, QWidget* owner) {
    VniToUnicode(text);
    VniToUnicode(title);
    if (gNextAnswer) {
        gAnswered = AnsweredMessage{QString::fromStdU16String(text),
                                    QString::fromStdU16String(title), style};
        return std::exchange(gNextAnswer, std::nullopt).value_or(0);
    }
    if (qobject_cast<QApplication*>(QCoreApplication::instance()) == nullptr ||
        !MsgBoxDialog::CanShow(style)) {
        return 0;
    }
    QPointer<MsgBoxDialog> box = new MsgBoxDialog(QString::fromStdU16String(text), style,
                                                  QString::fromStdU16String(title), owner);
    box->setWindowModality(owner != nullptr ? Qt::WindowModal : Qt::ApplicationModal);
    const int code = box->exec();
    // A handler running inside the box's event loop may have destroyed the owner, and the
    // box with it.
    delete box;
    return code;
}

} // namespace moonleaf
