// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "engine/CalDate.h"
#include "platform/Services.h"

#include <QByteArray>
#include <QPointer>
#include <QTimer>
#include <QWidget>

#include <cstdint>
#include <memory>
#include <random>

class QLabel;

namespace moonleaf {

class PictureBox;
class QuotationStore;
class frmEff;
class frmFind;
class frmSet;
class frmSpy;
class UniTextBox;
class xButton;
class xLabel;

// The calendar's main window: a borderless green panel at the top centre of the screen that
// shows one day. It builds itself from its design (MainWindowDesign), composes the day view
// with ComposeDayView and copies it into its elements, and shows a holiday or a quotation
// under the day number.
class frmMain : public QWidget {
    Q_OBJECT

public:
    frmMain(const Services& services, QuotationStore& quotations, QWidget* parent = nullptr);
    ~frmMain() override;

    // Start-up: WhenLoad, LoadDN, AmLich, the random generator, DropShadow. False when
    // another calendar runs already: its notice has been shown and the program must end
    // without showing this window.
    bool Form_Load();
    // The first steps of the start-up. False as for Form_Load.
    bool WhenLoad();

    // Shows today's date (the clock's), without repainting the Unicode labels.
    void AmLich();
    // Shows the Gregorian date vNgay/vThang/vNam and repaints the Unicode labels.
    void ViewDate(double vNgay, double vThang, double vNam);
    // Repaints the ten Unicode labels of the view.
    void lbRefresh();

    // The moon picture of the date, and the animal picture of chi index `chi` (a value
    // outside 0..11 leaves the picture as it is).
    void getMatTrang(double mNgay, double mThang, double mNam);
    void Picture12(int chi);

    // Shows the shown day's holiday (when `bSpec`) or a random quotation in the box that
    // fits it.
    void GetDanhNgon(bool bSpec);
    // Shows `text` in the quotation area: the tall box (with two blanks after the text) when
    // the text is wider than the box on one line, otherwise the short box.
    void ShowDanhNgon(const QString& text);

    // Shutdown: with `slide`, the window first slides down off the screen; then the
    // quotation file is deleted, the single-instance guard released, and the program's
    // event loop told to end with status 0. Runs once; later calls do nothing.
    void Form_Unload(bool slide = true);

    // --- timers ------------------------------------------------------------------------
    // Timer1: one second after start-up, HideForm, once.
    void Timer1_Timer();
    // Timer2 and Timer3 (the same job): the clock in lbTime and the change of day. The
    // ticks come just after each second of the wall clock begins.
    void ClockTick();
    bool Timer1Enabled() const { return timer1_; }
    bool Timer2Enabled() const { return timer2_; }
    bool Timer3Enabled() const { return timer3_; }
    void SetTimer2(bool enabled);
    void SetTimer3(bool enabled);
    // Timer4: 700 ms after start-up, the watch on F9, F10 and F11 begins.
    void Timer4_Timer();
    // Stops the timers without changing their switches: a test then runs their jobs itself
    // (Timer1_Timer, ClockTick, Timer4_Timer) at the moments it chooses.
    void HoldTimers();
    // One pass over the system-wide keys, tested in the order F9, F10, F11: at most one of
    // them acts.
    void KeyPass();

    // --- moving around -------------------------------------------------------------------
    // Slides the window up until it is at least 100 twips above the screen, then shows the
    // restore tab (start-up).
    void HideForm();
    // The hide button (also F10, the options button and the Up arrow): slides up out of
    // view, shows the tab, stops Timer2.
    void xButton1_Click();
    // Brings the calendar back from the tab or F9: Timer2 on, slide down to the top of the
    // screen, the window takes the focus.
    void ShowFromTab();
    // The arrows: a step by day, week (Ctrl), month (Ctrl+Alt) or year (Ctrl+Shift) as the
    // modifier keys held at the click choose; the circle shows today.
    void btPre_Click();
    void btNext_Click();
    void btNow_Click();
    // The lookup dialog, from the day number and from btTimAm: loaded on first use, later
    // only brought forward.
    void OpenLookupDialog();
    // The information message, then the screen effect.
    void btInfo_Click();
    // The usage help.
    void xButton2_Click();
    // Hides the calendar to the tab, then opens the options dialog below the tab.
    void btOption_Click();

    // --- control from the command line -----------------------------------------------------
    // Answers one command of a later start: "show", "hide", "toggle", "quit" act as F9, F10,
    // either of them and F11 do, and answer "ok"; "status" answers StatusJson(). Anything
    // else answers an error line.
    QByteArray Command(const QByteArray& command);
    // The shown date, today, whether the panel is on screen, and the quotation area's text.
    QByteArray StatusJson();

    frmSpy* Tab() const { return frmSpy_; }
    frmFind* LookupDialog() const { return frmFind_; }
    frmSet* OptionsDialog() const { return frmSet_; }
    frmEff* Effect() const { return frmEff_.get(); }

    // The date the view shows, as its three labels record it.
    CalDate ShownDate() const { return shown_; }
    std::int32_t MaNgayCu() const { return maNgayCu_; }
    std::int32_t MaNgayMoi() const { return maNgayMoi_; }
    // The window's top edge in twips (0 at rest at the top of the screen).
    double Top() const { return topTwips_; }

signals:
    // The window has been unloaded: the program ends.
    void Unloaded();

protected:
    void closeEvent(QCloseEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void Step(bool forward);
    void ShowTab();
    void ArmClock();
    void UpdateClockTimer();
    void ShowCurrentTime();
    void SlideUp(double limit);
    void SlideDown();
    double HeightTwips() const;
    void RunPendingKeyPass();
    void CommandShow();
    void CommandHide();
    void CommandQuit();
    void UnloadEffect();
    void UnloadOptions();
    template <class T> T* Element(const char* name) const;
    void ComposeInto(double day, double month, double year);
    void SetLabelColor(QLabel* label, std::uint32_t color);
    void MoveToTop(double topTwips);
    void QuotationClicked();

    const Services services_;
    QuotationStore& quotations_;
    std::mt19937 random_;

    CalDate shown_;
    std::int32_t maNgayCu_ = 0;
    std::int32_t maNgayMoi_ = 0;
    double ngayHomNay_ = 0;
    double thangHomNay_ = 0;
    double namHomNay_ = 0;
    std::int16_t thuHomNay_ = 0;
    double topTwips_ = 0;
    double leftTwips_ = 0;
    bool unloading_ = false;
    bool sliding_ = false;         // a slide is on its way
    bool keyPassPending_ = false;  // a key came during a slide; its pass runs after it
    bool keysWatched_ = false;
    bool timersHeld_ = false;
    bool timer1_ = false; // Timer1's switch: on from the end of the start-up until it fires

    QTimer Timer1_;     // the start-up slide, once
    bool timer2_ = true;  // the clock timers' switches; one aligned timer serves both
    bool timer3_ = false;
    QTimer clockTimer_;
    QTimer Timer4_;     // starts the key watch, once
    std::unique_ptr<frmSpy> tab_; // the restore tab, loaded on first use
    frmSpy* frmSpy_ = nullptr;
    frmFind* frmFind_ = nullptr;   // loaded while open; deletes itself when unloaded
    frmSet* frmSet_ = nullptr;     // the same
    std::unique_ptr<frmEff> frmEff_; // the screen effect, loaded on first use
    bool keysAvailable_ = true;

    // The elements the view writes.
    QLabel* lbNgayD_ = nullptr;
    QLabel* lbShadow_ = nullptr;
    QLabel* lbYear_ = nullptr;
    QLabel* lbDateA_ = nullptr;
    QLabel* lbShadowA_ = nullptr;
    QLabel* lbTime_ = nullptr;
    xLabel* lbThangEN_ = nullptr;
    xLabel* lbThangD_ = nullptr;
    xLabel* lbDateEN_ = nullptr;
    xLabel* lbThuV_ = nullptr;
    xLabel* lbGioA_ = nullptr;
    xLabel* lbNgayA_ = nullptr;
    xLabel* lbThangA_ = nullptr;
    xLabel* lbNamA_ = nullptr;
    xLabel* lbThangADT_ = nullptr;
    xLabel* lbTietKhi_ = nullptr;
    xLabel* lbCop_ = nullptr;
    PictureBox* PicLunar_ = nullptr;
    PictureBox* PicDateAni_ = nullptr;
    UniTextBox* txDanhNgon_ = nullptr;
    UniTextBox* txDanhNgonN_ = nullptr;
    UniTextBox* txTemp_ = nullptr;
    xButton* btOption_ = nullptr;
    xButton* btClose_ = nullptr;
    xButton* xButton1_ = nullptr;
    xButton* btPre_ = nullptr;
    xButton* btNow_ = nullptr;
    xButton* btNext_ = nullptr;
    xButton* btTimAm_ = nullptr;
};

} // namespace moonleaf
