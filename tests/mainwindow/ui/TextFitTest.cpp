// SPDX-License-Identifier: GPL-3.0-or-later
// Every text the main window can show fits the element that shows it, in the program's
// font: the day view over every day of 1900..2100, every quotation and every holiday name.
#include "mainwindow/ui/frmMain.h"

#include "controls/UniTextBox.h"
#include "engine/Holidays.h"
#include "engine/JulianDay.h"
#include "mainwindow/DayView.h"
#include "services/QuotationRules.h"
#include "services/ui/QuotationStore.h"
#include "support/Fakes.h"
#include "text/VniToUnicode.h"

#include <QAbstractTextDocumentLayout>
#include <QLabel>
#include <QTextBlock>
#include <QTextDocument>
#include <QTextEdit>
#include <QTextLayout>
#include <QTest>

#include <gtest/gtest.h>

#include <cstdio>
#include <algorithm>
#include <cstring>
#include <map>

namespace moonleaf {
namespace {

using testing::FakeServices;

struct Widest {
    int width = 0;
    QString text;
};

class TextFitTest : public ::testing::Test {
protected:
    FakeServices fakes{LocalTime{{8, 12, 2026}, 9, 0, 0, 0}};
    Services services = fakes.Get();
    QuotationStore store{services.privateFolder};
    frmMain form{services, store};
    double deepestTall = 0;  // lowest text bottom in the tall box, pixels
    double widestShort = 0;  // widest text in the short box, pixels

    void SetUp() override {
        // Shown, so the text boxes have laid out their edit windows at their real size.
        form.show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&form));
    }

    QWidget* Element(const char* name) { return form.findChild<QWidget*>(QLatin1String(name)); }

    // Where the quotation area's text would be cut: false when a line of it falls below the
    // visible box or, in the short box, when it needs a second line.
    ::testing::AssertionResult ShownWhole(const QString& text) {
        form.ShowDanhNgon(text);
        auto* tall = form.findChild<UniTextBox*>(QStringLiteral("txDanhNgon"));
        auto* shortBox = form.findChild<UniTextBox*>(QStringLiteral("txDanhNgonN"));
        UniTextBox* box = tall->isVisibleTo(&form) ? tall : shortBox;
        auto* edit = qobject_cast<QTextEdit*>(box->EditWidget());
        QTextDocument* document = edit->document();
        const double bottom = document->size().height() - document->documentMargin();
        int lines = 0;
        for (QTextBlock block = document->begin(); block.isValid(); block = block.next()) {
            lines += block.layout()->lineCount();
        }
        if (box == tall) {
            deepestTall = std::max(deepestTall, bottom);
        } else {
            widestShort = std::max(widestShort, QFontMetricsF(form.font()).horizontalAdvance(text));
        }
        if (bottom > edit->viewport()->height() || (box == shortBox && lines > 1)) {
            return ::testing::AssertionFailure()
                   << lines << " lines, bottom " << bottom << " of " << edit->viewport()->height()
                   << " in " << box->objectName().toStdString() << ": " << text.toStdString();
        }
        return ::testing::AssertionSuccess();
    }
};

TEST_F(TextFitTest, EveryDayViewTextOf1900To2100FitsItsElement) {
    // Element name -> the field of the view it shows.
    const std::map<const char*, std::u16string DayView::*> fields{
        {"lbNgayD", &DayView::lbNgayD},     {"lbYear", &DayView::lbYear},
        {"lbThangD", &DayView::lbThangD},   {"lbThangEN", &DayView::lbThangEN},
        {"lbDateEN", &DayView::lbDateEN},   {"lbThuV", &DayView::lbThuV},
        {"lbGioA", &DayView::lbGioA},       {"lbNgayA", &DayView::lbNgayA},
        {"lbThangA", &DayView::lbThangA},   {"lbNamA", &DayView::lbNamA},
        {"lbThangADT", &DayView::lbThangADT}, {"lbTietKhi", &DayView::lbTietKhi},
        {"lbDateA", &DayView::lbDateA}};
    std::map<const char*, Widest> widest;
    std::map<const char*, QFontMetrics> metrics;
    for (const auto& [name, field] : fields) {
        metrics.emplace(name, QFontMetrics(Element(name)->font()));
    }
    std::map<std::u16string, bool> seen; // each distinct text is measured once
    for (double jd = DateToJdn(1, 1, 1900); jd <= DateToJdn(31, 12, 2100); ++jd) {
        const CalDate d = JdnToDate(jd);
        const DayView view = ComposeDayView(d.Day, d.Month, d.Year);
        for (const auto& [name, field] : fields) {
            const std::u16string& text = view.*field;
            if (!seen.emplace(text + u'\x1' + std::u16string(name, name + std::strlen(name)), true)
                     .second) {
                continue;
            }
            const int width = metrics.at(name).horizontalAdvance(QString::fromStdU16String(text));
            if (width > widest[name].width) {
                widest[name] = Widest{width, QString::fromStdU16String(text)};
            }
        }
    }
    for (const auto& [name, field] : fields) {
        const int room = Element(name)->width();
        const Widest& w = widest[name];
        std::printf("%-10s widest %3d px of %3d (margin %3d): %s\n", name, w.width, room,
                    room - w.width, qPrintable(w.text));
        EXPECT_LE(w.width, room) << name << ": " << w.text.toStdString();
        EXPECT_LE(metrics.at(name).height(), Element(name)->height()) << name;
    }
}

TEST_F(TextFitTest, TheCheckSeesATextCutOff) {
    EXPECT_FALSE(ShownWhole(QStringLiteral("mười hai ").repeated(30)));
    EXPECT_TRUE(ShownWhole(QStringLiteral("Ngắn thôi")));
}

TEST_F(TextFitTest, EveryQuotationIsShownWhole) {
    const QByteArray& list = QuotationStore::Embedded();
    for (int n = 1; n <= QUOTATION_LINES; ++n) {
        QString line = QuotationStore::LineOf(list, n);
        line.remove(QChar(0)); // the last line's end mark
        EXPECT_TRUE(ShownWhole(line)) << "line " << n;
    }
    std::printf("quotations: tall box text ends at %.0f of 46 px, short box text at most "
                "%.1f of 304 px wide\n",
                deepestTall, widestShort);
}

TEST_F(TextFitTest, EveryHolidayNameIsShownWhole) {
    int names = 0;
    for (int month = 1; month <= 12; ++month) {
        for (int day = 1; day <= 31; ++day) {
            for (const int solar : {1, 0}) {
                std::u16string name = HolidayName(CalDate{double(day), double(month), 0}, solar);
                if (!name.empty()) {
                    ++names;
                    EXPECT_TRUE(ShownWhole(QString::fromStdU16String(VniToUnicode(name))));
                }
            }
        }
    }
    EXPECT_EQ(names, 58); // 47 Gregorian days (two names share 10 December) and 11 lunar
}

} // namespace
} // namespace moonleaf
