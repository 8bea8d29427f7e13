#include "platform/wayland/data_control_selection.h"

#include "wlr-data-control-unstable-v1-client-protocol.h"

#include <wayland-client.h>

#include <fcntl.h>
#include <poll.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <algorithm>
#include <map>

namespace qx::platform::wayland {

namespace {

class Pipe {
public:
    Pipe()
    {
        if (pipe2(m_fds, O_CLOEXEC) != 0) m_fds[0] = m_fds[1] = -1;
    }
    ~Pipe()
    {
        CloseWriter();
        if (m_fds[0] >= 0) close(m_fds[0]);
    }
    Pipe(const Pipe&) = delete;
    Pipe& operator=(const Pipe&) = delete;

    bool IsOpen() const { return m_fds[0] >= 0; }
    int Reader() const { return m_fds[0]; }
    int Writer() const { return m_fds[1]; }
    void CloseWriter()
    {
        if (m_fds[1] >= 0) close(m_fds[1]);
        m_fds[1] = -1;
    }

private:
    int m_fds[2];
};

// Everything until the writer closes, or nothing when it takes longer than
// `patience` between two reads.
std::optional<std::vector<std::uint8_t>> ReadAll(int fd, std::chrono::milliseconds patience)
{
    std::vector<std::uint8_t> data;
    std::uint8_t chunk[65536];
    for (;;) {
        pollfd waiting{fd, POLLIN, 0};
        const int ready = poll(&waiting, 1, static_cast<int>(patience.count()));
        if (ready < 0 && errno == EINTR) continue;
        if (ready <= 0) return std::nullopt;
        const ssize_t got = read(fd, chunk, sizeof chunk);
        if (got < 0 && errno == EINTR) continue;
        if (got < 0) return std::nullopt;
        if (got == 0) return data;
        data.insert(data.end(), chunk, chunk + got);
    }
}

} // namespace

struct DataControlSelection::State {
    std::function<void()> onChange;
    wl_registry* registry = nullptr;
    wl_seat* seat = nullptr;
    zwlr_data_control_manager_v1* manager = nullptr;
    zwlr_data_control_device_v1* device = nullptr;
    // Offers announced and not yet destroyed, with their MIME types.
    std::map<zwlr_data_control_offer_v1*, std::vector<std::string>> offers;
    zwlr_data_control_offer_v1* selection = nullptr;
    zwlr_data_control_offer_v1* primary = nullptr;

    void Forget(zwlr_data_control_offer_v1* offer)
    {
        if (offer == nullptr || offer == selection || offer == primary) return;
        offers.erase(offer);
        zwlr_data_control_offer_v1_destroy(offer);
    }

    ~State()
    {
        for (const auto& [offer, types] : offers) zwlr_data_control_offer_v1_destroy(offer);
        if (device != nullptr) zwlr_data_control_device_v1_destroy(device);
        if (manager != nullptr) zwlr_data_control_manager_v1_destroy(manager);
        if (seat != nullptr) wl_seat_destroy(seat);
        if (registry != nullptr) wl_registry_destroy(registry);
    }
};

namespace {

using State = DataControlSelection::State;

void OnOfferedType(void* data, zwlr_data_control_offer_v1* offer, const char* mimeType)
{
    static_cast<State*>(data)->offers[offer].push_back(mimeType);
}

const zwlr_data_control_offer_v1_listener kOfferListener{OnOfferedType};

void OnDataOffer(void* data, zwlr_data_control_device_v1*, zwlr_data_control_offer_v1* offer)
{
    auto* state = static_cast<State*>(data);
    state->offers[offer];
    zwlr_data_control_offer_v1_add_listener(offer, &kOfferListener, state);
}

void OnPrimarySelection(void* data, zwlr_data_control_device_v1*, zwlr_data_control_offer_v1* offer)
{
    // Only the clipboard counts; the primary selection's offers are let go.
    auto* state = static_cast<State*>(data);
    zwlr_data_control_offer_v1* previous = state->primary;
    state->primary = nullptr;
    state->Forget(previous);
    state->Forget(offer);
}

void OnFinished(void* data, zwlr_data_control_device_v1*)
{
    auto* state = static_cast<State*>(data);
    zwlr_data_control_device_v1_destroy(state->device);
    state->device = nullptr;
}

void OnSelection(void* data, zwlr_data_control_device_v1*, zwlr_data_control_offer_v1* offer)
{
    auto* state = static_cast<State*>(data);
    zwlr_data_control_offer_v1* previous = state->selection;
    state->selection = offer;
    state->Forget(previous);
    if (state->onChange) state->onChange();
}

const zwlr_data_control_device_v1_listener kDeviceListener{OnDataOffer, OnSelection, OnFinished,
                                                           OnPrimarySelection};

void OnGlobal(void* data, wl_registry* registry, std::uint32_t name, const char* interface, std::uint32_t version)
{
    auto* state = static_cast<State*>(data);
    if (state->seat == nullptr && std::strcmp(interface, wl_seat_interface.name) == 0) {
        state->seat = static_cast<wl_seat*>(wl_registry_bind(registry, name, &wl_seat_interface, 1));
    } else if (std::strcmp(interface, zwlr_data_control_manager_v1_interface.name) == 0) {
        state->manager = static_cast<zwlr_data_control_manager_v1*>(wl_registry_bind(
            registry, name, &zwlr_data_control_manager_v1_interface, std::min<std::uint32_t>(version, 2)));
    }
}

void OnGlobalRemove(void*, wl_registry*, std::uint32_t) {}

const wl_registry_listener kRegistryListener{OnGlobal, OnGlobalRemove};

} // namespace

DataControlSelection::DataControlSelection(DisplayConnection display)
    : m_display(std::move(display))
    , m_state(std::make_unique<State>())
{
}

void DataControlSelection::OnChange(std::function<void()> onChange)
{
    m_state->onChange = std::move(onChange);
}

DataControlSelection::~DataControlSelection() = default;

std::unique_ptr<DataControlSelection> DataControlSelection::Open()
{
    DisplayConnection display = Connect();
    if (!display) return nullptr;
    std::unique_ptr<DataControlSelection> selection(new DataControlSelection(std::move(display)));
    State& state = *selection->m_state;
    wl_display* connection = selection->m_display.get();
    state.registry = wl_display_get_registry(connection);
    wl_registry_add_listener(state.registry, &kRegistryListener, &state);
    if (wl_display_roundtrip(connection) < 0 || state.manager == nullptr || state.seat == nullptr) return nullptr;
    state.device = zwlr_data_control_manager_v1_get_data_device(state.manager, state.seat);
    zwlr_data_control_device_v1_add_listener(state.device, &kDeviceListener, &state);
    wl_display_flush(connection);
    return selection;
}

int DataControlSelection::Fd() const
{
    return wl_display_get_fd(m_display.get());
}

bool DataControlSelection::Dispatch()
{
    const bool alive = wl_display_dispatch(m_display.get()) >= 0;
    wl_display_flush(m_display.get());
    return alive;
}

std::vector<std::string> DataControlSelection::MimeTypes() const
{
    if (m_state->selection == nullptr) return {};
    const auto found = m_state->offers.find(m_state->selection);
    return found == m_state->offers.end() ? std::vector<std::string>{} : found->second;
}

std::optional<std::vector<std::uint8_t>> DataControlSelection::Receive(const std::string& mimeType,
                                                                       std::chrono::milliseconds patience) const
{
    if (m_state->selection == nullptr) return std::nullopt;
    Pipe pipe;
    if (!pipe.IsOpen()) return std::nullopt;
    zwlr_data_control_offer_v1_receive(m_state->selection, mimeType.c_str(), pipe.Writer());
    wl_display_flush(m_display.get());
    pipe.CloseWriter();
    return ReadAll(pipe.Reader(), patience);
}

} // namespace qx::platform::wayland
