#include "platform/x11/X11ShmSegment.h"

#include <cstdlib>
#include <sys/ipc.h>
#include <sys/shm.h>
#include <xcb/shm.h>

X11ShmSegment::X11ShmSegment(xcb_connection_t* connection, std::size_t size) : connection_(connection)
{
    const int id = shmget(IPC_PRIVATE, size, IPC_CREAT | 0600);
    if (id < 0)
        return;
    void* address = shmat(id, nullptr, 0);
    if (address == reinterpret_cast<void*>(-1)) {
        shmctl(id, IPC_RMID, nullptr);
        return;
    }
    const xcb_shm_seg_t segment = xcb_generate_id(connection_);
    xcb_generic_error_t* error =
        xcb_request_check(connection_, xcb_shm_attach_checked(connection_, segment, std::uint32_t(id), 0));
    // Marked for removal now: the memory goes once both sides have let go,
    // even if the program ends without detaching.
    shmctl(id, IPC_RMID, nullptr);
    if (error) {
        std::free(error);
        shmdt(address);
        return;
    }
    data_ = static_cast<std::uint8_t*>(address);
    size_ = size;
    segment_ = segment;
}

X11ShmSegment::~X11ShmSegment()
{
    if (!data_)
        return;
    xcb_shm_detach(connection_, segment_);
    xcb_flush(connection_);
    shmdt(data_);
}
