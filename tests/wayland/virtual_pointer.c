/* A pointer for a compositor without input devices: one virtual pointer that
 * lives as long as this program, driven by lines on standard input.
 *
 *   move X Y          puts the pointer at X, Y of the output layout
 *   click [BUTTON]    presses and releases a button (left, right, middle)
 *   press [BUTTON]    presses it
 *   release [BUTTON]  releases it
 *   quit
 *
 * Each command is answered with "ok" or "error ..." on standard output once the
 * compositor has received it. Ends at the end of its input.
 */
#define _POSIX_C_SOURCE 200809L
#include <errno.h>
#include <linux/input-event-codes.h>
#include <poll.h>
#include <stdint.h>
#include <stdio.h>
#include <stdlib.h>
#include <string.h>
#include <time.h>
#include <unistd.h>
#include <wayland-client.h>

#include "wlr-virtual-pointer-unstable-v1-client-protocol.h"
#include "xdg-output-unstable-v1-client-protocol.h"

#define MAX_OUTPUTS 16

struct output {
    struct wl_output* wl;
    struct zxdg_output_v1* xdg;
    uint32_t name;
    int32_t x, y, width, height;
};

static struct wl_seat* seat;
static struct zwlr_virtual_pointer_manager_v1* pointer_manager;
static struct zxdg_output_manager_v1* output_manager;
static struct output outputs[MAX_OUTPUTS];
static int output_count;

static void logical_position(void* data, struct zxdg_output_v1* xdg, int32_t x, int32_t y)
{
    (void)xdg;
    struct output* o = data;
    o->x = x;
    o->y = y;
}

static void logical_size(void* data, struct zxdg_output_v1* xdg, int32_t width, int32_t height)
{
    (void)xdg;
    struct output* o = data;
    o->width = width;
    o->height = height;
}

static void ignore_done(void* data, struct zxdg_output_v1* xdg) { (void)data, (void)xdg; }
static void ignore_text(void* data, struct zxdg_output_v1* xdg, const char* text)
{
    (void)data, (void)xdg, (void)text;
}

static const struct zxdg_output_v1_listener xdg_output_listener = {
    .logical_position = logical_position,
    .logical_size = logical_size,
    .done = ignore_done,
    .name = ignore_text,
    .description = ignore_text,
};

static void watch_output(struct output* o)
{
    if (output_manager && o->wl && !o->xdg) {
        o->xdg = zxdg_output_manager_v1_get_xdg_output(output_manager, o->wl);
        zxdg_output_v1_add_listener(o->xdg, &xdg_output_listener, o);
    }
}

static void global(void* data, struct wl_registry* registry, uint32_t name, const char* interface,
                   uint32_t version)
{
    (void)data;
    if (!strcmp(interface, wl_seat_interface.name) && !seat) {
        seat = wl_registry_bind(registry, name, &wl_seat_interface, 1);
    } else if (!strcmp(interface, zwlr_virtual_pointer_manager_v1_interface.name)) {
        pointer_manager = wl_registry_bind(registry, name, &zwlr_virtual_pointer_manager_v1_interface, 1);
    } else if (!strcmp(interface, zxdg_output_manager_v1_interface.name)) {
        output_manager = wl_registry_bind(registry, name, &zxdg_output_manager_v1_interface,
                                          version < 2 ? version : 2);
        for (int i = 0; i < output_count; ++i)
            watch_output(&outputs[i]);
    } else if (!strcmp(interface, wl_output_interface.name) && output_count < MAX_OUTPUTS) {
        struct output* o = &outputs[output_count++];
        memset(o, 0, sizeof *o);
        o->name = name;
        o->wl = wl_registry_bind(registry, name, &wl_output_interface, 1);
        watch_output(o);
    }
}

static void global_remove(void* data, struct wl_registry* registry, uint32_t name)
{
    (void)data, (void)registry;
    for (int i = 0; i < output_count; ++i) {
        if (outputs[i].name != name)
            continue;
        if (outputs[i].xdg)
            zxdg_output_v1_destroy(outputs[i].xdg);
        wl_output_destroy(outputs[i].wl);
        outputs[i] = outputs[--output_count];
        return;
    }
}

static const struct wl_registry_listener registry_listener = {global, global_remove};

static uint32_t now_ms(void)
{
    struct timespec t;
    clock_gettime(CLOCK_MONOTONIC, &t);
    return (uint32_t)(t.tv_sec * 1000 + t.tv_nsec / 1000000);
}

static int button_code(const char* word)
{
    if (!word || !strcmp(word, "left"))
        return BTN_LEFT;
    if (!strcmp(word, "right"))
        return BTN_RIGHT;
    if (!strcmp(word, "middle"))
        return BTN_MIDDLE;
    return -1;
}

/* Runs one command line; returns a message for the answer, NULL on success. */
static const char* run(struct wl_display* display, struct zwlr_virtual_pointer_v1* pointer, char* line)
{
    char* verb = strtok(line, " \t\r\n");
    char* arg1 = strtok(NULL, " \t\r\n");
    char* arg2 = strtok(NULL, " \t\r\n");
    if (!verb)
        return "empty command";
    if (!strcmp(verb, "move")) {
        if (!arg1 || !arg2)
            return "move needs X and Y";
        /* The layout may have changed (a new output, a new scale) just before. */
        wl_display_roundtrip(display);
        int32_t left = INT32_MAX, top = INT32_MAX, right = INT32_MIN, bottom = INT32_MIN;
        for (int i = 0; i < output_count; ++i) {
            const struct output* o = &outputs[i];
            if (o->width <= 0 || o->height <= 0)
                continue;
            left = o->x < left ? o->x : left;
            top = o->y < top ? o->y : top;
            right = o->x + o->width > right ? o->x + o->width : right;
            bottom = o->y + o->height > bottom ? o->y + o->height : bottom;
        }
        if (left >= right || top >= bottom)
            return "no outputs";
        /* Absolute motion spans the box around every output. */
        long x = strtol(arg1, NULL, 10) - left, y = strtol(arg2, NULL, 10) - top;
        x = x < 0 ? 0 : x >= right - left ? right - left - 1 : x;
        y = y < 0 ? 0 : y >= bottom - top ? bottom - top - 1 : y;
        zwlr_virtual_pointer_v1_motion_absolute(pointer, now_ms(), (uint32_t)x, (uint32_t)y,
                                                (uint32_t)(right - left), (uint32_t)(bottom - top));
        zwlr_virtual_pointer_v1_frame(pointer);
    } else if (!strcmp(verb, "click") || !strcmp(verb, "press") || !strcmp(verb, "release")) {
        const int code = button_code(arg1);
        if (code < 0)
            return "unknown button";
        if (strcmp(verb, "release")) {
            zwlr_virtual_pointer_v1_button(pointer, now_ms(), code, WL_POINTER_BUTTON_STATE_PRESSED);
            zwlr_virtual_pointer_v1_frame(pointer);
        }
        if (strcmp(verb, "press")) {
            zwlr_virtual_pointer_v1_button(pointer, now_ms(), code, WL_POINTER_BUTTON_STATE_RELEASED);
            zwlr_virtual_pointer_v1_frame(pointer);
        }
    } else {
        return "unknown command";
    }
    wl_display_roundtrip(display);
    return NULL;
}

int main(void)
{
    struct wl_display* display = wl_display_connect(NULL);
    if (!display) {
        fprintf(stderr, "virtual pointer: cannot connect to the Wayland display\n");
        return 1;
    }
    struct wl_registry* registry = wl_display_get_registry(display);
    wl_registry_add_listener(registry, &registry_listener, NULL);
    wl_display_roundtrip(display);
    wl_display_roundtrip(display);
    if (!seat || !pointer_manager) {
        fprintf(stderr, "virtual pointer: the compositor offers no %s\n",
                seat ? "virtual pointers" : "seat");
        return 1;
    }
    struct zwlr_virtual_pointer_v1* pointer =
        zwlr_virtual_pointer_manager_v1_create_virtual_pointer(pointer_manager, seat);
    wl_display_roundtrip(display);
    setvbuf(stdout, NULL, _IOLBF, 0);

    char line[256];
    size_t used = 0;
    for (;;) {
        struct pollfd fds[2] = {{wl_display_get_fd(display), POLLIN, 0}, {STDIN_FILENO, POLLIN, 0}};
        wl_display_flush(display);
        if (poll(fds, 2, -1) < 0) {
            if (errno == EINTR)
                continue;
            break;
        }
        if (fds[0].revents & POLLIN) {
            if (wl_display_dispatch(display) < 0)
                break;
        } else if (fds[0].revents & (POLLERR | POLLHUP)) {
            break;
        }
        if (!(fds[1].revents & (POLLIN | POLLHUP)))
            continue;
        const ssize_t n = read(STDIN_FILENO, line + used, sizeof line - 1 - used);
        if (n <= 0)
            break;
        used += (size_t)n;
        line[used] = '\0';
        char* end;
        while ((end = strchr(line, '\n'))) {
            *end = '\0';
            if (!strncmp(line, "quit", 4))
                goto done;
            const char* error = run(display, pointer, line);
            if (error)
                printf("error %s\n", error);
            else
                printf("ok\n");
            const size_t rest = used - (size_t)(end + 1 - line);
            memmove(line, end + 1, rest);
            used = rest;
            line[used] = '\0';
        }
        if (used == sizeof line - 1)
            used = 0; /* a line longer than any command */
    }
done:
    zwlr_virtual_pointer_v1_destroy(pointer);
    wl_display_roundtrip(display);
    wl_display_disconnect(display);
    return 0;
}
