// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "platform/Services.h"

#include <QWidget>

class QComboBox;

namespace moonleaf {

class xButton;
class xLabel;

// The lookup dialog: a Gregorian date picked from three drop-down lists (day, month, year
// 1900 to 2100) is turned into its lunar date and names, shown in four result lines below
// the lists. It is modeless, stays above other windows and has no task-bar entry. It opens
// short, with today's date selected; the first lookup makes it tall enough to show the
// result lines. Closing it unloads it: the window is deleted.
class frmFind : public QWidget {
    Q_OBJECT

public:
    explicit frmFind(const Services& services, QWidget* parent = nullptr);

    // Opens the dialog: loads it the first time (Form_Load), shows it and brings it
    // forward. Later calls only show and bring it forward, keeping its selection, height and
    // result lines.
    void ShowOrRaise();

    // The captions, topmost, today's date from the clock, and LoadCombo.
    void Form_Load();
    // Fills the three lists and selects today's date. When today's year is not in the year
    // list, nothing is selected (see LoadCombo in the source).
    void LoadCombo();

    // What a selection in the month list runs (the user's or the program's): the day list
    // is refilled for the month and year, keeping the day when the month has it and it is
    // not day 1, else selecting day 1.
    void cbThang_Click();
    // What a selection in the year list runs: the month's handler, when a month is chosen.
    void cbNam_Click();
    // The lookup: a notice when a list has no selection, else the tall dialog and the four
    // result lines.
    void xButton1_Click();
    // Unloads the dialog (closes and deletes it).
    void xButton2_Click();

    bool Loaded() const { return loaded_; }

signals:
    // The dialog is closing and will be deleted when control returns to the event loop; the
    // owner drops its pointer and opens a new dialog next time.
    void Unloaded();

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    void SetOuterHeightTwips(int twips);

    const Services services_;
    bool loaded_ = false;
    // Today's date when the dialog loaded.
    double ngayHomNay_ = 0;
    double thangHomNay_ = 0;
    double namHomNay_ = 0;

    xLabel* xLabel1_ = nullptr;
    xLabel* xLabel2_ = nullptr;
    QComboBox* cbNgay_ = nullptr;
    QComboBox* cbThang_ = nullptr;
    QComboBox* cbNam_ = nullptr;
    xButton* xButton1_ = nullptr;
    xButton* xButton2_ = nullptr;
    xLabel* lbDuong_ = nullptr;
    xLabel* lbAm_ = nullptr;
    xLabel* lbStr_ = nullptr;
    xLabel* lbGio_ = nullptr;
};

} // namespace moonleaf
