#pragma once
// The globals of a Wayland connection that screen copies need (shared
// memory, the screen-copy manager, the outputs and their logical geometry,
// the seat and its virtual pointers, surfaces and the layer shell), bound as
// the compositor announces them.
#include <cstdint>
#include <memory>
#include <vector>

#include "core/platform/ScreenMapping.h"

struct wl_compositor;
struct wl_display;
struct wl_output;
struct wl_registry;
struct wl_seat;
struct wl_shm;
struct zwlr_layer_shell_v1;
struct zwlr_screencopy_manager_v1;
struct zwlr_virtual_pointer_manager_v1;
struct zxdg_output_manager_v1;
struct zxdg_output_v1;

// An output as the compositor describes it.
struct WaylandOutput {
    std::uint32_t globalName = 0;
    wl_output* output = nullptr;
    zxdg_output_v1* xdgOutput = nullptr;
    PixelRect logical;
    int scale = 1;
    int transform = 0; // wl_output_transform
    int modeWidth = 0, modeHeight = 0;

    ~WaylandOutput();
    // Its buffer is the device area: every output has one of its own.
    ScreenArea area() const;
};

class WaylandRegistry {
public:
    // Listens on the display's registry; the globals arrive with the next
    // roundtrip, the outputs' descriptions with the one after.
    explicit WaylandRegistry(wl_display* display);
    ~WaylandRegistry();
    WaylandRegistry(const WaylandRegistry&) = delete;
    WaylandRegistry& operator=(const WaylandRegistry&) = delete;

    // One for every output, in their order; outputs not yet described have
    // empty ones.
    std::vector<ScreenArea> screens() const;

    wl_shm* shm = nullptr;
    zwlr_screencopy_manager_v1* screencopy = nullptr;
    std::uint32_t screencopyVersion = 0;
    zxdg_output_manager_v1* outputManager = nullptr;
    wl_seat* seat = nullptr;
    std::uint32_t seatCapabilities = 0; // wl_seat_capability
    wl_compositor* compositor = nullptr;
    zwlr_layer_shell_v1* layerShell = nullptr;
    zwlr_virtual_pointer_manager_v1* pointerManager = nullptr;
    std::vector<std::unique_ptr<WaylandOutput>> outputs;

private:
    static void global(void* data, wl_registry* registry, std::uint32_t name, const char* interface,
                       std::uint32_t version);
    static void globalRemove(void* data, wl_registry* registry, std::uint32_t name);
    void watch(WaylandOutput& o);

    wl_registry* registry_ = nullptr;
};
