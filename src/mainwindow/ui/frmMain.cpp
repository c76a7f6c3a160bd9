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
#include "mainwindow/DateSteps.h"
#include "mainwindow/SlidePositions.h"
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
#include "services/InfoTexts.h"
#include "services/ui/frmEff.h"
#include "services/ui/frmFind.h"
#include "services/ui/frmSet.h"
#include "services/ui/frmSpy.h"
#include "text/ui/UniMsgBox.h"
#include "text/ui/WindowHelpers.h"

#include <QCloseEvent>
#include <QEventLoop>
#include <QJsonDocument>
#include <QJsonObject>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QFontMetricsF>
#include <QGuiApplication>
#include <QLabel>
#include <QScreen>
#include <QVersionNumber>
#include <QTextDocument>
#include <QTextEdit>

#include <chrono>
#include <cstdio>

namespace moonleaf {
namespace {

// The notice of a second start, and its title (VNI).
constexpr const char16_t* ALREADY_RUNNING_TEXT =
    u"Hi ! Moonleaf d9a4 d9u7o75c mo73 tu72 tru7o71c va2 d9ang hoa5t d9o65ng!";
constexpr const char16_t* ALREADY_RUNNING_TITLE = u"Moonleaf - Tho6ng ba1o!";
constexpr std::uint32_t MB_OK = 0;
constexpr std::uint32_t MB_ICONINFORMATION = 64;
// How long the screen is given to repaint after a message box closed, before the screen
// effect copies it, milliseconds.
constexpr int BOX_SETTLE_MS = 250;

// The maker's credit under the title, and the window's caption.
constexpr const char16_t* CREDIT = u"L\u1ECBch \u00E2m Vi\u1EC7t Nam \u00B7 ph\u1EA7n m\u1EC1m t\u1EF1 do";

// Timer intervals, milliseconds.
constexpr int TIMER1_MS = 1000;
constexpr int TIMER4_MS = 700;
// The clock's tick comes this long after the wall clock's second begins, so it always shows
// the second that has just begun.
constexpr int CLOCK_SLACK_MS = 4;

QString IsoDate(const CalDate& date) {
    return QStringLiteral("%1-%2-%3")
        .arg(static_cast<int>(date.Year), 4, 10, QLatin1Char('0'))
        .arg(static_cast<int>(date.Month), 2, 10, QLatin1Char('0'))
        .arg(static_cast<int>(date.Day), 2, 10, QLatin1Char('0'));
}

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
    xButton1_ = Element<xButton>("xButton1");
    btPre_ = Element<xButton>("btPre");
    btNow_ = Element<xButton>("btNow");
    btNext_ = Element<xButton>("btNext");
    btTimAm_ = Element<xButton>("btTimAm");

    connect(txDanhNgon_, &UniTextBox::Click, this, &frmMain::QuotationClicked);
    connect(txDanhNgonN_, &UniTextBox::Click, this, &frmMain::QuotationClicked);
    connect(btClose_, &xButton::Click, this, [this] { Form_Unload(true); });
    connect(xButton1_, &xButton::Click, this, &frmMain::xButton1_Click);
    connect(btPre_, &xButton::Click, this, &frmMain::btPre_Click);
    connect(btNext_, &xButton::Click, this, &frmMain::btNext_Click);
    connect(btNow_, &xButton::Click, this, &frmMain::btNow_Click);
    connect(btTimAm_, &xButton::Click, this, &frmMain::OpenLookupDialog);
    connect(Element<xButton>("btInfo"), &xButton::Click, this, &frmMain::btInfo_Click);
    connect(Element<xButton>("xButton2"), &xButton::Click, this, &frmMain::xButton2_Click);
    connect(btOption_, &xButton::Click, this, &frmMain::btOption_Click);

    Timer1_.setSingleShot(true);
    Timer1_.setInterval(TIMER1_MS);
    connect(&Timer1_, &QTimer::timeout, this, &frmMain::Timer1_Timer);
    clockTimer_.setSingleShot(true);
    clockTimer_.setTimerType(Qt::PreciseTimer);
    connect(&clockTimer_, &QTimer::timeout, this, [this] {
        ClockTick();
        UpdateClockTimer();
    });
    Timer4_.setSingleShot(true);
    Timer4_.setInterval(TIMER4_MS);
    connect(&Timer4_, &QTimer::timeout, this, &frmMain::Timer4_Timer);
    connect(&services_.keys, &GlobalKeys::KeyActivity, this, &frmMain::KeyPass);

    // The window sees the keys of its elements before they do (the Up arrow hides it), and
    // the day number's clicks (it opens the lookup dialog).
    for (QWidget* child : findChildren<QWidget*>()) {
        child->installEventFilter(this);
    }
}

frmMain::~frmMain() {
    // The dialogs are windows of their own; those still open go with the main window.
    delete frmFind_;
    delete frmSet_;
}

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
    services_.instance.SetCommandHandler(
        [this](const QByteArray& command) { return Command(command); });
    ShowCurrentTime();
    timer1_ = true;
    Timer1_.start();
    UpdateClockTimer();
    Timer4_.start();
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
    const DayInfo info = BuildDayInfo(mNgay, mThang, mNam, TIMEZONE);
    const int k = MoonPictureIndex(info);
    PicLunar_->SetPicture(MoonPictureFile(k));
    PicLunar_->setAccessibleName(MoonPictureName(k, static_cast<int>(info.LunarDay)));
}

void frmMain::Picture12(int chi) {
    if (const std::optional<int> index = AnimalPictureIndex(chi)) {
        PicDateAni_->SetPicture(AnimalPictureFile(*index));
        PicDateAni_->setAccessibleName(AnimalPictureName(*index));
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

// --- timers -------------------------------------------------------------------------------

void frmMain::Timer1_Timer() {
    Timer1_.stop();
    if (!timer1_) {
        return;
    }
    timer1_ = false;
    HideForm();
}

void frmMain::ShowCurrentTime() {
    lbTime_->setText(QString::fromStdString(ClockText(services_.clock.Now())));
}

void frmMain::ClockTick() {
    maNgayMoi_ = DateCode(services_.clock.Today());
    ShowCurrentTime();
    if (maNgayMoi_ != maNgayCu_) {
        AmLich();
        maNgayCu_ = maNgayMoi_;
    }
    lbRefresh();
}

void frmMain::SetTimer2(bool enabled) {
    timer2_ = enabled;
    UpdateClockTimer();
}

void frmMain::SetTimer3(bool enabled) {
    timer3_ = enabled;
    UpdateClockTimer();
}

void frmMain::ArmClock() {
    const int millisecond = services_.clock.Now().Millisecond;
    clockTimer_.start(1000 - millisecond + CLOCK_SLACK_MS);
}

void frmMain::HoldTimers() {
    timersHeld_ = true;
    Timer1_.stop();
    clockTimer_.stop();
    Timer4_.stop();
}

void frmMain::UpdateClockTimer() {
    if (unloading_ || timersHeld_ || !(timer2_ || timer3_)) {
        clockTimer_.stop();
    } else if (!clockTimer_.isActive()) {
        ArmClock();
    }
}

void frmMain::Timer4_Timer() {
    if (keysWatched_) {
        return;
    }
    keysWatched_ = true;
    keysAvailable_ = services_.keys.Start();
    if (!keysAvailable_) {
        std::fputs("moonleaf: this display does not report keys to other programs' windows, "
                   "so F9, F10 and F11 work only through moonleaf --show, --hide and --quit\n",
                   stderr);
    }
}

void frmMain::RunPendingKeyPass() {
    if (keyPassPending_ && !sliding_) {
        keyPassPending_ = false;
        QTimer::singleShot(0, this, &frmMain::KeyPass);
    }
}

void frmMain::KeyPass() {
    if (unloading_) {
        return;
    }
    if (sliding_) { // a slide runs to its end before the next pass
        keyPassPending_ = true;
        return;
    }
    // All three are read in every pass, so a key pressed together with an earlier one is
    // consumed by the pass that acts on the earlier one.
    const bool f9 = services_.keys.KeyState(GlobalKey::F9);
    const bool f10 = services_.keys.KeyState(GlobalKey::F10);
    const bool f11 = services_.keys.KeyState(GlobalKey::F11);
    if (f9) {
        if (topTwips_ < 0) {
            ShowFromTab();
            if (frmSpy_ != nullptr) {
                frmSpy_->hide();
            }
        }
    } else if (f10) {
        if (topTwips_ > -100) {
            UnloadEffect();
            xButton1_Click();
            SetTimer2(false);
        }
    } else if (f11) {
        if (frmSpy_ != nullptr) {
            frmSpy_->hide();
        }
        Form_Unload(true);
    }
    UnloadEffect();
}

// --- moving around ------------------------------------------------------------------------

double frmMain::HeightTwips() const {
    return PixelsToTwips(static_cast<float>(height()));
}

void frmMain::SlideUp(double limit) {
    sliding_ = true;
    while (const std::optional<double> top = NextTopUp(topTwips_, HeightTwips(), limit)) {
        MoveToTop(*top);
        PauseTicks(1);
        if (unloading_) {
            break;
        }
    }
    sliding_ = false;
}

void frmMain::SlideDown() {
    sliding_ = true;
    while (const std::optional<double> top = NextTopDown(topTwips_)) {
        MoveToTop(*top);
        PauseTicks(1);
        if (unloading_) {
            break;
        }
    }
    sliding_ = false;
}

void frmMain::ShowTab() {
    if (frmSpy_ == nullptr) {
        tab_ = std::make_unique<frmSpy>(services_);
        frmSpy_ = tab_.get();
        frmSpy_->Form_Load();
        connect(frmSpy_, &frmSpy::RestoreRequested, this, &frmMain::ShowFromTab);
    }
    frmSpy_->show();
}

void frmMain::HideForm() {
    SlideUp(-100);
    if (!unloading_) {
        ShowTab();
    }
    RunPendingKeyPass();
}

void frmMain::xButton1_Click() {
    UnloadEffect();
    SlideUp(0);
    if (!unloading_) {
        ShowTab();
        SetTimer2(false);
    }
    RunPendingKeyPass();
}

void frmMain::ShowFromTab() {
    SetTimer2(true);
    SlideDown();
    UnloadOptions();
    if (!unloading_) {
        activateWindow();
    }
    RunPendingKeyPass();
}

void frmMain::Step(bool forward) {
    const Qt::KeyboardModifiers held = services_.keys.HeldModifiers();
    const DateStep step = StepForModifiers(held.testFlag(Qt::ControlModifier),
                                           held.testFlag(Qt::ShiftModifier),
                                           held.testFlag(Qt::AltModifier));
    const CalDate next = ApplyStep(shown_, step, forward);
    SetTimer2(false);
    SetTimer3(true);
    ViewDate(next.Day, next.Month, next.Year);
}

void frmMain::btPre_Click() {
    Step(false);
}

void frmMain::btNext_Click() {
    Step(true);
}

void frmMain::btNow_Click() {
    AmLich();
}

void frmMain::OpenLookupDialog() {
    if (frmFind_ == nullptr) {
        frmFind_ = new frmFind(services_);
        connect(frmFind_, &frmFind::Unloaded, this, [this] { frmFind_ = nullptr; });
    }
    frmFind_->ShowOrRaise();
}

void frmMain::btInfo_Click() {
    const QVersionNumber version =
        QVersionNumber::fromString(QCoreApplication::applicationVersion());
    std::u16string text = AboutText(version.majorVersion(), version.minorVersion());
    UniMsgBox(text, MB_ICONINFORMATION, AboutCaption(), this);
    if (unloading_) {
        return;
    }
    // The copy of the screen is taken once the closed box has gone from it: the windows
    // beneath repaint themselves in their own time.
    QEventLoop settle;
    QTimer::singleShot(BOX_SETTLE_MS, &settle, &QEventLoop::quit);
    settle.exec();
    if (unloading_) {
        return;
    }
    if (frmEff_ == nullptr) {
        frmEff_ = std::make_unique<frmEff>(services_);
        // The effect is no topmost window: the calendar and its tab stay above it.
        connect(frmEff_.get(), &frmEff::Shown, this, [this] {
            raise();
            if (frmSpy_ != nullptr && frmSpy_->isVisible()) {
                frmSpy_->raise();
            }
        });
    }
    frmEff_->doeffect(ScreenOf(this));
}

void frmMain::xButton2_Click() {
    std::u16string text = HelpText(keysAvailable_);
    UniMsgBox(text, MB_ICONINFORMATION, HelpCaption(), this);
}

void frmMain::btOption_Click() {
    xButton1_Click();
    if (unloading_) {
        return;
    }
    if (frmSet_ == nullptr) {
        frmSet_ = new frmSet(services_);
        connect(frmSet_, &frmSet::Unloaded, this, [this] { frmSet_ = nullptr; });
    }
    frmSet_->ShowOrRaise(frmSpy_);
}

void frmMain::UnloadEffect() {
    if (frmEff_ != nullptr) {
        frmEff_->Unload();
    }
}

void frmMain::UnloadOptions() {
    if (frmSet_ != nullptr) {
        frmSet_->Unload();
    }
}

bool frmMain::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::KeyPress &&
        static_cast<QKeyEvent*>(event)->key() == Qt::Key_Up) {
        xButton1_Click();
        return true;
    }
    if (watched == lbNgayD_ && event->type() == QEvent::MouseButtonRelease &&
        static_cast<QMouseEvent*>(event)->button() == Qt::LeftButton &&
        lbNgayD_->rect().contains(static_cast<QMouseEvent*>(event)->position().toPoint())) {
        OpenLookupDialog();
        return true;
    }
    return QWidget::eventFilter(watched, event);
}

// --- control from the command line ----------------------------------------------------------

QByteArray frmMain::Command(const QByteArray& command) {
    const QByteArray name = command.trimmed();
    if (name == "status") {
        return StatusJson();
    }
    // The action runs after the answer has gone out: quitting ends the program.
    const auto later = [this](void (frmMain::*action)()) {
        QTimer::singleShot(0, this, action);
        return QByteArray("ok");
    };
    if (name == "show") {
        return later(&frmMain::CommandShow);
    }
    if (name == "hide") {
        return later(&frmMain::CommandHide);
    }
    if (name == "toggle") {
        return later(topTwips_ < 0 ? &frmMain::CommandShow : &frmMain::CommandHide);
    }
    if (name == "quit") {
        return later(&frmMain::CommandQuit);
    }
    return QByteArray("error: unknown command");
}

void frmMain::CommandShow() {
    if (topTwips_ < 0) {
        ShowFromTab();
        if (frmSpy_ != nullptr) {
            frmSpy_->hide();
        }
    }
}

void frmMain::CommandHide() {
    if (topTwips_ > -100) {
        xButton1_Click();
        SetTimer2(false);
    }
}

void frmMain::CommandQuit() {
    if (frmSpy_ != nullptr) {
        frmSpy_->hide();
    }
    Form_Unload(true);
}

QByteArray frmMain::StatusJson() {
    QJsonObject status;
    status.insert(QStringLiteral("shown"), IsoDate(shown_));
    status.insert(QStringLiteral("today"), IsoDate(services_.clock.Today()));
    status.insert(QStringLiteral("visible"), topTwips_ + HeightTwips() > 0 && isVisible());
    UniTextBox* box = txDanhNgon_->isVisibleTo(this) ? txDanhNgon_ : txDanhNgonN_;
    status.insert(QStringLiteral("quotation"), box->Text().trimmed());
    return QJsonDocument(status).toJson(QJsonDocument::Compact);
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
    Timer1_.stop();
    clockTimer_.stop();
    Timer4_.stop();
    if (slide && isVisible()) {
        const double bottom =
            PixelsToTwips(static_cast<float>(ScreenOf(this)->geometry().height()));
        const double step = ClosingStep(topTwips_, bottom);
        while (const std::optional<double> top = NextTopOffBottom(topTwips_, bottom, step)) {
            MoveToTop(*top);
            PauseTicks(1);
        }
    }
    quotations_.Remove();
    services_.instance.Release();
    if (frmSpy_ != nullptr) {
        frmSpy_->close();
    }
    UnloadEffect();
    if (frmFind_ != nullptr) {
        frmFind_->close();
    }
    hide();
    emit Unloaded();
}

void frmMain::closeEvent(QCloseEvent* event) {
    event->accept();
    Form_Unload(true);
}

} // namespace moonleaf
