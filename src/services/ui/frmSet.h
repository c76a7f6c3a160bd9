// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "platform/Services.h"

#include <QWidget>

class QCheckBox;

namespace moonleaf {

struct AutostartResult;
class xLabel;

// The options dialog: one check box that makes the calendar start with the desktop
// session. The setting is the autostart entry itself: the box is ticked exactly when the
// entry is there, ticking writes it, clearing deletes it, and opening the dialog repairs an
// entry that starts another program. It opens just below the restore tab, stays above other
// windows and has no task-bar entry. Closing it unloads it: the window is deleted.
class frmSet : public QWidget {
    Q_OBJECT

public:
    explicit frmSet(const Services& services, QWidget* parent = nullptr);

    // Opens the dialog: loads it the first time (Form_Load, placed below `tab`), shows it
    // and brings it forward. Later calls only show it and bring it forward.
    void ShowOrRaise(const QWidget* tab);

    // Places the dialog below the restore tab `tab` (null: a tab at the top of the primary
    // screen), sets the box from the entry, repairing an entry that starts another program,
    // sets the label and makes the window topmost.
    void Form_Load(const QWidget* tab);
    // What every change of the box runs, the user's or the program's: writes the entry when
    // the box is ticked, deletes it when it is cleared. When that fails the dialog says so
    // and the box shows whether the entry is there.
    void Check1_Click();

    // Unloads the dialog (closes and deletes it): the restore tab and F9 do this.
    void Unload();

    bool Loaded() const { return loaded_; }

signals:
    // The dialog is closing and will be deleted when control returns to the event loop; the
    // owner drops its pointer and opens a new dialog next time.
    void Unloaded();

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    void PlaceBelow(const QWidget* tab);
    // Says in a notice which change to the entry failed. False when the dialog was unloaded
    // while the notice was up (the restore keys can do that): the caller then leaves it be.
    bool Report(const AutostartResult& failure);
    // The box shows whether the entry is there, without running its handler.
    void ShowEntryState();

    const Services services_;
    bool loaded_ = false;
    QCheckBox* Check1_ = nullptr;
    xLabel* xLabel1_ = nullptr;
};

} // namespace moonleaf
