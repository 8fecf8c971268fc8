#include "platform/wayland/PointerShield.h"

#include <charconv>
#include <cstdlib>
#include <cstring>
#include <wayland-client.h>
#include <wayland-cursor.h>

#include "platform/wayland/LayerShell.h"
#include "platform/wayland/Registry.h"
#include "platform/wayland/ShmPool.h"

struct PointerShield::Cover {
    WaylandRegistry* registry = nullptr;
    QPointF origin; // of its output on the logical desktop
    wl_surface* surface = nullptr;
    zwlr_layer_surface_v1* layer = nullptr;
    ShmBuffer buffer; // transparent

    ~Cover()
    {
        if (layer)
            zwlr_layer_surface_v1_destroy(layer);
        if (surface)
            wl_surface_destroy(surface);
    }
};

namespace {

void Closed(void*, zwlr_layer_surface_v1*) {}

void Pressed(void*, wl_pointer*, std::uint32_t, std::uint32_t, std::uint32_t, std::uint32_t) {}
void Scrolled(void*, wl_pointer*, std::uint32_t, std::uint32_t, wl_fixed_t) {}

} // namespace

PointerShield::PointerShield(WaylandRegistry& registry) : registry_(registry) {}

// The compositor gives the surface its output's size: it shows a clear buffer of that size.
void PointerShield::configured(void* data, zwlr_layer_surface_v1* layer, std::uint32_t serial,
                               std::uint32_t width, std::uint32_t height)
{
    auto* cover = static_cast<Cover*>(data);
    zwlr_layer_surface_v1_ack_configure(layer, serial);
    const int w = int(width), h = int(height);
    if (w <= 0 || h <= 0 || w > 16384 || h > 16384)
        return;
    if (!cover->buffer.fits(WL_SHM_FORMAT_ARGB8888, w, h, w * 4)
        && !cover->buffer.create(cover->registry->shm, WL_SHM_FORMAT_ARGB8888, w, h, w * 4))
        return;
    wl_surface_attach(cover->surface, cover->buffer.handle(), 0, 0);
    wl_surface_damage(cover->surface, 0, 0, w, h);
    wl_surface_commit(cover->surface);
}

PointerShield::~PointerShield()
{
    covers_.clear();
    if (arrow_)
        wl_surface_destroy(arrow_);
    if (theme_)
        wl_cursor_theme_destroy(theme_);
    // Version 1 of the seat has no release request.
    if (wlPointer_)
        wl_pointer_destroy(wlPointer_);
}

bool PointerShield::raise()
{
    lower();
    const WaylandRegistry& r = registry_;
    if (!r.compositor || !r.layerShell || !r.shm || !r.seat || !(r.seatCapabilities & WL_SEAT_CAPABILITY_POINTER))
        return false;
    if (!wlPointer_) {
        // Version 1 sends no more events than these.
        static const wl_pointer_listener kPointerListener = [] {
            wl_pointer_listener l{};
            l.enter = entered;
            l.leave = left;
            l.motion = moved;
            l.button = Pressed;
            l.axis = Scrolled;
            return l;
        }();
        wlPointer_ = wl_seat_get_pointer(r.seat);
        wl_pointer_add_listener(wlPointer_, &kPointerListener, this);
    }
    for (const auto& o : r.outputs) {
        if (o->logical.Empty())
            continue;
        auto cover = std::make_unique<Cover>();
        cover->registry = &registry_;
        cover->origin = QPointF(o->logical.x, o->logical.y);
        cover->surface = wl_compositor_create_surface(r.compositor);
        cover->layer = zwlr_layer_shell_v1_get_layer_surface(r.layerShell, cover->surface, o->output,
                                                              ZWLR_LAYER_SHELL_V1_LAYER_OVERLAY, "huebird-lite");
        static constexpr zwlr_layer_surface_v1_listener kLayerListener = {configured, Closed};
        zwlr_layer_surface_v1_add_listener(cover->layer, &kLayerListener, cover.get());
        zwlr_layer_surface_v1_set_anchor(cover->layer, ZWLR_LAYER_SURFACE_V1_ANCHOR_TOP
                                                           | ZWLR_LAYER_SURFACE_V1_ANCHOR_BOTTOM
                                                           | ZWLR_LAYER_SURFACE_V1_ANCHOR_LEFT
                                                           | ZWLR_LAYER_SURFACE_V1_ANCHOR_RIGHT);
        // Over the panels too.
        zwlr_layer_surface_v1_set_exclusive_zone(cover->layer, -1);
        wl_surface_commit(cover->surface);
        covers_.push_back(std::move(cover));
    }
    return !covers_.empty();
}

void PointerShield::lower()
{
    // A cursor hidden over the shield stays hidden over what sets none of its
    // own (sway's wallpaper).
    if (under_)
        showArrow();
    covers_.clear();
    under_ = nullptr;
    pointer_.reset();
}

void PointerShield::entered(void* data, wl_pointer* pointer, std::uint32_t serial, wl_surface* surface,
                            wl_fixed_t x, wl_fixed_t y)
{
    auto* shield = static_cast<PointerShield*>(data);
    for (const auto& cover : shield->covers_) {
        if (cover->surface != surface)
            continue;
        wl_pointer_set_cursor(pointer, serial, nullptr, 0, 0);
        shield->enterSerial_ = serial;
        shield->under_ = cover.get();
        shield->pointer_ = cover->origin + QPointF(wl_fixed_to_double(x), wl_fixed_to_double(y));
    }
}

void PointerShield::left(void* data, wl_pointer*, std::uint32_t, wl_surface*)
{
    static_cast<PointerShield*>(data)->under_ = nullptr;
}

void PointerShield::moved(void* data, wl_pointer*, std::uint32_t, wl_fixed_t x, wl_fixed_t y)
{
    auto* shield = static_cast<PointerShield*>(data);
    if (shield->under_)
        shield->pointer_ = shield->under_->origin + QPointF(wl_fixed_to_double(x), wl_fixed_to_double(y));
}

void PointerShield::showArrow()
{
    if (!theme_) {
        // The theme and size Qt's windows take theirs from.
        int size = 24;
        if (const char* text = std::getenv("XCURSOR_SIZE")) {
            int parsed = 0;
            const auto [end, error] = std::from_chars(text, text + std::strlen(text), parsed);
            if (error == std::errc() && !*end && parsed > 0 && parsed <= 256)
                size = parsed;
        }
        theme_ = wl_cursor_theme_load(std::getenv("XCURSOR_THEME"), size, registry_.shm);
    }
    wl_cursor* cursor = nullptr;
    for (const char* name : {"left_ptr", "default"})
        if (!cursor && theme_)
            cursor = wl_cursor_theme_get_cursor(theme_, name);
    if (!cursor || cursor->image_count == 0)
        return;
    const wl_cursor_image* image = cursor->images[0];
    if (!arrow_)
        arrow_ = wl_compositor_create_surface(registry_.compositor);
    wl_surface_attach(arrow_, wl_cursor_image_get_buffer(cursor->images[0]), 0, 0);
    wl_surface_damage(arrow_, 0, 0, int(image->width), int(image->height));
    wl_surface_commit(arrow_);
    wl_pointer_set_cursor(wlPointer_, enterSerial_, arrow_, int(image->hotspot_x), int(image->hotspot_y));
}
