// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/x11/X11GlobalKeys.h"

#include "platform/x11/Xcb.h"

#include <QSocketNotifier>

#include <xcb/xinput.h>

#include <utility>

namespace moonleaf {
namespace {

// XInput 2.2: raw events arrive even while another client grabs the keyboard.
constexpr std::uint16_t XI_MAJOR_WANTED = 2;
constexpr std::uint16_t XI_MINOR_WANTED = 2;

// The event mask of one device selection, as the XISelectEvents request carries it.
struct RawKeyMask {
    xcb_input_event_mask_t head;
    std::uint32_t mask;
};

} // namespace

X11GlobalKeys::X11GlobalKeys(QByteArray display, QObject* parent)
    : GlobalKeys(parent), display_(std::move(display)) {}

X11GlobalKeys::~X11GlobalKeys() {
    Stop();
}

bool X11GlobalKeys::Start() {
    if (connection_ != nullptr) {
        return true;
    }
    int screenNumber = 0;
    connection_ = xcb_connect(display_.isEmpty() ? nullptr : display_.constData(), &screenNumber);
    if (xcb_connection_has_error(connection_) != 0) {
        Stop();
        return false;
    }
    const xcb_query_extension_reply_t* xinput = xcb_get_extension_data(connection_, &xcb_input_id);
    if (xinput == nullptr || xinput->present == 0) {
        Stop();
        return false;
    }
    xinputOpcode_ = xinput->major_opcode;
    const x11::Reply<xcb_input_xi_query_version_reply_t> version(xcb_input_xi_query_version_reply(
        connection_, xcb_input_xi_query_version(connection_, XI_MAJOR_WANTED, XI_MINOR_WANTED),
        nullptr));
    if (!version || version->major_version < 2) {
        Stop();
        return false;
    }

    xcb_screen_iterator_t screen = xcb_setup_roots_iterator(xcb_get_setup(connection_));
    for (int i = 0; i < screenNumber && screen.rem > 0; ++i) {
        xcb_screen_next(&screen);
    }
    // Raw key presses and releases of every keyboard, and a device change (another
    // keyboard, another layout) that may move the keys to other key codes.
    RawKeyMask mask{};
    mask.head.deviceid = XCB_INPUT_DEVICE_ALL_MASTER;
    mask.head.mask_len = 1;
    mask.mask = XCB_INPUT_XI_EVENT_MASK_RAW_KEY_PRESS | XCB_INPUT_XI_EVENT_MASK_RAW_KEY_RELEASE |
                XCB_INPUT_XI_EVENT_MASK_DEVICE_CHANGED;
    const x11::Reply<xcb_generic_error_t> error(xcb_request_check(
        connection_,
        xcb_input_xi_select_events_checked(connection_, screen.data->root, 1, &mask.head)));
    if (error || !ReadMapping()) {
        Stop();
        return false;
    }

    notifier_ = std::make_unique<QSocketNotifier>(xcb_get_file_descriptor(connection_),
                                                  QSocketNotifier::Read);
    connect(notifier_.get(), &QSocketNotifier::activated, this, [this] { ReadEvents(); });
    // Events that arrived with the replies above already wait in xcb's queue.
    ReadEvents();
    return true;
}

bool X11GlobalKeys::KeyState(GlobalKey key) {
    return state_.Query(key);
}

bool X11GlobalKeys::ReadMapping() {
    const xcb_setup_t* setup = xcb_get_setup(connection_);
    const auto count = static_cast<std::uint8_t>(setup->max_keycode - setup->min_keycode + 1);
    const x11::Reply<xcb_get_keyboard_mapping_reply_t> mapping(xcb_get_keyboard_mapping_reply(
        connection_, xcb_get_keyboard_mapping(connection_, setup->min_keycode, count), nullptr));
    if (!mapping) {
        return false;
    }
    const xcb_keysym_t* keysyms = xcb_get_keyboard_mapping_keysyms(mapping.get());
    const int length = xcb_get_keyboard_mapping_keysyms_length(mapping.get());
    state_.SetMapping(setup->min_keycode, mapping->keysyms_per_keycode,
                      std::span<const std::uint32_t>(keysyms, static_cast<std::size_t>(length)));
    return true;
}

void X11GlobalKeys::ReadEvents() {
    while (connection_ != nullptr) {
        const x11::Reply<xcb_generic_event_t> event(xcb_poll_for_event(connection_));
        if (!event) {
            break;
        }
        const std::uint8_t type = event->response_type & 0x7f;
        if (type == XCB_MAPPING_NOTIFY) {
            const auto* change = reinterpret_cast<const xcb_mapping_notify_event_t*>(event.get());
            if (change->request == XCB_MAPPING_KEYBOARD) {
                ReadMapping();
            }
            continue;
        }
        if (type != XCB_GE_GENERIC) {
            continue;
        }
        const auto* generic = reinterpret_cast<const xcb_ge_generic_event_t*>(event.get());
        if (generic->extension != xinputOpcode_) {
            continue;
        }
        const auto* raw = reinterpret_cast<const xcb_input_raw_key_press_event_t*>(event.get());
        switch (generic->event_type) {
        case XCB_INPUT_RAW_KEY_PRESS:
            if (state_.Press(raw->detail)) {
                emit KeyActivity();
            }
            break;
        case XCB_INPUT_RAW_KEY_RELEASE:
            state_.Release(raw->detail);
            break;
        case XCB_INPUT_DEVICE_CHANGED:
            ReadMapping();
            break;
        default:
            break;
        }
    }
    if (connection_ != nullptr && xcb_connection_has_error(connection_) != 0) {
        // The display went away: no more keys, and no busy notifier on a dead socket.
        Stop();
    }
}

void X11GlobalKeys::Stop() {
    notifier_.reset();
    if (connection_ != nullptr) {
        xcb_disconnect(connection_);
        connection_ = nullptr;
    }
}

} // namespace moonleaf
