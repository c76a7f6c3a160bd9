// SPDX-License-Identifier: GPL-3.0-or-later
#include "mainwindow/ui/frmMain.h"

#include "controls/ColorValue.h"
#include "controls/DesignBuilder.h"
#include "controls/DesignShapes.h"
#include "controls/UniTextBox.h"
#include "controls/xButton.h"
#include "controls/xLabel.h"
#include "design/DesignUnits.h"
#include "engine/DayInfo.h"
#include "engine/Holidays.h"
#include "engine/JulianDay.h"
#include "engine/Vocabulary.h"
#include "mainwindow/DateCode.h"
#include "mainwindow/DayPictures.h"
#include "mainwindow/DayView.h"
#include "mainwindow/ui/DayPictureFiles.h"
#include "mainwindow/ui/frmMainDesign.h"
#include "platform/GlobalKeys.h"
#include "platform/InstanceGuard.h"
#include "platform/VietnameseFont.h"
#include "platform/WindowTraits.h"
#include "services/Clock.h"
#include "services/HolidayText.h"
#include "services/QuotationRules.h"
#include "services/ui/QuotationStore.h"
#include "text/ui/UniMsgBox.h"
#include "text/ui/WindowHelpers.h"

#include <QCloseEvent>
#include <QFontMetricsF>
#include <QGuiApplication>
#include <QLabel>
#include <QScreen>
#include <QTextDocument>
#include <QTextEdit>

#include <chrono>

namespace moonleaf {
namespace {

// The notice of a second start, and its title (VNI).
constexpr const char16_t* ALREADY_RUNNING_TEXT =
    u"Hi ! Moonleaf d9a4 d9u7o75c mo73 tu72 tru7o71c va2 d9ang hoa5t d9o65ng!";
constexpr const char16_t* ALREADY_RUNNING_TITLE = u"Moonleaf - Tho6ng ba1o!";
constexpr std::uint32_t MB_OK = 0;

// The maker's credit under the title, and the window's caption.
constexpr const char16_t* CREDIT = u"L\u1ECBch \u00E2m Vi\u1EC7t Nam \u00B7 ph\u1EA7n m\u1EC1m t\u1EF1 do";

// One step of the closing slide, in twips.
constexpr double SLIDE_STEP_TWIPS = 100;

QString Text(const std::u16string& text) {
    return QString::fromStdU16String(text);
}

QScreen* ScreenOf(const QWidget* window) {
    QScreen* screen = window->screen();
    return screen != nullptr ? screen : QGuiApplication::primaryScreen();
}

} // namespace

frmMain::frmMain(const Services& services, QuotationStore& quotations, QWidget* parent)
    : QWidget(parent), services_(services), quotations_(quotations) {
    setObjectName(QStringLiteral("frmMain"));
    setWindowTitle(QStringLiteral("Moonleaf - ") + QString::fromUtf16(CREDIT));
    setFont(DesignFont(MAIN_FONT_POINTS));
    setFixedSize(TwipsToPixels(MAIN_CLIENT_WIDTH_TWIPS), TwipsToPixels(MAIN_CLIENT_HEIGHT_TWIPS));
    QPalette green = palette();
    green.setColor(QPalette::Window, ColorFromValue(PANEL_GREEN));
    setPalette(green);
    setAutoFillBackground(true);

    BuildDesign(this, MainWindowDesign());

    lbNgayD_ = Element<QLabel>("lbNgayD");
    lbShadow_ = Element<QLabel>("lbShadow");
    lbYear_ = Element<QLabel>("lbYear");
    lbDateA_ = Element<QLabel>("lbDateA");
    lbShadowA_ = Element<QLabel>("lbShadowA");
    lbTime_ = Element<QLabel>("lbTime");
    lbThangEN_ = Element<xLabel>("lbThangEN");
    lbThangD_ = Element<xLabel>("lbThangD");
    lbDateEN_ = Element<xLabel>("lbDateEN");
    lbThuV_ = Element<xLabel>("lbThuV");
    lbGioA_ = Element<xLabel>("lbGioA");
    lbNgayA_ = Element<xLabel>("lbNgayA");
    lbThangA_ = Element<xLabel>("lbThangA");
    lbNamA_ = Element<xLabel>("lbNamA");
    lbThangADT_ = Element<xLabel>("lbThangADT");
    lbTietKhi_ = Element<xLabel>("lbTietKhi");
    lbCop_ = Element<xLabel>("lbCop");
    PicLunar_ = Element<PictureBox>("PicLunar");
    PicDateAni_ = Element<PictureBox>("PicDateAni");
    txDanhNgon_ = Element<UniTextBox>("txDanhNgon");
    txDanhNgonN_ = Element<UniTextBox>("txDanhNgonN");
    txTemp_ = Element<UniTextBox>("txTemp");
    btOption_ = Element<xButton>("btOption");
    btClose_ = Element<xButton>("btClose");

    connect(txDanhNgon_, &UniTextBox::Click, this, &frmMain::QuotationClicked);
    connect(txDanhNgonN_, &UniTextBox::Click, this, &frmMain::QuotationClicked);
    connect(btClose_, &xButton::Click, this, [this] { Form_Unload(true); });
}

frmMain::~frmMain() = default;

template <class T> T* frmMain::Element(const char* name) const {
    return findChild<T*>(QString::fromLatin1(name));
}

// --- start-up -----------------------------------------------------------------------------

bool frmMain::Form_Load() {
    if (!WhenLoad()) {
        return false;
    }
    quotations_.LoadDN(); // without the copy, lines come from the carried list
    AmLich();
    random_.seed(std::random_device{}() ^
                 static_cast<std::uint32_t>(
                     std::chrono::steady_clock::now().time_since_epoch().count()));
    services_.traits.DropShadow(this);
    return true;
}

bool frmMain::WhenLoad() {
    if (services_.instance.Acquire() == InstanceGuard::Claim::AlreadyRunning) {
        std::u16string text = ALREADY_RUNNING_TEXT;
        UniMsgBox(text, MB_OK, ALREADY_RUNNING_TITLE, this);
        return false;
    }
    services_.traits.MakePanel(this);
    lbCop_->SetCaption(QString::fromUtf16(CREDIT));
    btOption_->SetCaption(QStringLiteral("T\u00F9y ch") + QChar(0x1ECD) + QStringLiteral("n"));
    // Top centre of the screen the window appears on.
    const QRect screen = ScreenOf(this)->geometry();
    leftTwips_ = PixelsToTwips(static_cast<float>(screen.width() - width())) / 2;
    move(screen.left() + TwipsToPixels(leftTwips_), screen.top());
    topTwips_ = 0;
    SetTopMost(this);
    maNgayCu_ = DateCode(services_.clock.Today());
    maNgayMoi_ = maNgayCu_;
    InitHolidays();
    return true;
}

// --- the day view -------------------------------------------------------------------------

void frmMain::SetLabelColor(QLabel* label, std::uint32_t color) {
    QPalette palette = label->palette();
    palette.setColor(QPalette::WindowText, ColorFromValue(color));
    label->setPalette(palette);
}

void frmMain::ComposeInto(double day, double month, double year) {
    shown_ = CalDate{day, month, year};
    const DayView view = ComposeDayView(day, month, year);
    SetLabelColor(lbNgayD_, ColorValue(view.lbNgayDColor));
    SetLabelColor(lbDateA_, ColorValue(view.lbDateAColor));
    lbYear_->setText(Text(view.lbYear));
    lbNgayD_->setText(Text(view.lbNgayD));
    lbShadow_->setText(lbNgayD_->text());
    lbThangEN_->SetCaption(Text(view.lbThangEN));
    lbThangD_->SetCaption(Text(view.lbThangD));
    lbDateEN_->SetCaption(Text(view.lbDateEN));
    lbThuV_->SetCaption(Text(view.lbThuV));
    lbDateA_->setText(Text(view.lbDateA));
    lbShadowA_->setText(lbDateA_->text());
    lbGioA_->SetCaption(Text(view.lbGioA));
    lbNgayA_->SetCaption(Text(view.lbNgayA));
    lbThangA_->SetCaption(Text(view.lbThangA));
    lbNamA_->SetCaption(Text(view.lbNamA));
    lbThangADT_->SetCaption(Text(view.lbThangADT));
    lbTietKhi_->SetCaption(Text(view.lbTietKhi));
    Picture12(view.Info.DayBranch);
    getMatTrang(day, month, year);
    GetDanhNgon(true);
}

void frmMain::AmLich() {
    const CalDate today = services_.clock.Today();
    ngayHomNay_ = today.Day;
    thangHomNay_ = today.Month;
    namHomNay_ = today.Year;
    // 1 Sunday .. 7 Saturday.
    thuHomNay_ = static_cast<std::int16_t>(
        WholeMod(DateToJdn(today.Day, today.Month, today.Year) + 1, 7) + 1);
    ComposeInto(ngayHomNay_, thangHomNay_, namHomNay_);
}

void frmMain::ViewDate(double vNgay, double vThang, double vNam) {
    maNgayCu_ = DateCode(services_.clock.Today());
    ComposeInto(vNgay, vThang, vNam);
    lbRefresh();
}

void frmMain::lbRefresh() {
    for (xLabel* label : {lbThangEN_, lbThangD_, lbDateEN_, lbThuV_, lbGioA_, lbNgayA_, lbThangA_,
                          lbNamA_, lbThangADT_, lbTietKhi_}) {
        label->Refresh();
    }
}

void frmMain::getMatTrang(double mNgay, double mThang, double mNam) {
    const int k = MoonPictureIndex(BuildDayInfo(mNgay, mThang, mNam, TIMEZONE));
    PicLunar_->SetPicture(MoonPictureFile(k));
}

void frmMain::Picture12(int chi) {
    if (const std::optional<int> index = AnimalPictureIndex(chi)) {
        PicDateAni_->SetPicture(AnimalPictureFile(*index));
    }
}

// --- the quotation area -------------------------------------------------------------------

void frmMain::GetDanhNgon(bool bSpec) {
    const DayInfo info = BuildDayInfo(shown_.Day, shown_.Month, shown_.Year, TIMEZONE);
    std::optional<std::u16string> holiday;
    if (bSpec) {
        holiday = HolidayText(shown_.Day, shown_.Month, info);
    }
    QString text;
    if (holiday) {
        text = Text(*holiday);
    } else {
        const double r = std::uniform_real_distribution<double>(0.0, 1.0)(random_);
        text = quotations_.ReadDNLine(DrawnLine(r, !bSpec));
    }
    ShowDanhNgon(text);
}

void frmMain::ShowDanhNgon(const QString& text) {
    const double textTwips = QFontMetricsF(font()).horizontalAdvance(text) * TWIPS_PER_PIXEL;
    const double boxTwips = txDanhNgon_->width() * TWIPS_PER_PIXEL;
    const QuotationBox box = ChooseBox(textTwips, boxTwips);
    UniTextBox* shown = box == QuotationBox::Tall ? txDanhNgon_ : txDanhNgonN_;
    UniTextBox* other = box == QuotationBox::Tall ? txDanhNgonN_ : txDanhNgon_;
    other->setVisible(false);
    shown->setVisible(true);
    // The choice measures the text against the box's whole width, so the box lays its text
    // out over that whole width: without the edit window's inner margins, a text as wide
    // as the box stays on the short box's one line instead of wrapping out of sight.
    if (auto* edit = qobject_cast<QTextEdit*>(shown->EditWidget())) {
        edit->document()->setDocumentMargin(0);
    }
    shown->SetText(Text(BoxText(text.toStdU16String(), box)));
}

void frmMain::QuotationClicked() {
    GetDanhNgon(false);
    txTemp_->Focus();
}

// --- shutdown -----------------------------------------------------------------------------

void frmMain::MoveToTop(double topTwips) {
    topTwips_ = topTwips;
    const QRect screen = ScreenOf(this)->geometry();
    move(screen.left() + TwipsToPixels(leftTwips_), screen.top() + TwipsToPixels(topTwips_));
}

void frmMain::Form_Unload(bool slide) {
    if (unloading_) {
        return;
    }
    unloading_ = true;
    if (slide && isVisible()) {
        const double bottomTwips = PixelsToTwips(static_cast<float>(ScreenOf(this)->geometry().height()));
        while (topTwips_ < bottomTwips) {
            MoveToTop(topTwips_ + SLIDE_STEP_TWIPS);
            PauseTicks(1);
        }
    }
    quotations_.Remove();
    services_.instance.Release();
    hide();
    emit Unloaded();
}

void frmMain::closeEvent(QCloseEvent* event) {
    event->accept();
    Form_Unload(true);
}

} // namespace moonleaf
