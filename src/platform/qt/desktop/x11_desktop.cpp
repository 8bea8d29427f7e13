#include "platform/qt/desktop/x11_desktop.h"

#include "platform/wayland/wayland_outputs.h"

#include <QApplication>
#include <QGuiApplication>
#include <QtGui/qguiapplication_platform.h>

#include <xcb/randr.h>
#include <xcb/xcb.h>

#include <algorithm>
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

std::optional<ScreenRect> RootRect(xcb_connection_t* connection)
{
    const auto geometry =
        Owned(xcb_get_geometry_reply(connection, xcb_get_geometry(connection, RootWindow(connection)), nullptr));
    if (!geometry) return std::nullopt;
    return ScreenRect{0, 0, geometry->width, geometry->height};
}

// The active monitors RandR (1.5) knows, the primary one first; nothing
// without RandR.
std::vector<ScreenRect> RandrMonitors(xcb_connection_t* connection)
{
    const xcb_query_extension_reply_t* randr = xcb_get_extension_data(connection, &xcb_randr_id);
    if (randr == nullptr || !randr->present) return {};
    const auto version = Owned(xcb_randr_query_version_reply(connection, xcb_randr_query_version(connection, 1, 5),
                                                             nullptr));
    if (!version || version->major_version < 1 || (version->major_version == 1 && version->minor_version < 5)) {
        return {};
    }
    const auto reply = Owned(xcb_randr_get_monitors_reply(
        connection, xcb_randr_get_monitors(connection, RootWindow(connection), 1), nullptr));
    if (!reply) return {};
    std::vector<ScreenRect> monitors;
    for (auto it = xcb_randr_get_monitors_monitors_iterator(reply.get()); it.rem > 0;
         xcb_randr_monitor_info_next(&it)) {
        const xcb_randr_monitor_info_t& monitor = *it.data;
        const ScreenRect rect{monitor.x, monitor.y, monitor.width, monitor.height};
        if (rect.width <= 0 || rect.height <= 0) continue;
        monitors.insert(monitor.primary ? monitors.begin() : monitors.end(), rect);
    }
    return monitors;
}

void Add(std::vector<ScreenArea>& areas, ScreenArea area)
{
    if (std::ranges::find(areas, area) == areas.end()) areas.push_back(area);
}

// The X monitor XWayland made for `output`: the one at the output's logical
// position (XWayland rounds the logical size), else the one in the same
// place of the list.
std::optional<ScreenRect> MonitorOf(const wayland::Output& output, std::size_t index,
                                    const std::vector<ScreenRect>& monitors, std::size_t outputCount)
{
    const auto placed = std::ranges::find_if(monitors, [&](const ScreenRect& monitor) {
        return monitor.x == output.logical.x && monitor.y == output.logical.y;
    });
    if (placed != monitors.end()) return *placed;
    if (monitors.size() == outputCount) return monitors[index];
    return std::nullopt;
}

// Under XWayland the X screen may be the compositor's logical desktop while
// screenshots are taken from the outputs' physical pixels: each X monitor
// that shows an output also takes that output's physical size, and the
// desktop the outputs' physical bounding box.
void AddPhysicalSizes(std::vector<ScreenArea>& areas, const std::vector<ScreenRect>& monitors,
                      const ScreenRect& root)
{
    const std::vector<wayland::Output> outputs = wayland::ReadOutputs();
    if (outputs.empty()) return;
    for (std::size_t i = 0; i < outputs.size(); ++i) {
        if (const auto monitor = MonitorOf(outputs[i], i, monitors, outputs.size())) {
            Add(areas, ScreenArea{outputs[i].physical, *monitor});
        }
    }
    Add(areas, ScreenArea{wayland::PhysicalBounds(outputs), root});
}

} // namespace

std::vector<ScreenArea> X11Desktop::ScreenAreas() const
{
    xcb_connection_t* connection = Connection();
    if (connection == nullptr) return {};
    const std::optional<ScreenRect> root = RootRect(connection);
    if (!root) return {};
    std::vector<ScreenRect> monitors = RandrMonitors(connection);
    if (monitors.empty()) monitors.push_back(*root);

    std::vector<ScreenArea> areas;
    for (const ScreenRect& monitor : monitors) Add(areas, ScreenArea{Size{monitor.width, monitor.height}, monitor});
    Add(areas, ScreenArea{Size{root->width, root->height}, *root});
    AddPhysicalSizes(areas, monitors, *root);
    return areas;
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
