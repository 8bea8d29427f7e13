// A status area for the end-to-end tests: owns the system tray selection of
// the default screen (_NET_SYSTEM_TRAY_S<n>), as a desktop's panel does,
// docks every icon that asks in a row at the top right of the screen
// (XEmbed), and prints "ready" once it owns the selection and
// "docked <window id>" for each icon, so a test can find them. Runs until
// it is ended.

#include <xcb/xcb.h>

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <string>

namespace {

constexpr int kIconSize = 24;
constexpr int kTrayWidth = 200;
constexpr std::uint32_t kRequestDock = 0;
constexpr std::uint32_t kEmbeddedNotify = 0;
constexpr std::uint32_t kXEmbedVersion = 0;

xcb_atom_t Atom(xcb_connection_t* connection, const std::string& name)
{
    const xcb_intern_atom_cookie_t cookie =
        xcb_intern_atom(connection, 0, static_cast<std::uint16_t>(name.size()), name.c_str());
    const std::unique_ptr<xcb_intern_atom_reply_t, decltype(&std::free)> reply(
        xcb_intern_atom_reply(connection, cookie, nullptr), &std::free);
    return reply ? reply->atom : static_cast<xcb_atom_t>(XCB_ATOM_NONE);
}

void SendClientMessage(xcb_connection_t* connection, xcb_window_t to, xcb_window_t about, xcb_atom_t type,
                       std::uint32_t mask, const std::uint32_t (&data)[5])
{
    xcb_client_message_event_t event{};
    event.response_type = XCB_CLIENT_MESSAGE;
    event.format = 32;
    event.window = about;
    event.type = type;
    std::memcpy(event.data.data32, data, sizeof data);
    xcb_send_event(connection, 0, to, mask, reinterpret_cast<const char*>(&event));
}

} // namespace

int main()
{
    int screenNumber = 0;
    xcb_connection_t* connection = xcb_connect(nullptr, &screenNumber);
    if (xcb_connection_has_error(connection) != 0) {
        std::fprintf(stderr, "tray_host: no X display\n");
        return 1;
    }
    xcb_screen_iterator_t screens = xcb_setup_roots_iterator(xcb_get_setup(connection));
    for (int i = 0; i < screenNumber; ++i) xcb_screen_next(&screens);
    const xcb_screen_t& screen = *screens.data;

    const xcb_atom_t selection = Atom(connection, "_NET_SYSTEM_TRAY_S" + std::to_string(screenNumber));
    const xcb_atom_t opcode = Atom(connection, "_NET_SYSTEM_TRAY_OPCODE");
    const xcb_atom_t manager = Atom(connection, "MANAGER");
    const xcb_atom_t orientation = Atom(connection, "_NET_SYSTEM_TRAY_ORIENTATION");
    const xcb_atom_t xembed = Atom(connection, "_XEMBED");

    const xcb_window_t tray = xcb_generate_id(connection);
    const std::uint32_t values[] = {screen.white_pixel, 1,
                                    XCB_EVENT_MASK_STRUCTURE_NOTIFY | XCB_EVENT_MASK_SUBSTRUCTURE_NOTIFY};
    xcb_create_window(connection, XCB_COPY_FROM_PARENT, tray, screen.root,
                      static_cast<std::int16_t>(screen.width_in_pixels - kTrayWidth), 0, kTrayWidth, kIconSize + 8,
                      0, XCB_WINDOW_CLASS_INPUT_OUTPUT, screen.root_visual,
                      XCB_CW_BACK_PIXEL | XCB_CW_OVERRIDE_REDIRECT | XCB_CW_EVENT_MASK, values);
    const std::uint32_t horizontal = 0;
    xcb_change_property(connection, XCB_PROP_MODE_REPLACE, tray, orientation, XCB_ATOM_CARDINAL, 32, 1, &horizontal);
    xcb_map_window(connection, tray);
    xcb_set_selection_owner(connection, tray, selection, XCB_CURRENT_TIME);
    SendClientMessage(connection, screen.root, screen.root, manager, XCB_EVENT_MASK_STRUCTURE_NOTIFY,
                      {XCB_CURRENT_TIME, selection, tray, 0, 0});
    xcb_flush(connection);
    std::printf("ready\n");
    std::fflush(stdout);

    int nextX = 4;
    while (xcb_generic_event_t* raw = xcb_wait_for_event(connection)) {
        const std::unique_ptr<xcb_generic_event_t, decltype(&std::free)> event(raw, &std::free);
        if ((event->response_type & 0x7F) != XCB_CLIENT_MESSAGE) continue;
        const auto* message = reinterpret_cast<const xcb_client_message_event_t*>(event.get());
        if (message->type != opcode || message->data.data32[1] != kRequestDock) continue;
        const xcb_window_t icon = message->data.data32[2];
        xcb_reparent_window(connection, icon, tray, static_cast<std::int16_t>(nextX), 4);
        const std::uint32_t size[] = {kIconSize, kIconSize};
        xcb_configure_window(connection, icon, XCB_CONFIG_WINDOW_WIDTH | XCB_CONFIG_WINDOW_HEIGHT, size);
        xcb_map_window(connection, icon);
        SendClientMessage(connection, icon, icon, xembed, XCB_EVENT_MASK_NO_EVENT,
                          {XCB_CURRENT_TIME, kEmbeddedNotify, 0, tray, kXEmbedVersion});
        xcb_flush(connection);
        nextX += kIconSize + 4;
        std::printf("docked 0x%x\n", icon);
        std::fflush(stdout);
    }
    xcb_disconnect(connection);
    return 0;
}
