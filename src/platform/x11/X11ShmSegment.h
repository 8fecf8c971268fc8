#pragma once
// A block of memory shared with the X server (MIT-SHM), attached for as long
// as the object lives. The server reads images from it and writes images into
// it without sending them through the socket.
#include <cstddef>
#include <cstdint>
#include <xcb/xcb.h>

class X11ShmSegment {
public:
    // Not valid when the server shares no memory with this process (a remote
    // display, another machine's or container's memory).
    X11ShmSegment(xcb_connection_t* connection, std::size_t size);
    ~X11ShmSegment();
    X11ShmSegment(const X11ShmSegment&) = delete;
    X11ShmSegment& operator=(const X11ShmSegment&) = delete;

    bool valid() const { return data_ != nullptr; }
    std::uint8_t* data() const { return data_; }
    std::size_t size() const { return size_; }
    std::uint32_t id() const { return segment_; }

private:
    xcb_connection_t* connection_;
    std::uint8_t* data_ = nullptr;
    std::size_t size_ = 0;
    std::uint32_t segment_ = 0;
};
