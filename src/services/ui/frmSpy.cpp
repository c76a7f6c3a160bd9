// SPDX-License-Identifier: GPL-3.0-or-later
#include "services/ui/frmSpy.h"

#include "controls/DesignBuilder.h"
#include "controls/xButton.h"
#include "design/DesignUnits.h"
#include "platform/VietnameseFont.h"
#include "platform/WindowTraits.h"
#include "services/ui/frmSpyDesign.h"
#include "text/ui/WindowHelpers.h"

#include <QCoreApplication>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QScreen>
#include <QVersionNumber>

namespace moonleaf {

frmSpy::frmSpy(const Services& services, QWidget* parent)
    : QWidget(parent), services_(services) {
    setObjectName(QStringLiteral("frmSpy"));
    setWindowTitle(QStringLiteral("Moonleaf"));
    setFont(DesignFont(8.25));
    setFixedSize(TwipsToPixels(SPY_CLIENT_WIDTH_TWIPS), TwipsToPixels(SPY_CLIENT_HEIGHT_TWIPS));
    BuildDesign(this, SpyDesign());
    xButton1_ = findChild<xButton*>(QStringLiteral("xButton1"));
    connect(xButton1_, &xButton::Click, this, &frmSpy::ShowF);
    // The tab sees the keys its button receives first, as a window that previews its keys.
    xButton1_->installEventFilter(this);
    services_.traits.MakePanel(this);
}

void frmSpy::Form_Load() {
    QScreen* screen = QGuiApplication::primaryScreen();
    const QRect area = screen != nullptr ? screen->geometry() : QRect(0, 0, width(), height());
    move(area.left() + (area.width() - width()) / 2, area.top());
    SetTopMost(this);
    const QVersionNumber version = QVersionNumber::fromString(QCoreApplication::applicationVersion());
    xButton1_->setToolTip(QStringLiteral("Moonleaf %1.%2")
                              .arg(version.majorVersion())
                              .arg(version.minorVersion()));
}

void frmSpy::ShowF() {
    emit RestoreRequested();
    hide();
}

bool frmSpy::KeyDown(int key) {
    if (key == Qt::Key_Down) {
        ShowF();
        return true;
    }
    return false;
}

bool frmSpy::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::KeyPress &&
        KeyDown(static_cast<QKeyEvent*>(event)->key())) {
        return true;
    }
    return QWidget::eventFilter(watched, event);
}

void frmSpy::keyPressEvent(QKeyEvent* event) {
    if (!KeyDown(event->key())) {
        QWidget::keyPressEvent(event);
    }
}

} // namespace moonleaf
