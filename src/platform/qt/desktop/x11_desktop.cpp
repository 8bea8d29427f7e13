#include "platform/qt/desktop/x11_desktop.h"

#include <QApplication>
#include <QGuiApplication>
#include <QtGui/qguiapplication_platform.h>
#include <QScreen>

#include <xcb/xcb.h>

#include <array>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <string_view>

namespace qx::platform {

namespace {

template <typename Reply>
using ReplyPtr = std::unique_ptr<Reply, decltype(&std::free)>;

template <typename Reply>
ReplyPtr<Reply> Owned(Reply* reply)
{
    return ReplyPtr<Reply>(reply, &std::free);
}

xcb_connection_t* Connection()
{
    const auto* x11 = qGuiApp->nativeInterface<QNativeInterface::QX11Application>();
    return x11 == nullptr ? nullptr : x11->connection();
}

xcb_window_t RootWindow(xcb_connection_t* connection)
{
    return xcb_setup_roots_iterator(xcb_get_setup(connection)).data->root;
}

xcb_atom_t Atom(xcb_connection_t* connection, std::string_view name)
{
    const auto reply = Owned(xcb_intern_atom_reply(
        connection, xcb_intern_atom(connection, 0, static_cast<std::uint16_t>(name.size()), name.data()), nullptr));
    return reply ? reply->atom : xcb_atom_t{XCB_ATOM_NONE};
}

// The first `count` 32-bit values of a window property, or nothing.
template <std::size_t N>
std::optional<std::array<std::uint32_t, N>> Property32(xcb_connection_t* connection, xcb_window_t window,
                                                       std::string_view name, xcb_atom_t type)
{
    const xcb_atom_t atom = Atom(connection, name);
    if (atom == XCB_ATOM_NONE) return std::nullopt;
    const auto reply = Owned(xcb_get_property_reply(
        connection, xcb_get_property(connection, 0, window, atom, type, 0, N), nullptr));
    if (!reply || reply->format != 32 || xcb_get_property_value_length(reply.get()) < static_cast<int>(4 * N)) {
        return std::nullopt;
    }
    std::array<std::uint32_t, N> values{};
    std::memcpy(values.data(), xcb_get_property_value(reply.get()), 4 * N);
    return values;
}

// True when a window manager that follows the desktop conventions runs.
bool HasWindowManager(xcb_connection_t* connection)
{
    return Property32<1>(connection, RootWindow(connection), "_NET_SUPPORTING_WM_CHECK", XCB_ATOM_WINDOW)
        .has_value();
}

} // namespace

Size X11Desktop::ScreenSize() const
{
    const QScreen* screen = QGuiApplication::primaryScreen();
    if (screen == nullptr) return Size{};
    const QSize size = screen->geometry().size() * screen->devicePixelRatio();
    return Size{size.width(), size.height()};
}

WindowHandle X11Desktop::ForegroundWindow() const
{
    xcb_connection_t* connection = Connection();
    if (connection == nullptr) return kNoWindow;
    const auto active = Property32<1>(connection, RootWindow(connection), "_NET_ACTIVE_WINDOW", XCB_ATOM_WINDOW);
    return active ? WindowHandle{(*active)[0]} : kNoWindow;
}

bool X11Desktop::IsWindow(WindowHandle window) const
{
    xcb_connection_t* connection = Connection();
    if (connection == nullptr || window == kNoWindow) return false;
    const auto reply = Owned(xcb_get_window_attributes_reply(
        connection, xcb_get_window_attributes(connection, static_cast<xcb_window_t>(window)), nullptr));
    return reply != nullptr;
}

void X11Desktop::SetForegroundWindow(WindowHandle window)
{
    xcb_connection_t* connection = Connection();
    if (connection == nullptr || window == kNoWindow) return;
    if (!HasWindowManager(connection)) {
        xcb_set_input_focus(connection, XCB_INPUT_FOCUS_POINTER_ROOT, static_cast<xcb_window_t>(window),
                            XCB_CURRENT_TIME);
        xcb_flush(connection);
        return;
    }
    // The manager activates the window; source 2 says a pager-like tool
    // asks, which focus-stealing rules let through.
    constexpr std::uint32_t kSourcePager = 2;
    xcb_client_message_event_t message{};
    message.response_type = XCB_CLIENT_MESSAGE;
    message.format = 32;
    message.window = static_cast<xcb_window_t>(window);
    message.type = Atom(connection, "_NET_ACTIVE_WINDOW");
    message.data.data32[0] = kSourcePager;
    message.data.data32[1] = XCB_CURRENT_TIME;
    xcb_send_event(connection, 0, RootWindow(connection),
                   XCB_EVENT_MASK_SUBSTRUCTURE_REDIRECT | XCB_EVENT_MASK_SUBSTRUCTURE_NOTIFY,
                   reinterpret_cast<const char*>(&message));
    xcb_flush(connection);
}

std::optional<Size> X11Desktop::OuterSize(WindowHandle window) const
{
    xcb_connection_t* connection = Connection();
    if (connection == nullptr || window == kNoWindow) return std::nullopt;
    const auto xid = static_cast<xcb_window_t>(window);
    const auto geometry = Owned(xcb_get_geometry_reply(connection, xcb_get_geometry(connection, xid), nullptr));
    if (!geometry) return std::nullopt;
    int width = geometry->width + 2 * geometry->border_width;
    int height = geometry->height + 2 * geometry->border_width;
    // left, right, top, bottom
    if (const auto frame = Property32<4>(connection, xid, "_NET_FRAME_EXTENTS", XCB_ATOM_CARDINAL)) {
        width += static_cast<int>((*frame)[0] + (*frame)[1]);
        height += static_cast<int>((*frame)[2] + (*frame)[3]);
    }
    return Size{width, height};
}

void X11Desktop::PlayAsteriskSound()
{
    QApplication::beep();
}

} // namespace qx::platform
