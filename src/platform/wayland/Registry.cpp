#include "platform/wayland/Registry.h"

#include <algorithm>
#include <cstring>
#include <wayland-client.h>

#include "platform/wayland/LayerShell.h"
#include "wlr-screencopy-unstable-v1-client-protocol.h"
#include "wlr-virtual-pointer-unstable-v1-client-protocol.h"
#include "xdg-output-unstable-v1-client-protocol.h"

namespace {

// wl_output and zxdg_output_v1: only what they describe is kept.
void OutputGeometry(void* data, wl_output*, std::int32_t, std::int32_t, std::int32_t, std::int32_t, std::int32_t,
                    const char*, const char*, std::int32_t transform)
{
    static_cast<WaylandOutput*>(data)->transform = transform;
}
void OutputMode(void* data, wl_output*, std::uint32_t flags, std::int32_t width, std::int32_t height, std::int32_t)
{
    if (flags & WL_OUTPUT_MODE_CURRENT) {
        static_cast<WaylandOutput*>(data)->modeWidth = width;
        static_cast<WaylandOutput*>(data)->modeHeight = height;
    }
}
void OutputScale(void* data, wl_output*, std::int32_t factor)
{
    static_cast<WaylandOutput*>(data)->scale = std::max(factor, 1);
}
void OutputDone(void*, wl_output*) {}
void LogicalPosition(void* data, zxdg_output_v1*, std::int32_t x, std::int32_t y)
{
    static_cast<WaylandOutput*>(data)->logical.x = x;
    static_cast<WaylandOutput*>(data)->logical.y = y;
}
void LogicalSize(void* data, zxdg_output_v1*, std::int32_t width, std::int32_t height)
{
    static_cast<WaylandOutput*>(data)->logical.width = width;
    static_cast<WaylandOutput*>(data)->logical.height = height;
}
void XdgDone(void*, zxdg_output_v1*) {}
void XdgText(void*, zxdg_output_v1*, const char*) {}

void SeatCapabilities(void* data, wl_seat*, std::uint32_t capabilities)
{
    static_cast<WaylandRegistry*>(data)->seatCapabilities = capabilities;
}
void SeatName(void*, wl_seat*, const char*) {}

constexpr wl_output_listener kOutputListener = {OutputGeometry, OutputMode, OutputDone, OutputScale, nullptr, nullptr};
constexpr zxdg_output_v1_listener kXdgOutputListener = {LogicalPosition, LogicalSize, XdgDone, XdgText, XdgText};
constexpr wl_seat_listener kSeatListener = {SeatCapabilities, SeatName};

template <class T> T* Bind(wl_registry* registry, std::uint32_t name, const wl_interface& interface,
                           std::uint32_t version)
{
    return static_cast<T*>(wl_registry_bind(registry, name, &interface, version));
}

} // namespace

WaylandOutput::~WaylandOutput()
{
    if (xdgOutput)
        zxdg_output_v1_destroy(xdgOutput);
    if (output)
        wl_output_destroy(output);
}

ScreenArea WaylandOutput::area() const
{
    if (logical.Empty())
        return {};
    // Rotated outputs have their mode's width upright.
    int width = transform % 2 ? modeHeight : modeWidth;
    int height = transform % 2 ? modeWidth : modeHeight;
    if (width <= 0 || height <= 0) {
        width = logical.width * scale;
        height = logical.height * scale;
    }
    return {logical, double(width) / logical.width, {0, 0, width, height}};
}

WaylandRegistry::WaylandRegistry(wl_display* display) : registry_(wl_display_get_registry(display))
{
    static constexpr wl_registry_listener kListener = {global, globalRemove};
    wl_registry_add_listener(registry_, &kListener, this);
}

WaylandRegistry::~WaylandRegistry()
{
    outputs.clear();
    // Version 1 of the layer shell has no destroy request.
    if (layerShell)
        wl_proxy_destroy(reinterpret_cast<wl_proxy*>(layerShell));
    if (compositor)
        wl_compositor_destroy(compositor);
    if (pointerManager)
        zwlr_virtual_pointer_manager_v1_destroy(pointerManager);
    if (seat)
        wl_seat_destroy(seat);
    if (outputManager)
        zxdg_output_manager_v1_destroy(outputManager);
    if (screencopy)
        zwlr_screencopy_manager_v1_destroy(screencopy);
    if (shm)
        wl_shm_destroy(shm);
    if (registry_)
        wl_registry_destroy(registry_);
}

std::vector<ScreenArea> WaylandRegistry::screens() const
{
    std::vector<ScreenArea> areas;
    for (const auto& o : outputs)
        areas.push_back(o->area());
    return areas;
}

void WaylandRegistry::global(void* data, wl_registry* registry, std::uint32_t name, const char* interface,
                             std::uint32_t version)
{
    auto* r = static_cast<WaylandRegistry*>(data);
    const auto is = [interface](const wl_interface& i) { return !std::strcmp(interface, i.name); };
    if (is(wl_shm_interface) && !r->shm) {
        r->shm = Bind<wl_shm>(registry, name, wl_shm_interface, 1);
    } else if (is(zwlr_screencopy_manager_v1_interface) && !r->screencopy) {
        r->screencopyVersion = std::min(version, 3u);
        r->screencopy = Bind<zwlr_screencopy_manager_v1>(registry, name, zwlr_screencopy_manager_v1_interface,
                                                         r->screencopyVersion);
    } else if (is(zxdg_output_manager_v1_interface) && !r->outputManager) {
        r->outputManager =
            Bind<zxdg_output_manager_v1>(registry, name, zxdg_output_manager_v1_interface, std::min(version, 2u));
        for (auto& o : r->outputs)
            r->watch(*o);
    } else if (is(wl_seat_interface) && !r->seat) {
        r->seat = Bind<wl_seat>(registry, name, wl_seat_interface, 1);
        wl_seat_add_listener(r->seat, &kSeatListener, r);
    } else if (is(wl_compositor_interface) && !r->compositor) {
        r->compositor = Bind<wl_compositor>(registry, name, wl_compositor_interface, 1);
    } else if (is(zwlr_layer_shell_v1_interface) && !r->layerShell) {
        r->layerShell = Bind<zwlr_layer_shell_v1>(registry, name, zwlr_layer_shell_v1_interface, 1);
    } else if (is(zwlr_virtual_pointer_manager_v1_interface) && !r->pointerManager) {
        r->pointerManager =
            Bind<zwlr_virtual_pointer_manager_v1>(registry, name, zwlr_virtual_pointer_manager_v1_interface, 1);
    } else if (is(wl_output_interface)) {
        auto o = std::make_unique<WaylandOutput>();
        o->globalName = name;
        o->output = Bind<wl_output>(registry, name, wl_output_interface, std::min(version, 2u));
        wl_output_add_listener(o->output, &kOutputListener, o.get());
        r->watch(*o);
        r->outputs.push_back(std::move(o));
    }
}

void WaylandRegistry::globalRemove(void* data, wl_registry*, std::uint32_t name)
{
    std::erase_if(static_cast<WaylandRegistry*>(data)->outputs,
                  [name](const auto& o) { return o->globalName == name; });
}

void WaylandRegistry::watch(WaylandOutput& o)
{
    if (!outputManager || o.xdgOutput)
        return;
    o.xdgOutput = zxdg_output_manager_v1_get_xdg_output(outputManager, o.output);
    zxdg_output_v1_add_listener(o.xdgOutput, &kXdgOutputListener, &o);
}
