// SPDX-License-Identifier: GPL-3.0-or-later
#include "text/ui/MsgBoxDialog.h"

#include "platform/VietnameseFont.h"

#include <QCloseEvent>
#include <QDialogButtonBox>
#include <QFontMetrics>
#include <QHBoxLayout>
#include <QIcon>
#include <QLabel>
#include <QPushButton>
#include <QStyle>
#include <QVBoxLayout>

#include <vector>

namespace moonleaf {
namespace {

constexpr int ID_OK = 1;
constexpr int ID_CANCEL = 2;
constexpr int ID_ABORT = 3;
constexpr int ID_RETRY = 4;
constexpr int ID_IGNORE = 5;
constexpr int ID_YES = 6;
constexpr int ID_NO = 7;
constexpr int ID_TRYAGAIN = 10;
constexpr int ID_CONTINUE = 11;

constexpr std::uint32_t BUTTON_MASK = 0x0000000F;
constexpr std::uint32_t ICON_MASK = 0x000000F0;
constexpr std::uint32_t DEFAULT_MASK = 0x00000F00;
constexpr std::uint32_t MB_TOPMOST = 0x00040000;

// The box's font: Tahoma with a 13-pixel character cell at weight 500, from the program's
// Vietnamese family where Tahoma cannot show Vietnamese.
constexpr int FONT_CELL_PIXELS = 13;
constexpr int FONT_WEIGHT = 500;

// Longest line before the text wraps, in pixels.
constexpr int TEXT_WRAP_WIDTH = 480;

std::vector<int> ButtonSet(std::uint32_t style) {
    switch (style & BUTTON_MASK) {
    case 0:
        return {ID_OK};
    case 1:
        return {ID_OK, ID_CANCEL};
    case 2:
        return {ID_ABORT, ID_RETRY, ID_IGNORE};
    case 3:
        return {ID_YES, ID_NO, ID_CANCEL};
    case 4:
        return {ID_YES, ID_NO};
    case 5:
        return {ID_RETRY, ID_CANCEL};
    case 6:
        return {ID_CANCEL, ID_TRYAGAIN, ID_CONTINUE};
    default:
        return {};
    }
}

struct ButtonText {
    const char* objectName;
    QString caption; // empty: the system's caption stays
    bool relabelled;
};

// The system's caption of a standard button, as Qt's platform theme gives it.
QString SystemCaption(QDialogButtonBox::StandardButton button) {
    QDialogButtonBox box;
    return box.addButton(button)->text();
}

ButtonText TextOf(int code) {
    switch (code) {
    case ID_OK:
        return {"btOK", QString(QChar(272)) + QStringLiteral("óng"), true};
    case ID_CANCEL:
        return {"btCancel", QStringLiteral("Thoát"), true};
    case ID_ABORT:
        return {"btAbort", SystemCaption(QDialogButtonBox::Abort), false};
    case ID_RETRY:
        return {"btRetry",
                QStringLiteral("Th") + QChar(7917) + QStringLiteral(" l") + QChar(7841) +
                    QStringLiteral("i"),
                true};
    case ID_IGNORE:
        return {"btIgnore", SystemCaption(QDialogButtonBox::Ignore), false};
    case ID_YES:
        return {"btYes", QStringLiteral("Có"), true};
    case ID_NO:
        return {"btNo", QStringLiteral("Không"), true};
    case ID_TRYAGAIN:
        return {"btTryAgain", QDialog::tr("&Try Again"), false};
    default:
        return {"btContinue", QDialog::tr("&Continue"), false};
    }
}

QStyle::StandardPixmap IconOf(std::uint32_t style, bool& has) {
    has = true;
    switch (style & ICON_MASK) {
    case 0x10:
        return QStyle::SP_MessageBoxCritical;
    case 0x20:
        return QStyle::SP_MessageBoxQuestion;
    case 0x30:
        return QStyle::SP_MessageBoxWarning;
    case 0x40:
        return QStyle::SP_MessageBoxInformation;
    default:
        has = false;
        return QStyle::SP_MessageBoxInformation;
    }
}

} // namespace

bool MsgBoxDialog::CanShow(std::uint32_t style) {
    return !ButtonSet(style).empty();
}

QFont MsgBoxDialog::MessageFont() {
    return FontWithCellHeight(QStringLiteral("Tahoma"), FONT_CELL_PIXELS, FONT_WEIGHT);
}

MsgBoxDialog::MsgBoxDialog(const QString& text, std::uint32_t style, const QString& title,
                           QWidget* owner)
    : QDialog(owner) {
    setObjectName(QStringLiteral("MsgBox"));
    setWindowTitle(title);
    setModal(true);
    const std::vector<int> codes = ButtonSet(style);
    for (const int code : codes) {
        if (code == ID_CANCEL) {
            escapeCode_ = ID_CANCEL;
        }
    }
    if (codes.size() == 1 && codes.front() == ID_OK) {
        escapeCode_ = ID_OK;
    }
    Qt::WindowFlags flags = Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint;
    if (escapeCode_ != 0) {
        flags |= Qt::WindowCloseButtonHint;
    }
    const bool ownerOnTop =
        owner != nullptr && (owner->window()->windowFlags() & Qt::WindowStaysOnTopHint) != 0;
    if ((style & MB_TOPMOST) != 0 || ownerOnTop) {
        flags |= Qt::WindowStaysOnTopHint;
    }
    setWindowFlags(flags);

    const QFont font = MessageFont();
    auto* message = new QHBoxLayout;
    bool hasIcon = false;
    const QStyle::StandardPixmap iconKind = IconOf(style, hasIcon);
    if (hasIcon) {
        auto* icon = new QLabel(this);
        icon->setObjectName(QStringLiteral("Icon"));
        const int extent = this->style()->pixelMetric(QStyle::PM_MessageBoxIconSize, nullptr, this);
        icon->setPixmap(
            this->style()->standardIcon(iconKind, nullptr, this).pixmap(extent, extent));
        icon->setAlignment(Qt::AlignTop);
        message->addWidget(icon);
    }
    auto* label = new QLabel(this);
    label->setObjectName(QStringLiteral("Text"));
    label->setTextFormat(Qt::PlainText);
    label->setFont(font);
    label->setText(text);
    if (QFontMetrics(font).boundingRect(QRect(0, 0, 100000, 100000), 0, text).width() >
        TEXT_WRAP_WIDTH) {
        label->setWordWrap(true);
        label->setMinimumWidth(TEXT_WRAP_WIDTH);
    }
    message->addWidget(label, 1);

    auto* buttons = new QHBoxLayout;
    buttons->addStretch(1);
    std::size_t defaultIndex = (style & DEFAULT_MASK) >> 8;
    if (defaultIndex >= codes.size()) {
        defaultIndex = 0;
    }
    QPushButton* defaultButton = nullptr;
    for (std::size_t i = 0; i < codes.size(); ++i) {
        QPushButton* button = AddButton(codes[i]);
        buttons->addWidget(button);
        if (i == defaultIndex) {
            defaultButton = button;
        }
    }
    buttons->addStretch(1);

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(message);
    layout->addSpacing(8);
    layout->addLayout(buttons);
    layout->setSizeConstraint(QLayout::SetFixedSize);
    if (defaultButton != nullptr) {
        defaultButton->setDefault(true);
        defaultButton->setFocus(Qt::OtherFocusReason);
    }
}

QPushButton* MsgBoxDialog::AddButton(int code) {
    const ButtonText text = TextOf(code);
    auto* button = new QPushButton(text.caption, this);
    button->setObjectName(QString::fromLatin1(text.objectName));
    if (text.relabelled) {
        button->setFont(MessageFont());
    }
    // The usual minimum button size of a message box, 75 x 23 pixels.
    button->setMinimumSize(75, 23);
    connect(button, &QPushButton::clicked, this, [this, code] { done(code); });
    return button;
}

void MsgBoxDialog::reject() {
    if (escapeCode_ != 0) {
        done(escapeCode_);
    }
}

void MsgBoxDialog::closeEvent(QCloseEvent* event) {
    if (escapeCode_ == 0) {
        event->ignore();
        return;
    }
    QDialog::closeEvent(event);
}

} // namespace moonleaf
