// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "engine/CalDate.h"
#include "platform/Services.h"

#include <QPointer>
#include <QWidget>

#include <cstdint>
#include <random>

class QLabel;

namespace moonleaf {

class PictureBox;
class QuotationStore;
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

private:
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
};

} // namespace moonleaf
