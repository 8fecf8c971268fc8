#pragma once
// Client buffers in shared memory that the compositor copies screen contents
// into, and the conversion of their rows to 0xAARRGGBB pixels.
#include <cstddef>
#include <cstdint>

struct wl_buffer;
struct wl_shm;

// The 32-bit formats a copy is taken in; others are declined.
bool IsSupportedShmFormat(std::uint32_t format);

// Converts count pixels of a row in a supported format to opaque 0xAARRGGBB.
void ConvertShmRow(std::uint32_t format, const std::uint32_t* from, int count, std::uint32_t* to);

class ShmBuffer {
public:
    ShmBuffer() = default;
    ShmBuffer(const ShmBuffer&) = delete;
    ShmBuffer& operator=(const ShmBuffer&) = delete;
    ~ShmBuffer() { reset(); }

    bool fits(std::uint32_t format, int width, int height, int stride) const
    {
        return buffer_ && format == format_ && width == width_ && height == height_ && stride == stride_;
    }
    // A new buffer of that shape in a memory file of its own; false when
    // the shape is not one or the memory cannot be had.
    bool create(wl_shm* shm, std::uint32_t format, int width, int height, int stride);
    void reset();

    wl_buffer* handle() const { return buffer_; }
    const std::uint32_t* row(int y) const
    {
        return reinterpret_cast<const std::uint32_t*>(data_ + std::size_t(y) * std::size_t(stride_));
    }
    std::uint32_t format() const { return format_; }
    int width() const { return width_; }
    int height() const { return height_; }

private:
    wl_buffer* buffer_ = nullptr;
    const std::uint8_t* data_ = nullptr;
    std::size_t size_ = 0;
    std::uint32_t format_ = 0;
    int width_ = 0, height_ = 0, stride_ = 0;
};
