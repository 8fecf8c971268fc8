#include "platform/wayland/ShmPool.h"

#include <sys/mman.h>
#include <unistd.h>
#include <wayland-client.h>

bool IsSupportedShmFormat(std::uint32_t format)
{
    return format == WL_SHM_FORMAT_XRGB8888 || format == WL_SHM_FORMAT_ARGB8888
           || format == WL_SHM_FORMAT_XBGR8888 || format == WL_SHM_FORMAT_ABGR8888;
}

void ConvertShmRow(std::uint32_t format, const std::uint32_t* from, int count, std::uint32_t* to)
{
    if (format == WL_SHM_FORMAT_XBGR8888 || format == WL_SHM_FORMAT_ABGR8888) {
        for (int x = 0; x < count; ++x) {
            const std::uint32_t p = from[x];
            to[x] = 0xFF000000u | (p & 0xFF00u) | (p & 0xFFu) << 16 | (p >> 16 & 0xFFu);
        }
    } else {
        for (int x = 0; x < count; ++x)
            to[x] = 0xFF000000u | from[x];
    }
}

bool ShmBuffer::create(wl_shm* shm, std::uint32_t format, int width, int height, int stride)
{
    reset();
    const std::size_t size = std::size_t(stride) * std::size_t(height);
    if (width <= 0 || height <= 0 || stride < width * 4 || size == 0)
        return false;
    const int fd = memfd_create("huebird-screen-copy", MFD_CLOEXEC);
    if (fd < 0)
        return false;
    void* data = ftruncate(fd, off_t(size)) == 0 ? mmap(nullptr, size, PROT_READ | PROT_WRITE, MAP_SHARED, fd, 0)
                                                  : MAP_FAILED;
    if (data == MAP_FAILED) {
        close(fd);
        return false;
    }
    wl_shm_pool* pool = wl_shm_create_pool(shm, fd, int(size));
    buffer_ = wl_shm_pool_create_buffer(pool, 0, width, height, stride, format);
    wl_shm_pool_destroy(pool);
    close(fd);
    data_ = static_cast<const std::uint8_t*>(data);
    size_ = size;
    format_ = format;
    width_ = width;
    height_ = height;
    stride_ = stride;
    return true;
}

void ShmBuffer::reset()
{
    if (buffer_)
        wl_buffer_destroy(buffer_);
    if (data_)
        munmap(const_cast<std::uint8_t*>(data_), size_);
    buffer_ = nullptr;
    data_ = nullptr;
}
