#include "platform/wayland/wayland_outputs.h"

#include "platform/wayland/wayland_connection.h"

#include "xdg-output-unstable-v1-client-protocol.h"

#include <wayland-client.h>

#include <algorithm>
#include <cmath>
#include <cstring>
#include <memory>

namespace qx::platform::wayland {

namespace {

struct OutputState {
    Output output;
    wl_output* handle = nullptr;
    zxdg_output_v1* xdg = nullptr;
    std::int32_t transform = WL_OUTPUT_TRANSFORM_NORMAL;
    std::int32_t scale = 1;
    ScreenRect placed; // from wl_output alone, for compositors without xdg-output
    bool hasLogical = false;

    ~OutputState()
    {
        if (xdg != nullptr) zxdg_output_v1_destroy(xdg);
        if (handle != nullptr) wl_output_destroy(handle);
    }
};

struct Registry {
    std::vector<std::unique_ptr<OutputState>> outputs;
    zxdg_output_manager_v1* manager = nullptr;

    ~Registry()
    {
        outputs.clear();
        if (manager != nullptr) zxdg_output_manager_v1_destroy(manager);
    }
};

void OnGeometry(void* data, wl_output*, std::int32_t x, std::int32_t y, std::int32_t, std::int32_t, std::int32_t,
                const char*, const char*, std::int32_t transform)
{
    auto* state = static_cast<OutputState*>(data);
    state->placed.x = x;
    state->placed.y = y;
    state->transform = transform;
}

void OnMode(void* data, wl_output*, std::uint32_t flags, std::int32_t width, std::int32_t height, std::int32_t)
{
    if ((flags & WL_OUTPUT_MODE_CURRENT) == 0) return;
    static_cast<OutputState*>(data)->output.physical = Size{width, height};
}

void OnDone(void*, wl_output*) {}

void OnScale(void* data, wl_output*, std::int32_t factor)
{
    static_cast<OutputState*>(data)->scale = std::max(factor, 1);
}

void OnOutputText(void*, wl_output*, const char*) {}

const wl_output_listener kOutputListener{OnGeometry, OnMode, OnDone, OnScale, OnOutputText, OnOutputText};

void OnLogicalPosition(void* data, zxdg_output_v1*, std::int32_t x, std::int32_t y)
{
    auto* state = static_cast<OutputState*>(data);
    state->output.logical.x = x;
    state->output.logical.y = y;
    state->hasLogical = true;
}

void OnLogicalSize(void* data, zxdg_output_v1*, std::int32_t width, std::int32_t height)
{
    auto* state = static_cast<OutputState*>(data);
    state->output.logical.width = width;
    state->output.logical.height = height;
    state->hasLogical = true;
}

void OnXdgDone(void*, zxdg_output_v1*) {}

void OnName(void* data, zxdg_output_v1*, const char* name)
{
    static_cast<OutputState*>(data)->output.name = name;
}

void OnDescription(void*, zxdg_output_v1*, const char*) {}

const zxdg_output_v1_listener kXdgOutputListener{OnLogicalPosition, OnLogicalSize, OnXdgDone, OnName,
                                                 OnDescription};

void OnGlobal(void* data, wl_registry* registry, std::uint32_t name, const char* interface, std::uint32_t version)
{
    auto* found = static_cast<Registry*>(data);
    if (std::strcmp(interface, wl_output_interface.name) == 0) {
        auto state = std::make_unique<OutputState>();
        state->handle = static_cast<wl_output*>(
            wl_registry_bind(registry, name, &wl_output_interface, std::min<std::uint32_t>(version, 2)));
        wl_output_add_listener(state->handle, &kOutputListener, state.get());
        found->outputs.push_back(std::move(state));
    } else if (std::strcmp(interface, zxdg_output_manager_v1_interface.name) == 0) {
        found->manager = static_cast<zxdg_output_manager_v1*>(
            wl_registry_bind(registry, name, &zxdg_output_manager_v1_interface, std::min<std::uint32_t>(version, 2)));
    }
}

void OnGlobalRemove(void*, wl_registry*, std::uint32_t) {}

const wl_registry_listener kRegistryListener{OnGlobal, OnGlobalRemove};

// The output's logical size from wl_output alone: its mode divided by its
// integer scale.
ScreenRect PlacedWithoutXdg(const OutputState& state)
{
    ScreenRect placed = state.placed;
    placed.width = state.output.physical.width / state.scale;
    placed.height = state.output.physical.height / state.scale;
    return placed;
}

} // namespace

std::vector<Output> ReadOutputs()
{
    const DisplayConnection display = Connect();
    if (!display) return {};
    Registry found;
    wl_registry* registry = wl_display_get_registry(display.get());
    wl_registry_add_listener(registry, &kRegistryListener, &found);
    bool reached = wl_display_roundtrip(display.get()) >= 0;
    if (reached && found.manager != nullptr) {
        for (const auto& state : found.outputs) {
            state->xdg = zxdg_output_manager_v1_get_xdg_output(found.manager, state->handle);
            zxdg_output_v1_add_listener(state->xdg, &kXdgOutputListener, state.get());
        }
    }
    reached = reached && wl_display_roundtrip(display.get()) >= 0;
    wl_registry_destroy(registry);
    if (!reached) return {};

    std::vector<Output> outputs;
    for (const auto& state : found.outputs) {
        Output output = state->output;
        // Odd transforms turn the output by 90 or 270 degrees.
        if ((state->transform & 1) != 0) std::swap(output.physical.width, output.physical.height);
        if (!state->hasLogical) output.logical = PlacedWithoutXdg(*state);
        if (output.physical.width > 0 && output.physical.height > 0 && output.logical.width > 0) {
            outputs.push_back(std::move(output));
        }
    }
    return outputs;
}

Size PhysicalBounds(const std::vector<Output>& outputs)
{
    if (outputs.empty()) return Size{};
    long left = 0;
    long top = 0;
    long right = 0;
    long bottom = 0;
    bool first = true;
    for (const Output& output : outputs) {
        const double factor = static_cast<double>(output.physical.width) / output.logical.width;
        const long x = std::lround(output.logical.x * factor);
        const long y = std::lround(output.logical.y * factor);
        left = first ? x : std::min(left, x);
        top = first ? y : std::min(top, y);
        right = first ? x + output.physical.width : std::max(right, x + output.physical.width);
        bottom = first ? y + output.physical.height : std::max(bottom, y + output.physical.height);
        first = false;
    }
    return Size{static_cast<int>(right - left), static_cast<int>(bottom - top)};
}

} // namespace qx::platform::wayland
