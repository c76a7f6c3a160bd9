// SPDX-License-Identifier: GPL-3.0-or-later
// The main window on the offscreen platform: its elements against the design, the start-up,
// the day view copied into the elements, the quotation area and the shutdown.
#include "mainwindow/ui/frmMain.h"

#include "controls/ColorValue.h"
#include "controls/DesignBuilder.h"
#include "controls/DesignShapes.h"
#include "controls/UniTextBox.h"
#include "controls/xButton.h"
#include "controls/xLabel.h"
#include "mainwindow/DateCode.h"
#include "mainwindow/ui/DayPictureFiles.h"
#include "mainwindow/ui/frmMainDesign.h"
#include "mainwindow/ui/LoadedMainWindow.h"
#include "services/ui/QuotationStore.h"
#include "support/Fakes.h"
#include "support/TestSupport.h"
#include "text/ui/UniMsgBox.h"

#include <QApplication>
#include <QFile>
#include <QLabel>
#include <QPainter>
#include <QScreen>
#include <QSignalSpy>
#include <QSvgRenderer>
#include <QTextEdit>

#include <gtest/gtest.h>

namespace moonleaf {
namespace {

const QColor BUTTON_TEXT = QColor(0, 0, 0); // the test style's button text colour

class frmMainTest : public testing::MainWindowOnFakes {
protected:
    frmMainTest() : MainWindowOnFakes(LocalTime{{8, 12, 2026}, 9, 30, 0, 0}) {}

    QString Caption(const char* name) const { return Find<xLabel>(name)->Caption(); }
    QString Text(const char* name) const { return Find<QLabel>(name)->text(); }
    QColor TextColor(const char* name) const {
        return Find<QLabel>(name)->palette().color(QPalette::WindowText);
    }
    // The quotation area's visible box and its text.
    UniTextBox* VisibleBox() const {
        UniTextBox* tall = Find<UniTextBox>("txDanhNgon");
        UniTextBox* shortBox = Find<UniTextBox>("txDanhNgonN");
        EXPECT_NE(tall->isVisibleTo(form.get()), shortBox->isVisibleTo(form.get()));
        return tall->isVisibleTo(form.get()) ? tall : shortBox;
    }
};

TEST_F(frmMainTest, ElementsStandWhereTheDesignPutsThem) {
    EXPECT_EQ(form->size(), QSize(328, 421));
    EXPECT_EQ(form->palette().color(QPalette::Window), QColor(0, 192, 0));
    for (const DesignRow& row : MainWindowDesign()) {
        SCOPED_TRACE(row.Name);
        auto* element = Find<QWidget>(row.Name);
        ASSERT_NE(element, nullptr);
        const QString parent = row.Parent != nullptr ? QString::fromLatin1(row.Parent)
                                                     : QStringLiteral("frmMain");
        EXPECT_EQ(element->parentWidget()->objectName(), parent);
        EXPECT_TRUE(testing::IsBuiltAs(element, row.Kind));
        if (row.Kind != ElementKind::Line) {
            EXPECT_EQ(element->geometry(), QRect(row.Left / 15, row.Top / 15, row.Width / 15,
                                                 row.Height / 15));
        }
        if (row.Points > 0) {
            EXPECT_EQ(element->font().pixelSize(), qRound(row.Points * 96 / 72));
            EXPECT_EQ(element->font().bold(), row.Bold);
        }
    }
    // A few places read straight from the design, in pixels.
    EXPECT_EQ(Find<QWidget>("Picture1")->geometry(), QRect(6, 75, 316, 313));
    EXPECT_EQ(Find<QWidget>("lbNgayD")->geometry(), QRect(69, 30, 178, 97));
    EXPECT_EQ(Find<QWidget>("btNext")->geometry(), QRect(264, 393, 31, 22));
    EXPECT_EQ(Find<LineShape>("Line1")->From(), QPoint(3, 207));
    EXPECT_EQ(Find<LineShape>("Line1")->To(), QPoint(312, 207));
    // The shadows lie 45 by 30 and 30 by 15 twips beside what they shadow.
    EXPECT_EQ(Find<QWidget>("lbShadow")->pos() - Find<QWidget>("lbNgayD")->pos(), QPoint(3, 2));
    EXPECT_EQ(Find<QWidget>("lbShadowA")->pos() - Find<QWidget>("lbDateA")->pos(), QPoint(2, 1));
}

TEST_F(frmMainTest, DesignColoursAndFonts) {
    EXPECT_EQ(TextColor("lbYear"), QColor(0, 128, 0));
    EXPECT_EQ(TextColor("lbShadow"), QColor(192, 192, 192));
    EXPECT_EQ(TextColor("lbShadowA"), QColor(192, 192, 192));
    EXPECT_EQ(TextColor("lbTitle"), QColor(0, 192, 0));
    EXPECT_EQ(Text("lbTitle"), QStringLiteral("Moonleaf"));
    EXPECT_EQ(Find<QLabel>("lbNgayD")->toolTip(), QStringLiteral("Tìm ngày âm"));
    EXPECT_EQ(Find<xButton>("btTimAm")->Caption(), QStringLiteral("Tìm ngày âm"));
    EXPECT_EQ(Find<xButton>("btTimAm")->ForeColor(), Rgb(0, 128, 0));
    EXPECT_EQ(Find<xButton>("btNext")->ForeColor(), Rgb(0, 192, 0));
    EXPECT_EQ(Find<PictureBox>("Picture1")->BackColor(), Rgb(255, 255, 255));
    EXPECT_EQ(Find<ShapeBox>("Shape2")->BorderColor(), Rgb(0, 192, 0));
    EXPECT_EQ(Find<xLabel>("lbThangEN")->Alignment(), 2);
    EXPECT_EQ(Find<xLabel>("lbTietKhi")->Alignment(), 1);
    UniTextBox* tall = Find<UniTextBox>("txDanhNgon");
    EXPECT_TRUE(tall->Multiline());
    EXPECT_TRUE(tall->Locked());
    EXPECT_EQ(tall->Alignment(), 2);
    EXPECT_EQ(tall->BorderStyle(), 0);
    EXPECT_EQ(tall->font().pixelSize(), 11); // the window's 8.25 pt
    // Every glyph of the title-row and navigation buttons is in the font that draws it.
    for (const char* name : {"xButton1", "btClose", "btInfo", "btPre", "btNow", "btNext"}) {
        auto* button = Find<xButton>(name);
        const QFontMetrics metrics(button->font());
        EXPECT_TRUE(metrics.inFontUcs4(button->Caption().toUcs4().front())) << name;
    }
}

TEST_F(frmMainTest, StackingFollowsTheDesign) {
    const auto order = [](QWidget* w) { return w->parentWidget()->children().indexOf(w); };
    EXPECT_LT(order(Find<QWidget>("lbShadow")), order(Find<QWidget>("lbNgayD")));
    EXPECT_LT(order(Find<QWidget>("lbShadowA")), order(Find<QWidget>("lbDateA")));
    EXPECT_LT(order(Find<QWidget>("Shape2")), order(Find<QWidget>("lbYear")));
    EXPECT_LT(order(Find<QWidget>("Line1")), order(Find<QWidget>("lbTime")));
    EXPECT_LT(order(Find<QWidget>("PicBack")), order(Find<QWidget>("xButton1")));
    EXPECT_LT(order(Find<QWidget>("Picture1")), order(Find<QWidget>("PicLunar")));
    // The focus box lies behind the quotation it must not hide.
    EXPECT_LT(order(Find<QWidget>("txTemp")), order(Find<QWidget>("txDanhNgon")));
    EXPECT_LT(order(Find<QWidget>("txTemp")), order(Find<QWidget>("txDanhNgonN")));
}

TEST_F(frmMainTest, EveryFieldOfTheDayViewHasItsElement) {
    for (const char* field : {"lbNgayD", "lbYear", "lbThangD", "lbThangEN", "lbDateEN", "lbThuV",
                              "lbGioA", "lbNgayA", "lbThangA", "lbNamA", "lbThangADT", "lbTietKhi",
                              "lbDateA", "PicLunar", "PicDateAni", "txDanhNgon"}) {
        EXPECT_NE(Find<QWidget>(field), nullptr) << field;
    }
}

TEST_F(frmMainTest, StartUpShowsTodayAtTheTopCentreAndWritesTheQuotationFile) {
    ASSERT_TRUE(Load());
    EXPECT_EQ(fakes.traits.Panels, std::vector<QWidget*>{form.get()});
    EXPECT_EQ(fakes.traits.Shadowed, std::vector<QWidget*>{form.get()});
    EXPECT_TRUE(form->windowFlags() & Qt::WindowStaysOnTopHint);
    EXPECT_EQ(Caption("lbCop"), QStringLiteral("Lịch âm Việt Nam · phần mềm tự do"));
    EXPECT_EQ(Find<xButton>("btOption")->Caption(), QStringLiteral("Tùy chọn"));
    const QRect screen = QGuiApplication::primaryScreen()->geometry();
    EXPECT_EQ(form->pos(), QPoint(screen.left() + (screen.width() - 328) / 2, screen.top()));
    EXPECT_EQ(form->Top(), 0);
    EXPECT_EQ(form->MaNgayCu(), 81226);
    EXPECT_EQ(form->MaNgayMoi(), 81226);
    EXPECT_EQ(form->ShownDate(), (CalDate{8, 12, 2026}));
    EXPECT_EQ(Text("lbNgayD"), QStringLiteral("8"));
    EXPECT_EQ(Text("lbYear"), QStringLiteral("2026"));
    EXPECT_EQ(Caption("lbThangD"), QStringLiteral("Tháng mười hai"));
    QFile copy(store.Path());
    ASSERT_TRUE(copy.open(QIODevice::ReadOnly));
    EXPECT_EQ(copy.readAll(), QuotationStore::Embedded());
}

TEST_F(frmMainTest, SecondStartShowsTheNoticeAndLoadsNothing) {
    fakes.instance.Answer = InstanceGuard::Claim::AlreadyRunning;
    SetNextUniMsgBoxAnswer(1);
    EXPECT_FALSE(Load());
    const std::optional<AnsweredMessage> notice = TakeAnsweredMessage();
    ASSERT_TRUE(notice.has_value());
    EXPECT_EQ(notice->Text, QStringLiteral("Hi ! Moonleaf đã được mở từ trước và đang hoạt động!"));
    EXPECT_EQ(notice->Title, QStringLiteral("Moonleaf - Thông báo!"));
    EXPECT_EQ(notice->Style, 0U); // OK only
    EXPECT_FALSE(QFile::exists(store.Path()));
    EXPECT_TRUE(fakes.traits.Panels.empty());
    EXPECT_FALSE(form->isVisible());
}

TEST_F(frmMainTest, SundayIsRedSaturdayBlueAndTheNextDayOrdinary) {
    ASSERT_TRUE(Load());
    form->ViewDate(6, 12, 2026);
    EXPECT_EQ(TextColor("lbNgayD"), QColor(255, 0, 0));
    EXPECT_EQ(Caption("lbThuV"), QStringLiteral("Chủ nhật"));
    EXPECT_EQ(Caption("lbDateEN"), QStringLiteral("Sunday"));
    form->ViewDate(7, 12, 2026);
    EXPECT_EQ(TextColor("lbNgayD"), BUTTON_TEXT);
    form->ViewDate(5, 12, 2026);
    EXPECT_EQ(TextColor("lbNgayD"), QColor(0, 0, 192));
    EXPECT_EQ(TextColor("lbShadow"), QColor(192, 192, 192)); // the shadow keeps its silver
    EXPECT_EQ(Text("lbShadow"), Text("lbNgayD"));
}

TEST_F(frmMainTest, FirstLunarDayIsRedAndTheMonthLengthFollowsTheMonth) {
    ASSERT_TRUE(Load());
    form->ViewDate(9, 12, 2026);
    EXPECT_EQ(Text("lbDateA"), QStringLiteral("1"));
    EXPECT_EQ(Text("lbShadowA"), QStringLiteral("1"));
    EXPECT_EQ(TextColor("lbDateA"), QColor(255, 0, 0));
    EXPECT_EQ(Caption("lbThangADT"), QStringLiteral("Tháng mười một (Đủ)"));
    form->ViewDate(10, 12, 2026);
    EXPECT_EQ(TextColor("lbDateA"), BUTTON_TEXT);
    form->ViewDate(16, 2, 2026);
    EXPECT_EQ(Caption("lbThangADT"), QStringLiteral("Tháng chạp (Thiếu)"));
}

TEST_F(frmMainTest, EveryElementOfOneDay) {
    ASSERT_TRUE(Load());
    testing::ShowForm(form.get(), form->size());
    form->ViewDate(4, 4, 2026);
    EXPECT_EQ(Text("lbNgayD"), QStringLiteral("4"));
    EXPECT_EQ(Text("lbYear"), QStringLiteral("2026"));
    EXPECT_EQ(Caption("lbThangD"), QStringLiteral("Tháng tư"));
    EXPECT_EQ(Caption("lbThangEN"), QStringLiteral("April"));
    EXPECT_EQ(Caption("lbThuV"), QStringLiteral("Thứ bảy"));
    EXPECT_EQ(Caption("lbDateEN"), QStringLiteral("Saturday"));
    EXPECT_EQ(Text("lbDateA"), QStringLiteral("17"));
    EXPECT_TRUE(Caption("lbGioA").startsWith(QStringLiteral("Giờ: ")));
    EXPECT_TRUE(Caption("lbNgayA").startsWith(QStringLiteral("Ngày: ")));
    EXPECT_TRUE(Caption("lbThangA").startsWith(QStringLiteral("Tháng: ")));
    EXPECT_EQ(Caption("lbNamA"), QStringLiteral("Năm: Bính Ngọ"));
    EXPECT_EQ(Caption("lbTietKhi"), QStringLiteral("Xuân phân (16)"));
    EXPECT_EQ(Find<PictureBox>("PicLunar")->Picture(), QStringLiteral(":/pictures/moon/moon17.svg"));
    // The labels were redrawn: each shows ink on its retained surface.
    for (const char* name : {"lbThangD", "lbTietKhi", "lbNamA"}) {
        EXPECT_FALSE(Find<xLabel>(name)->Surface().isNull()) << name;
        const QImage& surface = Find<xLabel>(name)->Surface();
        int opaque = 0;
        for (int y = 0; y < surface.height(); ++y) {
            for (int x = 0; x < surface.width(); ++x) {
                opaque += qAlpha(surface.pixel(x, y)) > 0 ? 1 : 0;
            }
        }
        EXPECT_GT(opaque, 20) << name;
    }
}

TEST_F(frmMainTest, PicturesFollowTheLunarDayAndTheBranch) {
    ASSERT_TRUE(Load());
    auto* moon = Find<PictureBox>("PicLunar");
    auto* animal = Find<PictureBox>("PicDateAni");
    form->ViewDate(8, 12, 2026); // day 30 of a 30-day month: no moon
    EXPECT_TRUE(moon->Picture().isEmpty());
    form->ViewDate(16, 2, 2026); // day 29 of a 29-day month: no moon
    EXPECT_TRUE(moon->Picture().isEmpty());
    form->ViewDate(1, 1, 2000); // a Ngọ day: the horse
    EXPECT_EQ(animal->Picture(), QStringLiteral(":/pictures/animals/animal06.svg"));
    form->Picture12(12); // out of range: unchanged
    EXPECT_EQ(animal->Picture(), QStringLiteral(":/pictures/animals/animal06.svg"));
    form->Picture12(-1);
    EXPECT_EQ(animal->Picture(), QStringLiteral(":/pictures/animals/animal06.svg"));
    // Every picture the view can choose draws something on white.
    for (int k = 1; k <= 29; ++k) {
        moon->SetPicture(QStringLiteral(":/pictures/moon/moon%1.svg").arg(k, 2, 10, QChar(u'0')));
        EXPECT_GT(testing::InkCount(moon->grab().toImage(), Qt::white), 20) << k;
    }
}

TEST(DayPictures, AllFortyOneDrawAtFourTimesTheirSizeOnASheet) {
    // 29 moons (45 px) in rows of 10, then 12 animals (60 px) in rows of 6, at 4x; written
    // as day-pictures.png when MOONLEAF_TEST_IMAGES names a folder.
    constexpr int SCALE = 4;
    constexpr int CELL = 60 * SCALE + 8;
    QImage sheet(10 * CELL, 5 * CELL, QImage::Format_RGB32);
    sheet.fill(QColor(220, 220, 220));
    QPainter painter(&sheet);
    const auto draw = [&](const QString& path, int index, int perRow, int firstRow) {
        QSvgRenderer renderer(path);
        ASSERT_TRUE(renderer.isValid()) << path.toStdString();
        const QSize size = renderer.defaultSize() * SCALE;
        const QRect cell(index % perRow * CELL + 4, (firstRow + index / perRow) * CELL + 4,
                         size.width(), size.height());
        QImage one(size, QImage::Format_RGB32);
        one.fill(Qt::black); // anything the picture leaves uncovered shows as black
        QPainter onePainter(&one);
        renderer.render(&onePainter);
        onePainter.end();
        EXPECT_EQ(testing::CountColor(one, Qt::black), 0) << path.toStdString();
        EXPECT_GT(testing::CountColor(one, QColor(0, 128, 0)), size.width()) << path.toStdString();
        painter.drawImage(cell, one);
    };
    for (int k = 1; k <= 29; ++k) {
        draw(MoonPictureFile(k), k - 1, 10, 0);
    }
    for (int a = 0; a < 12; ++a) {
        draw(AnimalPictureFile(a), a, 6, 3);
    }
    painter.end();
    testing::SaveTestImage(QStringLiteral("day-pictures"), sheet);
}

TEST_F(frmMainTest, HolidaysComeBeforeQuotations) {
    ASSERT_TRUE(Load());
    form->ViewDate(2, 9, 2026); // a Gregorian holiday
    EXPECT_EQ(VisibleBox()->Text().trimmed(), QStringLiteral(
        "Ngày Quốc khánh nước Cộng Hòa Xã Hội Chủ nghĩa Việt Nam"));
    form->ViewDate(17, 2, 2026); // lunar New Year only
    EXPECT_EQ(VisibleBox()->Text().trimmed(),
              QStringLiteral("Mồng 1 Tết Nguyên Đán - An Khang Thịnh Vượng"));
}

TEST_F(frmMainTest, QuotationsChooseTheirBoxByWidth) {
    ASSERT_TRUE(Load());
    form->ViewDate(8, 12, 2026); // no holiday: a quotation
    const QStringList lines = [] {
        QStringList all;
        for (int n = 1; n <= 2359; ++n) {
            all << QuotationStore::LineOf(QuotationStore::Embedded(), n);
        }
        return all;
    }();
    const QFontMetricsF metrics(form->font());
    int tall = 0;
    int shortOnes = 0;
    for (int draw = 0; draw < 60; ++draw) {
        form->GetDanhNgon(false);
        UniTextBox* box = VisibleBox();
        QString text = box->Text();
        if (box->objectName() == QStringLiteral("txDanhNgon")) {
            ++tall;
            ASSERT_TRUE(text.endsWith(QStringLiteral("  ")));
            text.chop(2);
            EXPECT_GT(metrics.horizontalAdvance(text), 304);
        } else {
            ++shortOnes;
            EXPECT_LE(metrics.horizontalAdvance(text), 304);
        }
        const int n = static_cast<int>(lines.indexOf(text)) + 1;
        EXPECT_GE(n, 1);
        EXPECT_LE(n, 2274); // a click never draws the last 85 lines
    }
    EXPECT_GT(tall, 0);
    EXPECT_GT(shortOnes, 0);
}

TEST_F(frmMainTest, AClickShowsAQuotationEvenOnAHolidayAndMovesTheFocus) {
    ASSERT_TRUE(Load());
    testing::ShowForm(form.get(), form->size());
    form->ViewDate(2, 9, 2026);
    const QString holiday = VisibleBox()->Text();
    QSignalSpy clicks(VisibleBox(), &UniTextBox::Click);
    testing::Mouse::Click(VisibleBox()->EditWidget(), QPoint(20, 8));
    ASSERT_EQ(clicks.count(), 1);
    EXPECT_NE(VisibleBox()->Text(), holiday);
    EXPECT_TRUE(Find<UniTextBox>("txTemp")->EditWidget()->hasFocus());
}

TEST_F(frmMainTest, QuotationAreaWorksWithoutItsFile) {
    ASSERT_TRUE(Load());
    ASSERT_TRUE(QFile::remove(store.Path())); // removed while the calendar runs
    form->ViewDate(8, 12, 2026);
    EXPECT_FALSE(VisibleBox()->Text().trimmed().isEmpty());
    form->ViewDate(2, 9, 2026);
    EXPECT_TRUE(VisibleBox()->Text().startsWith(QStringLiteral("Ngày Quốc khánh")));
}

TEST_F(frmMainTest, UnloadDeletesTheFileReleasesTheGuardAndEndsOnce) {
    ASSERT_TRUE(Load());
    testing::ShowForm(form.get(), form->size());
    QSignalSpy unloaded(form.get(), &frmMain::Unloaded);
    ASSERT_TRUE(QFile::exists(store.Path()));
    form->Form_Unload(true);
    const double screenTwips = QGuiApplication::primaryScreen()->geometry().height() * 15.0;
    EXPECT_GE(form->Top(), screenTwips); // slid down off the screen
    EXPECT_LT(form->Top(), screenTwips + 100);
    EXPECT_FALSE(QFile::exists(store.Path()));
    EXPECT_EQ(fakes.instance.Released, 1);
    EXPECT_EQ(unloaded.count(), 1);
    form->Form_Unload(true);
    EXPECT_EQ(unloaded.count(), 1);
}

TEST_F(frmMainTest, TheCloseButtonUnloads) {
    ASSERT_TRUE(Load());
    testing::ShowForm(form.get(), form->size());
    QSignalSpy unloaded(form.get(), &frmMain::Unloaded);
    auto* close = Find<xButton>("btClose");
    testing::Mouse::Click(close, close->rect().center());
    EXPECT_EQ(unloaded.count(), 1);
    EXPECT_FALSE(QFile::exists(store.Path()));
}

} // namespace
} // namespace moonleaf
