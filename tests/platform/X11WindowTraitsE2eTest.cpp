// SPDX-License-Identifier: GPL-3.0-or-later
// The X11 window traits on an X server of the test's own, in the session --session= names:
// "bare" (no window manager), "openbox", "composited" (xcompmgr without a window manager)
// or "openbox-composited"; each runs the test suite of its name. The program runs under the
// name "moonleaf", as the calendar does, since Qt takes the WM_CLASS instance from it.
#include "XSession.h"

#include "platform/PanelBorder.h"
#include "platform/ShadowWindow.h"
#include "platform/x11/X11WindowTraits.h"
#include "platform/x11/Xcb.h"

#include <QApplication>
#include <QLineEdit>
#include <QTest>

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <map>
#include <string>

namespace moonleaf {
namespace {

testing::XSession* session = nullptr;
constexpr int WAIT_MS = 20000; // generous: only broken traits make a wait run out
const QSize PANEL_SIZE(328, 421);

// The values xprop shows for `property` of window `id` (the root window when `id` is 0):
// "NAME(TYPE) = a, b", "NAME(WINDOW): window id # 0x1, 0x2", or "NAME:  not found.".
QByteArrayList Property(WId id, const char* property) {
    const QStringList where = id == 0 ? QStringList{QStringLiteral("-root")}
                                      : QStringList{QStringLiteral("-id"), QString::number(id)};
    const QByteArray output =
        session->Run(QStringLiteral("xprop"), where + QStringList{QString::fromLatin1(property)})
            .value_or(QByteArray());
    const qsizetype start = std::max(output.indexOf('='), output.indexOf('#'));
    QByteArrayList values;
    for (const QByteArray& value : output.mid(start + 1).split(',')) {
        if (start >= 0) {
            values << value.trimmed();
        }
    }
    return values;
}

QByteArray HexId(WId id) {
    return "0x" + QByteArray::number(static_cast<qulonglong>(id), 16);
}

bool HasStates(WId id, const QByteArrayList& wanted) {
    const QByteArrayList state = Property(id, "_NET_WM_STATE");
    return std::all_of(wanted.begin(), wanted.end(),
                       [&state](const QByteArray& name) { return state.contains(name); });
}

bool IsActive(WId id) {
    return Property(0, "_NET_ACTIVE_WINDOW").value(0) == HexId(id);
}

// Where the X server has the top-left corner of `id` on the screen.
QPoint OnScreen(WId id) {
    xcb_connection_t* connection = x11::QtConnection();
    const x11::Reply<xcb_translate_coordinates_reply_t> at(xcb_translate_coordinates_reply(
        connection,
        xcb_translate_coordinates(connection, static_cast<xcb_window_t>(id),
                                  x11::RootOf(connection, static_cast<xcb_window_t>(id)), 0, 0),
        nullptr));
    return at ? QPoint(at->dst_x, at->dst_y) : QPoint();
}

const QByteArrayList PANEL_STATES{"_NET_WM_STATE_ABOVE", "_NET_WM_STATE_SKIP_TASKBAR",
                                  "_NET_WM_STATE_SKIP_PAGER"};

// A panel as the calendar makes it, with the X11 traits, at the top centre of the screen.
class X11Panel : public ::testing::Test {
protected:
    X11Panel() {
        box_->setGeometry(10, 100, 300, 24);
        panel_->setGeometry((1280 - PANEL_SIZE.width()) / 2, 0, PANEL_SIZE.width(),
                            PANEL_SIZE.height());
        traits_.MakePanel(panel_.get());
        traits_.DropShadow(panel_.get());
    }

    void Show() {
        panel_->show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(panel_.get(), WAIT_MS));
    }
    // Shows the panel and waits until the window manager lists it.
    void ShowManaged() {
        Show();
        ASSERT_TRUE(QTest::qWaitFor(
            [this] { return Property(0, "_NET_CLIENT_LIST").contains(HexId(Id())); }, WAIT_MS));
    }
    void Hide() {
        panel_->hide();
        ASSERT_TRUE(QTest::qWaitFor(
            [this] { return !x11::IsMapped(x11::QtConnection(), xcb_window_t(Id())); }, WAIT_MS));
    }
    bool StatesHold() {
        return QTest::qWaitFor([this] { return HasStates(Id(), PANEL_STATES); }, WAIT_MS);
    }

    WId Id() const { return panel_->winId(); }
    QWidget* Shadow() const {
        const auto tops = QApplication::topLevelWidgets();
        const auto it = std::find_if(tops.begin(), tops.end(), [](QWidget* top) {
            return top->objectName() == QLatin1String("panelShadow");
        });
        return it != tops.end() ? *it : nullptr;
    }
    bool BorderShown() const {
        auto* border = panel_->findChild<PanelBorder*>();
        return border != nullptr && border->isVisible();
    }

    X11WindowTraits traits_;
    std::unique_ptr<QWidget> panel_ = std::make_unique<QWidget>();
    QLineEdit* box_ = new QLineEdit(panel_.get());
};

// Without a window manager nobody rewrites the properties: they hold what was written
// before the window was mapped.
using BarePanel = X11Panel;

TEST_F(BarePanel, HintsAreWrittenBeforeEveryMap) {
    EXPECT_NE(dynamic_cast<X11WindowTraits*>(CreateWindowTraits().get()), nullptr);
    Show();
    EXPECT_TRUE(HasStates(Id(), PANEL_STATES));
    Hide();
    Show();
    EXPECT_TRUE(HasStates(Id(), PANEL_STATES));
    EXPECT_EQ(Property(Id(), "_NET_WM_WINDOW_TYPE"), QByteArrayList{"_NET_WM_WINDOW_TYPE_DOCK"});
    EXPECT_TRUE(BorderShown()) << "no compositing manager runs";
    EXPECT_EQ(Shadow(), nullptr);
    EXPECT_EQ(panel_->geometry(), QRect(QPoint(476, 0), PANEL_SIZE));
}

// The panel asks for the same atoms at every show: on Qt's connection each name costs one
// request to the server, and the answer agrees with what any other client is told.
TEST_F(BarePanel, AnAtomIsAskedOnceOnQtsConnection) {
    xcb_connection_t* connection = x11::QtConnection();
    const xcb_atom_t first = x11::Atom(connection, "_MOONLEAF_TEST_ATOM");
    ASSERT_NE(first, xcb_atom_t{XCB_ATOM_NONE});
    // Each request takes the next sequence number, so two no-op requests one apart say
    // that nothing was sent between them.
    const unsigned before = xcb_get_input_focus(connection).sequence;
    EXPECT_EQ(x11::Atom(connection, "_MOONLEAF_TEST_ATOM"), first);
    const unsigned after = xcb_get_input_focus(connection).sequence;
    EXPECT_EQ(after, before + 1);

    xcb_connection_t* other = xcb_connect(nullptr, nullptr);
    ASSERT_EQ(xcb_connection_has_error(other), 0);
    EXPECT_EQ(x11::Atom(other, "_MOONLEAF_TEST_ATOM"), first);
    xcb_disconnect(other);
}

TEST_F(BarePanel, ACompositorThatTakesTheSelectionIsSeenAtTheNextShow) {
    Show();
    // A compositing manager announces itself by owning _NET_WM_CM_S0.
    xcb_connection_t* connection = x11::QtConnection();
    const xcb_window_t owner = xcb_generate_id(connection);
    xcb_create_window(connection, XCB_COPY_FROM_PARENT, owner,
                      x11::RootOf(connection, xcb_window_t(Id())), 0, 0, 1, 1, 0,
                      XCB_WINDOW_CLASS_INPUT_ONLY, XCB_COPY_FROM_PARENT, 0, nullptr);
    xcb_set_selection_owner(connection, owner, x11::Atom(connection, "_NET_WM_CM_S0"),
                            XCB_CURRENT_TIME);
    xcb_flush(connection);
    ASSERT_TRUE(session->SelectionOwned("_NET_WM_CM_S0"));
    Hide();
    Show();
    ASSERT_NE(Shadow(), nullptr);
    EXPECT_TRUE(Shadow()->isVisible());
    EXPECT_FALSE(BorderShown());

    xcb_destroy_window(connection, owner); // gives the selection up
    Hide();
    Show();
    EXPECT_EQ(Shadow(), nullptr);
    EXPECT_TRUE(BorderShown());
}

using OpenboxPanel = X11Panel;

TEST_F(OpenboxPanel, StatesHoldAfterEveryShowAndComeBackWhenDropped) {
    Show();
    EXPECT_TRUE(StatesHold());
    Hide();
    // The window manager forgets a withdrawn window's states.
    EXPECT_TRUE(
        QTest::qWaitFor([this] { return Property(Id(), "_NET_WM_STATE").isEmpty(); }, WAIT_MS));
    Show();
    EXPECT_TRUE(StatesHold());
    // The window manager may drop a state after it was written (a hide and a show in quick
    // succession race with it); here it is told to. Its change of the property is followed
    // by the one that puts the state back.
    xcb_connection_t* watcher = xcb_connect(session->Display().constData(), nullptr);
    const std::uint32_t propertyChanges = XCB_EVENT_MASK_PROPERTY_CHANGE;
    xcb_change_window_attributes(watcher, xcb_window_t(Id()), XCB_CW_EVENT_MASK, &propertyChanges);
    const xcb_atom_t netWmState = x11::Atom(watcher, "_NET_WM_STATE");
    xcb_client_message_event_t remove{};
    remove.response_type = XCB_CLIENT_MESSAGE;
    remove.format = 32;
    remove.window = xcb_window_t(Id());
    remove.type = netWmState;
    remove.data.data32[1] = x11::Atom(watcher, "_NET_WM_STATE_SKIP_TASKBAR");
    xcb_send_event(watcher, 0, x11::RootOf(watcher, remove.window),
                   XCB_EVENT_MASK_SUBSTRUCTURE_REDIRECT, reinterpret_cast<const char*>(&remove));
    xcb_flush(watcher);
    int changes = 0;
    EXPECT_TRUE(QTest::qWaitFor(
        [&] {
            while (const x11::Reply<xcb_generic_event_t> event{xcb_poll_for_event(watcher)}) {
                const auto* change = reinterpret_cast<xcb_property_notify_event_t*>(event.get());
                changes += (event->response_type & 0x7f) == XCB_PROPERTY_NOTIFY &&
                           change->atom == netWmState;
            }
            return changes >= 2;
        },
        WAIT_MS));
    xcb_disconnect(watcher);
    EXPECT_TRUE(StatesHold());
    EXPECT_TRUE(BorderShown()) << "no compositing manager runs";
    EXPECT_EQ(Shadow(), nullptr);
    EXPECT_EQ(Property(Id(), "WM_CLASS").value(0), QByteArray("\"moonleaf\""));
}

TEST_F(OpenboxPanel, ShowingOrMovingThePanelLeavesTheFocusWhereItIs) {
    // A user time of 0 tells the window manager not to focus a window it maps; Qt keeps it
    // on the window _NET_WM_USER_TIME_WINDOW names where the manager supports that.
    Show();
    const QByteArrayList timeWindow = Property(Id(), "_NET_WM_USER_TIME_WINDOW");
    const WId timeId = timeWindow.isEmpty() ? Id() : timeWindow.front().toULongLong(nullptr, 16);
    EXPECT_EQ(Property(timeId, "_NET_WM_USER_TIME"), QByteArrayList{"0"});
    Hide();

    QWidget typing;
    auto* text = new QLineEdit(&typing);
    typing.setGeometry(100, 500, 300, 60);
    typing.show();
    text->setFocus();
    ASSERT_TRUE(QTest::qWaitFor([&typing] { return IsActive(typing.winId()); }, WAIT_MS));
    ShowManaged(); // once listed, the window manager has decided about its focus
    EXPECT_TRUE(IsActive(typing.winId()));
    for (int top = 0; top >= -400; top -= 100) {
        panel_->move(panel_->x(), top);
    }
    QTest::qWait(0);
    EXPECT_TRUE(IsActive(typing.winId()));
    EXPECT_TRUE(text->hasFocus());

    // The same check sees a window that does take the focus.
    QWidget taker;
    taker.setGeometry(600, 600, 100, 60);
    taker.show();
    EXPECT_TRUE(QTest::qWaitFor([&taker] { return IsActive(taker.winId()); }, WAIT_MS));
}

TEST_F(OpenboxPanel, AClickOnTheTextBoxFocusesIt) {
    ShowManaged();
    const QPoint target = box_->mapToGlobal(box_->rect().center());
    ASSERT_TRUE(
        session->Run(QStringLiteral("xdotool"),
                     {QStringLiteral("mousemove"), QString::number(target.x()),
                      QString::number(target.y()), QStringLiteral("click"), QStringLiteral("1")}));
    EXPECT_TRUE(QTest::qWaitFor([this] { return box_->hasFocus(); }, WAIT_MS));
    EXPECT_TRUE(QTest::qWaitFor([this] { return IsActive(Id()); }, WAIT_MS));
}

TEST_F(OpenboxPanel, ThePanelSlidesAllTheWayAboveTheTopOfTheScreen) {
    // openbox keeps a tenth of an ordinary window on the screen when the program moves it;
    // a dock may go anywhere.
    ShowManaged();
    for (int top = -100; top >= -PANEL_SIZE.height(); top -= 80) {
        panel_->move(panel_->x(), top);
        EXPECT_TRUE(QTest::qWaitFor([&] { return OnScreen(Id()).y() == top; }, WAIT_MS))
            << "top " << top << ": at " << OnScreen(Id()).y();
    }
}

// xcompmgr without a window manager: the shadow window is a plain sibling of the panel.
using CompositedPanel = X11Panel;

TEST_F(CompositedPanel, TheShadowWindowLiesBelowThePanelAndFollowsIt) {
    Show();
    QWidget* shadow = Shadow();
    ASSERT_NE(shadow, nullptr);
    EXPECT_FALSE(BorderShown());
    EXPECT_TRUE(HasStates(shadow->winId(), PANEL_STATES));
    EXPECT_EQ(Property(shadow->winId(), "_NET_WM_WINDOW_TYPE"),
              QByteArrayList{"_NET_WM_WINDOW_TYPE_DOCK"});
    xcb_connection_t* connection = x11::QtConnection();
    const auto stackIndex = [connection](WId id) {
        const x11::Reply<xcb_query_tree_reply_t> tree(xcb_query_tree_reply(
            connection, xcb_query_tree(connection, x11::RootOf(connection, xcb_window_t(id))),
            nullptr));
        const xcb_window_t* children = xcb_query_tree_children(tree.get());
        return std::find(children, children + xcb_query_tree_children_length(tree.get()), id) -
               children;
    };
    EXPECT_TRUE(
        QTest::qWaitFor([&] { return stackIndex(shadow->winId()) < stackIndex(Id()); }, WAIT_MS));
    for (int top = 0; top >= -PANEL_SIZE.height(); top -= 60) {
        panel_->move(panel_->x(), top);
        const QPoint wanted = ShadowWindow::GeometryFor(panel_->geometry()).topLeft();
        ASSERT_TRUE(QTest::qWaitFor([&] { return OnScreen(shadow->winId()) == wanted; }, WAIT_MS))
            << "top " << top;
    }
    Hide();
    EXPECT_FALSE(shadow->isVisible());
}

using OpenboxCompositedPanel = X11Panel;

TEST_F(OpenboxCompositedPanel, TheShadowWindowIsStackedJustBelowThePanelAndFollowsIt) {
    ShowManaged();
    QWidget* shadow = Shadow();
    ASSERT_NE(shadow, nullptr);
    EXPECT_TRUE(QTest::qWaitFor(
        [&] {
            const QByteArrayList stacking = Property(0, "_NET_CLIENT_LIST_STACKING");
            const qsizetype panelAt = stacking.indexOf(HexId(Id()));
            return panelAt > 0 && stacking.at(panelAt - 1) == HexId(shadow->winId());
        },
        WAIT_MS))
        << Property(0, "_NET_CLIENT_LIST_STACKING").join(' ').toStdString();
    EXPECT_TRUE(
        QTest::qWaitFor([shadow] { return HasStates(shadow->winId(), PANEL_STATES); }, WAIT_MS));
    EXPECT_FALSE(IsActive(shadow->winId()));
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
    const std::map<QByteArray, std::string> suites{
        {"bare", "BarePanel"},
        {"openbox", "OpenboxPanel"},
        {"composited", "CompositedPanel"},
        {"openbox-composited", "OpenboxCompositedPanel"}};
    if (suites.count(name) == 0) {
        std::fprintf(stderr, "unknown session %s\n", name.constData());
        return 2;
    }
    if (GTEST_FLAG_GET(filter) == "*") {
        GTEST_FLAG_SET(filter, suites.at(name) + ".*");
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
