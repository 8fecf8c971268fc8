#pragma once
// Clear surfaces over every output, on the compositor's top layer, that take
// the pointer while the screens are copied. Over them its cursor is hidden,
// so a compositor that draws the cursor into the screen itself (no hardware
// cursor) leaves it out of the copy; and the compositor tells where the
// pointer is on them, which it tells a new full-screen window wrongly at
// times (sway 1.7 beside a scaled output).
#include <QPointF>
#include <cstdint>
#include <memory>
#include <optional>
#include <vector>
#include <wayland-util.h>

class WaylandRegistry;
struct wl_cursor_theme;
struct wl_pointer;
struct wl_surface;
struct zwlr_layer_surface_v1;

class PointerShield {
public:
    explicit PointerShield(WaylandRegistry& registry);
    ~PointerShield();
    PointerShield(const PointerShield&) = delete;
    PointerShield& operator=(const PointerShield&) = delete;

    // Puts a surface over every output; false where the compositor has no
    // layer shell or the seat no pointer.
    bool raise();
    // The pointer is over a surface, its cursor hidden.
    bool holdsPointer() const { return pointer_.has_value(); }
    // Where it is: a point of the logical desktop.
    std::optional<QPointF> pointer() const { return pointer_; }
    // Takes the surfaces away, the theme's arrow back on the pointer; the
    // pointer is no longer known.
    void lower();

private:
    struct Cover;

    static void configured(void* data, zwlr_layer_surface_v1* layer, std::uint32_t serial, std::uint32_t width,
                           std::uint32_t height);
    static void entered(void* data, wl_pointer* pointer, std::uint32_t serial, wl_surface* surface,
                        wl_fixed_t x, wl_fixed_t y);
    static void left(void* data, wl_pointer* pointer, std::uint32_t serial, wl_surface* surface);
    static void moved(void* data, wl_pointer* pointer, std::uint32_t time, wl_fixed_t x, wl_fixed_t y);
    void showArrow();

    WaylandRegistry& registry_;
    wl_pointer* wlPointer_ = nullptr;
    std::vector<std::unique_ptr<Cover>> covers_;
    const Cover* under_ = nullptr;
    std::uint32_t enterSerial_ = 0;
    wl_cursor_theme* theme_ = nullptr;
    // Lives as long as the connection: the compositor shows it until the
    // pointer comes over a surface that sets a cursor of its own.
    wl_surface* arrow_ = nullptr;
    std::optional<QPointF> pointer_;
};
