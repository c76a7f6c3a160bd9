// SPDX-License-Identifier: GPL-3.0-or-later
// The X11 window traits on an X server of the test's own, in one of four sessions chosen by
// --session=: "bare" (no window manager), "openbox", "composited" (xcompmgr without a
// window manager) and "openbox-composited". Each session runs the test suite of its name.
// The program is run under the name "moonleaf", as the calendar is, since Qt takes the
// WM_CLASS instance from it.
#include "XSession.h"

#include "platform/PanelBorder.h"
#include "platform/ShadowWindow.h"
#include "platform/WindowTraits.h"
#include "platform/x11/X11WindowTraits.h"
#include "platform/x11/Xcb.h"

#include <QApplication>
#include <QLineEdit>
#include <QTest>
#include <QWidget>
#include <QWindow>

#include <gtest/gtest.h>

#include <cstdio>
#include <cstring>

namespace moonleaf {
namespace {

testing::XSession* session = nullptr;

// Generous: only broken traits make a wait run out.
constexpr int WAIT_MS = 20000;

const QSize PANEL_SIZE(328, 421);

// The values xprop shows for `property` of window `id` (the root window when `id` is 0).
QByteArrayList Property(WId id, const char* property) {
    QStringList arguments;
    if (id == 0) {
        arguments << QStringLiteral("-root");
    } else {
        arguments << QStringLiteral("-id") << QString::number(id);
    }
    arguments << QString::fromLatin1(property);
    const QByteArray output =
        session->Run(QStringLiteral("xprop"), arguments).value_or(QByteArray()).trimmed();
    // "NAME(TYPE) = a, b" for most types, "NAME(WINDOW): window id # 0x1, 0x2" for windows,
    // "NAME:  not found." when unset.
    qsizetype start = output.indexOf('=');
    if (start < 0) {
        start = output.indexOf('#');
    }
    if (start < 0) {
        return {};
    }
    QByteArrayList values;
    for (const QByteArray& value : output.mid(start + 1).split(',')) {
        values << value.trimmed();
    }
    return values;
}

QByteArray HexId(WId id) {
    return "0x" + QByteArray::number(static_cast<qulonglong>(id), 16);
}

bool HasStates(WId id, const QByteArrayList& wanted) {
    const QByteArrayList state = Property(id, "_NET_WM_STATE");
    for (const QByteArray& name : wanted) {
        if (!state.contains(name)) {
            return false;
        }
    }
    return true;
}

// What a failed state check shows: the window's states, whether it is mapped and managed.
std::string Report(WId id) {
    return "state: " + Property(id, "_NET_WM_STATE").join(' ').toStdString() + "; mapped: " +
           (x11::IsMapped(x11::QtConnection(), static_cast<xcb_window_t>(id)) ? "yes" : "no") +
           "; WM_STATE: " + Property(id, "WM_STATE").join(' ').toStdString();
}

const QByteArrayList PANEL_STATES{"_NET_WM_STATE_ABOVE", "_NET_WM_STATE_SKIP_TASKBAR",
                                  "_NET_WM_STATE_SKIP_PAGER"};

// A panel as the calendar makes it, with the X11 traits, at the top centre of the screen.
class X11Panel : public ::testing::Test {
protected:
    X11Panel() {
        auto* box = new QLineEdit(panel_.get());
        box->setObjectName(QStringLiteral("txtFind"));
        box->setGeometry(10, 100, 300, 24);
        panel_->resize(PANEL_SIZE);
        panel_->move((1280 - PANEL_SIZE.width()) / 2, 0);
        traits_.MakePanel(panel_.get());
        traits_.DropShadow(panel_.get());
    }

    void ShowPanel() {
        panel_->show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(panel_.get(), WAIT_MS));
    }

    void HidePanel() {
        panel_->hide();
        ASSERT_TRUE(QTest::qWaitFor(
            [this] {
                return !x11::IsMapped(x11::QtConnection(),
                                      static_cast<xcb_window_t>(panel_->winId()));
            },
            WAIT_MS));
    }

    QWidget* Shadow() const {
        for (QWidget* top : QApplication::topLevelWidgets()) {
            if (top->objectName() == QLatin1String("panelShadow")) {
                return top;
            }
        }
        return nullptr;
    }

    PanelBorder* Border() const { return panel_->findChild<PanelBorder*>(); }

    X11WindowTraits traits_;
    std::unique_ptr<QWidget> panel_ = std::make_unique<QWidget>();
};

// Without a window manager nobody rewrites _NET_WM_STATE: what it holds is what the traits
// and Qt wrote before the window was mapped.
using BarePanel = X11Panel;

TEST_F(BarePanel, TheTraitsAreTheOnesOfX11) {
    EXPECT_NE(dynamic_cast<X11WindowTraits*>(CreateWindowTraits().get()), nullptr);
}

TEST_F(BarePanel, StatesAreWrittenBeforeEveryMap) {
    ShowPanel();
    EXPECT_TRUE(HasStates(panel_->winId(), PANEL_STATES)) << Report(panel_->winId());
    HidePanel();
    ShowPanel();
    EXPECT_TRUE(HasStates(panel_->winId(), PANEL_STATES)) << Report(panel_->winId());
    EXPECT_TRUE(panel_->windowFlags() & Qt::FramelessWindowHint);
    EXPECT_EQ(Property(panel_->winId(), "_NET_WM_WINDOW_TYPE"),
              QByteArrayList{"_NET_WM_WINDOW_TYPE_DOCK"});
}

TEST_F(BarePanel, WithoutACompositorTheBorderIsDrawnAndNoShadowWindowMade) {
    ShowPanel();
    ASSERT_NE(Border(), nullptr);
    EXPECT_TRUE(Border()->isVisible());
    EXPECT_EQ(Shadow(), nullptr);
    EXPECT_EQ(panel_->geometry(), QRect(QPoint(476, 0), PANEL_SIZE));
}

TEST_F(BarePanel, ACompositorThatTakesTheSelectionIsSeenAtTheNextShow) {
    ShowPanel();
    EXPECT_EQ(Shadow(), nullptr);
    // A compositing manager announces itself by owning _NET_WM_CM_S0.
    xcb_connection_t* connection = x11::QtConnection();
    const xcb_window_t owner = xcb_generate_id(connection);
    const xcb_screen_t* screen = xcb_setup_roots_iterator(xcb_get_setup(connection)).data;
    xcb_create_window(connection, XCB_COPY_FROM_PARENT, owner, screen->root, 0, 0, 1, 1, 0,
                      XCB_WINDOW_CLASS_INPUT_ONLY, XCB_COPY_FROM_PARENT, 0, nullptr);
    const xcb_atom_t selection = x11::Atom(connection, "_NET_WM_CM_S0");
    xcb_set_selection_owner(connection, owner, selection, XCB_CURRENT_TIME);
    xcb_flush(connection);
    ASSERT_TRUE(session->SelectionOwned("_NET_WM_CM_S0"));

    HidePanel();
    ShowPanel();
    ASSERT_NE(Shadow(), nullptr);
    EXPECT_TRUE(Shadow()->isVisible());
    EXPECT_FALSE(Border()->isVisible());

    xcb_destroy_window(connection, owner); // gives the selection up
    xcb_flush(connection);
    HidePanel();
    ShowPanel();
    EXPECT_EQ(Shadow(), nullptr);
    EXPECT_TRUE(Border()->isVisible());
}

using OpenboxPanel = X11Panel;

TEST_F(OpenboxPanel, StatesHoldAfterEveryShow) {
    ShowPanel();
    EXPECT_TRUE(
        QTest::qWaitFor([this] { return HasStates(panel_->winId(), PANEL_STATES); }, WAIT_MS))
        << Report(panel_->winId());
    HidePanel();
    // The window manager forgets a withdrawn window's states.
    EXPECT_TRUE(QTest::qWaitFor(
        [this] { return Property(panel_->winId(), "_NET_WM_STATE").isEmpty(); }, WAIT_MS));
    ShowPanel();
    EXPECT_TRUE(
        QTest::qWaitFor([this] { return HasStates(panel_->winId(), PANEL_STATES); }, WAIT_MS))
        << Report(panel_->winId());
}

TEST_F(OpenboxPanel, StatesHoldAfterAHideAndShowInQuickSuccession) {
    ShowPanel();
    ASSERT_TRUE(
        QTest::qWaitFor([this] { return HasStates(panel_->winId(), PANEL_STATES); }, WAIT_MS));
    panel_->hide();
    panel_->show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(panel_.get(), WAIT_MS));
    EXPECT_TRUE(
        QTest::qWaitFor([this] { return HasStates(panel_->winId(), PANEL_STATES); }, WAIT_MS))
        << Report(panel_->winId());
}

TEST_F(OpenboxPanel, ThePanelAsksNotToBeFocusedWhenMapped) {
    ShowPanel();
    // A user time of 0 tells the window manager not to focus a window it maps. Qt keeps the
    // user time on a window of its own where the manager supports that, and names it in
    // _NET_WM_USER_TIME_WINDOW.
    WId timeId = panel_->winId();
    const QByteArrayList timeWindow = Property(panel_->winId(), "_NET_WM_USER_TIME_WINDOW");
    if (!timeWindow.isEmpty()) {
        bool ok = false;
        timeId = timeWindow.front().toULongLong(&ok, 16);
        ASSERT_TRUE(ok) << timeWindow.front().toStdString();
    }
    EXPECT_EQ(Property(timeId, "_NET_WM_USER_TIME"), QByteArrayList{"0"});
}

TEST_F(OpenboxPanel, ShowingOrMovingThePanelLeavesTheFocusWhereItIs) {
    QWidget typing;
    auto* box = new QLineEdit(&typing);
    typing.setGeometry(100, 500, 300, 60);
    typing.show();
    typing.activateWindow();
    box->setFocus();
    ASSERT_TRUE(QTest::qWaitFor(
        [&typing] {
            return Property(0, "_NET_ACTIVE_WINDOW").value(0).contains(HexId(typing.winId()));
        },
        WAIT_MS));

    // openbox leaves docks and windows off the task bar unfocused when it maps them anyway,
    // so this holds there even without the user time of 0 checked above.
    ShowPanel();
    // Once the window manager lists the panel it has decided about its focus.
    ASSERT_TRUE(QTest::qWaitFor(
        [this] { return Property(0, "_NET_CLIENT_LIST").contains(HexId(panel_->winId())); },
        WAIT_MS));
    EXPECT_TRUE(Property(0, "_NET_ACTIVE_WINDOW").value(0).contains(HexId(typing.winId())));
    for (int top = 0; top >= -400; top -= 100) {
        panel_->move(panel_->x(), top);
    }
    QTest::qWait(0);
    EXPECT_TRUE(Property(0, "_NET_ACTIVE_WINDOW").value(0).contains(HexId(typing.winId())));
    EXPECT_TRUE(box->hasFocus());

    // The same check sees a window that does take the focus.
    QWidget taker;
    taker.setGeometry(600, 600, 100, 60);
    taker.show();
    EXPECT_TRUE(QTest::qWaitFor(
        [&taker] {
            return Property(0, "_NET_ACTIVE_WINDOW").value(0).contains(HexId(taker.winId()));
        },
        WAIT_MS));
}

// Position of the top-left corner of `id` on the screen, as the X server has it.
QPoint OnScreen(WId id) {
    xcb_connection_t* connection = x11::QtConnection();
    const xcb_window_t root = xcb_setup_roots_iterator(xcb_get_setup(connection)).data->root;
    const x11::Reply<xcb_translate_coordinates_reply_t> at(xcb_translate_coordinates_reply(
        connection,
        xcb_translate_coordinates(connection, static_cast<xcb_window_t>(id), root, 0, 0), nullptr));
    return at ? QPoint(at->dst_x, at->dst_y) : QPoint();
}

TEST_F(OpenboxPanel, ThePanelSlidesAllTheWayAboveTheTopOfTheScreen) {
    ShowPanel();
    ASSERT_TRUE(QTest::qWaitFor(
        [this] { return Property(0, "_NET_CLIENT_LIST").contains(HexId(panel_->winId())); },
        WAIT_MS));
    // openbox keeps a tenth of an ordinary window on the screen when the program moves it;
    // a dock may go anywhere.
    for (int top = -100; top >= -PANEL_SIZE.height(); top -= 80) {
        panel_->move(panel_->x(), top);
        const QPoint wanted(panel_->x(), top);
        EXPECT_TRUE(QTest::qWaitFor([&] { return OnScreen(panel_->winId()) == wanted; }, WAIT_MS))
            << "top " << top << ": at " << OnScreen(panel_->winId()).y();
    }
}

TEST_F(OpenboxPanel, AClickOnTheTextBoxFocusesIt) {
    ShowPanel();
    ASSERT_TRUE(QTest::qWaitFor(
        [this] { return Property(0, "_NET_CLIENT_LIST").contains(HexId(panel_->winId())); },
        WAIT_MS));
    auto* box = panel_->findChild<QLineEdit*>(QStringLiteral("txtFind"));
    const QPoint target = box->mapToGlobal(box->rect().center());
    ASSERT_TRUE(
        session->Run(QStringLiteral("xdotool"),
                     {QStringLiteral("mousemove"), QString::number(target.x()),
                      QString::number(target.y()), QStringLiteral("click"), QStringLiteral("1")}));
    EXPECT_TRUE(QTest::qWaitFor([box] { return box->hasFocus(); }, WAIT_MS));
    // openbox names the active window once it has seen the focus arrive.
    EXPECT_TRUE(QTest::qWaitFor(
        [this] {
            return Property(0, "_NET_ACTIVE_WINDOW").value(0).contains(HexId(panel_->winId()));
        },
        WAIT_MS));
}

TEST_F(OpenboxPanel, TheWindowClassInstanceIsTheProgramName) {
    ShowPanel();
    const QByteArrayList wmClass = Property(panel_->winId(), "WM_CLASS");
    ASSERT_FALSE(wmClass.isEmpty());
    EXPECT_EQ(wmClass.front(), QByteArray("\"moonleaf\""));
}

TEST_F(OpenboxPanel, WithoutACompositorTheBorderIsDrawnAndNoShadowWindowMade) {
    ShowPanel();
    ASSERT_NE(Border(), nullptr);
    EXPECT_TRUE(Border()->isVisible());
    EXPECT_EQ(Shadow(), nullptr);
}

// xcompmgr without a window manager: the shadow window is a plain sibling of the panel.
using CompositedPanel = X11Panel;

TEST_F(CompositedPanel, TheShadowWindowLiesJustBelowThePanelAndFollowsIt) {
    ShowPanel();
    QWidget* shadow = Shadow();
    ASSERT_NE(shadow, nullptr);
    EXPECT_FALSE(Border() != nullptr && Border()->isVisible());
    EXPECT_TRUE(
        HasStates(shadow->winId(), {"_NET_WM_STATE_SKIP_TASKBAR", "_NET_WM_STATE_SKIP_PAGER"}));
    EXPECT_EQ(Property(shadow->winId(), "_NET_WM_WINDOW_TYPE"),
              QByteArrayList{"_NET_WM_WINDOW_TYPE_DOCK"});
    xcb_connection_t* connection = x11::QtConnection();
    const auto stackIndex = [connection](WId id) {
        const xcb_window_t root = xcb_setup_roots_iterator(xcb_get_setup(connection)).data->root;
        const x11::Reply<xcb_query_tree_reply_t> tree(
            xcb_query_tree_reply(connection, xcb_query_tree(connection, root), nullptr));
        const xcb_window_t* children = xcb_query_tree_children(tree.get());
        const int count = xcb_query_tree_children_length(tree.get());
        return static_cast<int>(std::find(children, children + count, id) - children);
    };
    EXPECT_TRUE(QTest::qWaitFor(
        [&] { return stackIndex(shadow->winId()) < stackIndex(panel_->winId()); }, WAIT_MS));

    // A slide: the shadow window follows each step, as the X server places it.
    for (int top = 0; top >= -300; top -= 60) {
        panel_->move(panel_->x(), top);
        const QRect expected = shadow->geometry();
        ASSERT_TRUE(QTest::qWaitFor(
            [&] {
                const x11::Reply<xcb_get_geometry_reply_t> geometry(xcb_get_geometry_reply(
                    connection,
                    xcb_get_geometry(connection, static_cast<xcb_window_t>(shadow->winId())),
                    nullptr));
                return geometry && geometry->x == expected.x() && geometry->y == expected.y();
            },
            WAIT_MS))
            << "top " << top;
        EXPECT_EQ(expected.top(), top + 3 - 6) << "top " << top;
    }
    HidePanel();
    EXPECT_FALSE(shadow->isVisible());
}

using OpenboxCompositedPanel = X11Panel;

TEST_F(OpenboxCompositedPanel, TheShadowWindowIsStackedJustBelowThePanel) {
    ShowPanel();
    QWidget* shadow = Shadow();
    ASSERT_NE(shadow, nullptr);
    EXPECT_TRUE(QTest::qWaitFor(
        [&] {
            const QByteArrayList stacking = Property(0, "_NET_CLIENT_LIST_STACKING");
            const qsizetype panelAt = stacking.indexOf(HexId(panel_->winId()));
            return panelAt > 0 && stacking.at(panelAt - 1) == HexId(shadow->winId());
        },
        WAIT_MS))
        << Property(0, "_NET_CLIENT_LIST_STACKING").join(' ').toStdString();
    EXPECT_TRUE(QTest::qWaitFor(
        [shadow] {
            return HasStates(shadow->winId(), {"_NET_WM_STATE_SKIP_TASKBAR",
                                               "_NET_WM_STATE_SKIP_PAGER", "_NET_WM_STATE_ABOVE"});
        },
        WAIT_MS));
    EXPECT_FALSE(Property(0, "_NET_ACTIVE_WINDOW").value(0).contains(HexId(shadow->winId())));

    // Slid up out of view, the panel takes its shadow along.
    panel_->move(panel_->x(), -PANEL_SIZE.height());
    const QPoint wanted = ShadowWindow::GeometryFor(panel_->geometry()).topLeft();
    EXPECT_TRUE(QTest::qWaitFor([&] { return OnScreen(shadow->winId()) == wanted; }, WAIT_MS))
        << OnScreen(shadow->winId()).y() << " for " << wanted.y();
}

} // namespace
} // namespace moonleaf

int main(int argc, char** argv) {
    ::testing::InitGoogleTest(&argc, argv);
    QByteArray name = "bare";
    for (int i = 1; i < argc; ++i) {
        if (std::strncmp(argv[i], "--session=", 10) == 0) {
            name = argv[i] + 10;
        }
    }
    const QByteArray suite = name == "bare"                 ? "BarePanel"
                             : name == "openbox"            ? "OpenboxPanel"
                             : name == "composited"         ? "CompositedPanel"
                             : name == "openbox-composited" ? "OpenboxCompositedPanel"
                                                            : QByteArray();
    if (suite.isEmpty()) {
        std::fprintf(stderr, "unknown session %s\n", name.constData());
        return 2;
    }
    if (GTEST_FLAG_GET(filter) == "*") {
        GTEST_FLAG_SET(filter, (suite + ".*").toStdString());
    }

    moonleaf::testing::XSession xsession;
    if (!xsession.Start() || (name.startsWith("openbox") && !xsession.StartWindowManager()) ||
        (name.endsWith("composited") && !xsession.StartCompositor())) {
        return 1;
    }
    moonleaf::session = &xsession;
    qputenv("DISPLAY", xsession.Display());
    qputenv("QT_QPA_PLATFORM", "xcb");
    qunsetenv("RESOURCE_NAME");
    QApplication app(argc, argv);
    return RUN_ALL_TESTS();
}
