#include "platform/portal/PipeWireCursorStream.h"

#include <QMetaObject>
#include <QMutex>
#include <QMutexLocker>
#include <mutex>

#include <pipewire/pipewire.h>
#include <spa/buffer/meta.h>
#include <spa/param/video/format-utils.h>
#include <spa/pod/builder.h>

namespace {

constexpr int kSide = 2 * PipeWireCursorStream::kRadius + 1;

// Cursor metadata with room for a bitmap: producers that send the pointer's
// picture need the space, and we do not read it.
constexpr int CursorMetaSize(int side)
{
    return int(sizeof(spa_meta_cursor) + sizeof(spa_meta_bitmap)) + side * side * 4;
}

int BytesPerPixel(uint32_t format)
{
    return format == SPA_VIDEO_FORMAT_RGB || format == SPA_VIDEO_FORMAT_BGR ? 3 : 4;
}

QRgb ReadPixel(const uint8_t* p, uint32_t format)
{
    switch (format) {
    case SPA_VIDEO_FORMAT_BGRx:
    case SPA_VIDEO_FORMAT_BGRA:
    case SPA_VIDEO_FORMAT_BGR:
        return qRgb(p[2], p[1], p[0]);
    case SPA_VIDEO_FORMAT_RGBx:
    case SPA_VIDEO_FORMAT_RGBA:
    case SPA_VIDEO_FORMAT_RGB:
        return qRgb(p[0], p[1], p[2]);
    case SPA_VIDEO_FORMAT_xRGB:
    case SPA_VIDEO_FORMAT_ARGB:
        return qRgb(p[1], p[2], p[3]);
    case SPA_VIDEO_FORMAT_xBGR:
    case SPA_VIDEO_FORMAT_ABGR:
        return qRgb(p[3], p[2], p[1]);
    default:
        return qRgb(255, 255, 255);
    }
}

void InitPipeWire()
{
    static std::once_flag once;
    std::call_once(once, [] { pw_init(nullptr, nullptr); });
}

} // namespace

struct PipeWireCursorStream::Private {
    PipeWireCursorStream* q = nullptr;
    pw_thread_loop* loop = nullptr;
    pw_context* context = nullptr;
    pw_core* core = nullptr;
    pw_stream* stream = nullptr;
    spa_hook coreListener{};
    spa_hook streamListener{};

    // PipeWire's thread only.
    spa_video_info_raw format{};
    pw_buffer* held = nullptr; // the latest frame with a picture
    QPoint cursor;
    bool cursorKnown = false;
    bool streaming = false;

    // Handed to the owner's thread: the latest square only.
    mutable QMutex mutex;
    QSize frameSize;
    QPoint outCursor;
    QImage outSquare;
    bool pending = false;

    void Process();
    void FormatChanged(const spa_pod* param);
    void Deliver();
    void Fail(const QString& reason);
    QImage CopySquare(const spa_buffer* buffer) const;
};

QImage PipeWireCursorStream::Private::CopySquare(const spa_buffer* buffer) const
{
    QImage square(kSide, kSide, QImage::Format_RGB32);
    square.fill(Qt::white);
    const spa_data& data = buffer->datas[0];
    const int width = int(format.size.width);
    const int height = int(format.size.height);
    const int bpp = BytesPerPixel(format.format);
    const int stride = data.chunk->stride > 0 ? data.chunk->stride : width * bpp;
    const uint32_t offset = data.chunk->offset % (data.maxsize ? data.maxsize : 1);
    // Never read past what the producer filled, whatever its chunk claims.
    const qint64 filled = qMin<qint64>(data.chunk->size, qint64(data.maxsize) - offset);
    const auto* base = static_cast<const uint8_t*>(data.data) + offset;
    for (int row = 0; row < kSide; ++row) {
        const int y = cursor.y() - kRadius + row;
        if (y < 0 || y >= height)
            continue;
        auto* out = reinterpret_cast<QRgb*>(square.scanLine(row));
        for (int column = 0; column < kSide; ++column) {
            const int x = cursor.x() - kRadius + column;
            const qint64 at = qint64(y) * stride + qint64(x) * bpp;
            if (x < 0 || x >= width || at + bpp > filled)
                continue;
            out[column] = ReadPixel(base + at, format.format);
        }
    }
    return square;
}

void PipeWireCursorStream::Private::Process()
{
    bool changed = false;
    while (pw_buffer* b = pw_stream_dequeue_buffer(stream)) {
        spa_buffer* buffer = b->buffer;
        auto* meta = static_cast<spa_meta_cursor*>(
            spa_buffer_find_meta_data(buffer, SPA_META_Cursor, sizeof(spa_meta_cursor)));
        if (meta && spa_meta_cursor_is_valid(meta)) {
            const QPoint position(meta->position.x, meta->position.y);
            changed |= !cursorKnown || position != cursor;
            cursor = position;
            cursorKnown = true;
        }
        auto* header = static_cast<spa_meta_header*>(
            spa_buffer_find_meta_data(buffer, SPA_META_Header, sizeof(spa_meta_header)));
        const spa_data* data = buffer->n_datas > 0 ? &buffer->datas[0] : nullptr;
        const bool picture = data && data->data && data->chunk && data->chunk->size > 0
                             && !(data->chunk->flags & SPA_CHUNK_FLAG_CORRUPTED)
                             && !(header && (header->flags & SPA_META_HEADER_FLAG_CORRUPTED));
        if (picture) {
            if (held)
                pw_stream_queue_buffer(stream, held);
            held = b;
            changed = true;
        } else {
            pw_stream_queue_buffer(stream, b);
        }
    }
    if (!changed || !held || !cursorKnown)
        return;
    QImage square = CopySquare(held->buffer);
    {
        QMutexLocker lock(&mutex);
        outCursor = cursor;
        outSquare = std::move(square);
        if (pending)
            return;
        pending = true;
    }
    QMetaObject::invokeMethod(q, [this] { Deliver(); }, Qt::QueuedConnection);
}

void PipeWireCursorStream::Private::Deliver()
{
    QPoint position;
    QImage square;
    {
        QMutexLocker lock(&mutex);
        pending = false;
        position = outCursor;
        square = std::move(outSquare);
        outSquare = QImage();
    }
    if (!square.isNull())
        emit q->frameReady(position, square);
}

void PipeWireCursorStream::Private::Fail(const QString& reason)
{
    QMetaObject::invokeMethod(q, [q = q, reason] { emit q->failed(reason); }, Qt::QueuedConnection);
}

void PipeWireCursorStream::Private::FormatChanged(const spa_pod* param)
{
    uint32_t mediaType = 0, mediaSubtype = 0;
    if (!param || spa_format_parse(param, &mediaType, &mediaSubtype) < 0 || mediaType != SPA_MEDIA_TYPE_video
        || mediaSubtype != SPA_MEDIA_SUBTYPE_raw)
        return;
    spa_video_info_raw info{};
    if (spa_format_video_raw_parse(param, &info) < 0)
        return;
    // The held buffer belongs to the old format's buffers.
    if (held) {
        pw_stream_queue_buffer(stream, held);
        held = nullptr;
    }
    format = info;
    {
        QMutexLocker lock(&mutex);
        frameSize = QSize(int(info.size.width), int(info.size.height));
    }

    uint8_t storage[1024];
    spa_pod_builder builder = SPA_POD_BUILDER_INIT(storage, sizeof(storage));
    const spa_pod* params[3];
    // One buffer is kept between frames: ask for enough that the producer never waits for it.
    params[0] = static_cast<const spa_pod*>(spa_pod_builder_add_object(
        &builder, SPA_TYPE_OBJECT_ParamBuffers, SPA_PARAM_Buffers, SPA_PARAM_BUFFERS_buffers,
        SPA_POD_CHOICE_RANGE_Int(8, 3, 32), SPA_PARAM_BUFFERS_dataType,
        SPA_POD_CHOICE_FLAGS_Int((1 << SPA_DATA_MemFd) | (1 << SPA_DATA_MemPtr))));
    params[1] = static_cast<const spa_pod*>(spa_pod_builder_add_object(
        &builder, SPA_TYPE_OBJECT_ParamMeta, SPA_PARAM_Meta, SPA_PARAM_META_type, SPA_POD_Id(SPA_META_Header),
        SPA_PARAM_META_size, SPA_POD_Int(sizeof(spa_meta_header))));
    params[2] = static_cast<const spa_pod*>(spa_pod_builder_add_object(
        &builder, SPA_TYPE_OBJECT_ParamMeta, SPA_PARAM_Meta, SPA_PARAM_META_type, SPA_POD_Id(SPA_META_Cursor),
        SPA_PARAM_META_size, SPA_POD_CHOICE_RANGE_Int(CursorMetaSize(64), CursorMetaSize(1), CursorMetaSize(512))));
    pw_stream_update_params(stream, params, 3);
}

PipeWireCursorStream::PipeWireCursorStream(QObject* parent) : QObject(parent), d_(std::make_unique<Private>())
{
    d_->q = this;
}

PipeWireCursorStream::~PipeWireCursorStream()
{
    Close();
}

QSize PipeWireCursorStream::FrameSize() const
{
    QMutexLocker lock(&d_->mutex);
    return d_->frameSize;
}

bool PipeWireCursorStream::Open(int remoteFd, std::uint32_t nodeId, QString* error)
{
    Close();
    InitPipeWire();
    auto fail = [&](const QString& reason) {
        if (error)
            *error = reason;
        Close();
        return false;
    };
    d_->loop = pw_thread_loop_new("huebird-cast", nullptr);
    if (!d_->loop)
        return fail(QStringLiteral("PipeWire could not start its thread"));
    d_->context = pw_context_new(pw_thread_loop_get_loop(d_->loop), nullptr, 0);
    if (!d_->context || pw_thread_loop_start(d_->loop) < 0)
        return fail(QStringLiteral("PipeWire could not start"));

    pw_thread_loop_lock(d_->loop);
    d_->core = remoteFd >= 0 ? pw_context_connect_fd(d_->context, remoteFd, nullptr, 0)
                             : pw_context_connect(d_->context, nullptr, 0);
    if (!d_->core) {
        pw_thread_loop_unlock(d_->loop);
        return fail(QStringLiteral("PipeWire refused the connection"));
    }
    static const pw_core_events coreEvents = [] {
        pw_core_events events{};
        events.version = PW_VERSION_CORE_EVENTS;
        events.error = [](void* data, uint32_t id, int, int res, const char* message) {
            if (id == PW_ID_CORE && res == -EPIPE)
                static_cast<Private*>(data)->Fail(QStringLiteral("PipeWire closed the connection: %1")
                                                      .arg(QString::fromUtf8(message)));
        };
        return events;
    }();
    pw_core_add_listener(d_->core, &d_->coreListener, &coreEvents, d_.get());

    d_->stream = pw_stream_new(d_->core, "Huebird Lite",
                               pw_properties_new(PW_KEY_MEDIA_TYPE, "Video", PW_KEY_MEDIA_CATEGORY, "Capture",
                                                 PW_KEY_MEDIA_ROLE, "Screen", nullptr));
    if (!d_->stream) {
        pw_thread_loop_unlock(d_->loop);
        return fail(QStringLiteral("PipeWire could not make a stream"));
    }
    static const pw_stream_events streamEvents = [] {
        pw_stream_events events{};
        events.version = PW_VERSION_STREAM_EVENTS;
        events.state_changed = [](void* data, pw_stream_state, pw_stream_state state, const char* message) {
            auto* d = static_cast<Private*>(data);
            if (state == PW_STREAM_STATE_STREAMING)
                d->streaming = true;
            if (state == PW_STREAM_STATE_ERROR)
                d->Fail(QString::fromUtf8(message ? message : "the screen stream failed"));
            else if (state == PW_STREAM_STATE_UNCONNECTED && d->streaming)
                d->Fail(QStringLiteral("the screen stream ended"));
        };
        events.param_changed = [](void* data, uint32_t id, const spa_pod* param) {
            if (id == SPA_PARAM_Format)
                static_cast<Private*>(data)->FormatChanged(param);
        };
        events.process = [](void* data) { static_cast<Private*>(data)->Process(); };
        events.remove_buffer = [](void* data, pw_buffer* buffer) {
            auto* d = static_cast<Private*>(data);
            if (d->held == buffer)
                d->held = nullptr;
        };
        return events;
    }();
    pw_stream_add_listener(d_->stream, &d_->streamListener, &streamEvents, d_.get());

    uint8_t storage[1024];
    spa_pod_builder builder = SPA_POD_BUILDER_INIT(storage, sizeof(storage));
    const spa_rectangle defaultSize{1920, 1080}, minSize{1, 1}, maxSize{16384, 16384};
    const spa_fraction defaultRate{60, 1}, minRate{0, 1}, maxRate{1000, 1};
    const spa_pod* format = static_cast<const spa_pod*>(spa_pod_builder_add_object(
        &builder, SPA_TYPE_OBJECT_Format, SPA_PARAM_EnumFormat, SPA_FORMAT_mediaType, SPA_POD_Id(SPA_MEDIA_TYPE_video),
        SPA_FORMAT_mediaSubtype, SPA_POD_Id(SPA_MEDIA_SUBTYPE_raw), SPA_FORMAT_VIDEO_format,
        SPA_POD_CHOICE_ENUM_Id(11, SPA_VIDEO_FORMAT_BGRx, SPA_VIDEO_FORMAT_BGRx, SPA_VIDEO_FORMAT_BGRA,
                               SPA_VIDEO_FORMAT_RGBx, SPA_VIDEO_FORMAT_RGBA, SPA_VIDEO_FORMAT_xRGB,
                               SPA_VIDEO_FORMAT_ARGB, SPA_VIDEO_FORMAT_xBGR, SPA_VIDEO_FORMAT_ABGR,
                               SPA_VIDEO_FORMAT_RGB, SPA_VIDEO_FORMAT_BGR),
        SPA_FORMAT_VIDEO_size, SPA_POD_CHOICE_RANGE_Rectangle(&defaultSize, &minSize, &maxSize),
        SPA_FORMAT_VIDEO_framerate, SPA_POD_CHOICE_RANGE_Fraction(&defaultRate, &minRate, &maxRate)));
    const int result = pw_stream_connect(d_->stream, PW_DIRECTION_INPUT, nodeId,
                                         pw_stream_flags(PW_STREAM_FLAG_AUTOCONNECT | PW_STREAM_FLAG_MAP_BUFFERS),
                                         &format, 1);
    pw_thread_loop_unlock(d_->loop);
    if (result < 0)
        return fail(QStringLiteral("PipeWire could not connect the stream"));
    return true;
}

void PipeWireCursorStream::Close()
{
    if (d_->loop) {
        pw_thread_loop_lock(d_->loop);
        if (d_->stream) {
            if (d_->held)
                pw_stream_queue_buffer(d_->stream, d_->held);
            d_->held = nullptr;
            spa_hook_remove(&d_->streamListener);
            pw_stream_destroy(d_->stream);
            d_->stream = nullptr;
        }
        if (d_->core) {
            spa_hook_remove(&d_->coreListener);
            pw_core_disconnect(d_->core);
            d_->core = nullptr;
        }
        pw_thread_loop_unlock(d_->loop);
        pw_thread_loop_stop(d_->loop);
    }
    if (d_->context)
        pw_context_destroy(d_->context);
    if (d_->loop)
        pw_thread_loop_destroy(d_->loop);
    d_->context = nullptr;
    d_->loop = nullptr;
    d_->cursorKnown = false;
    d_->streaming = false;
    d_->format = {};
    QMutexLocker lock(&d_->mutex);
    d_->frameSize = QSize();
    d_->outSquare = QImage();
    d_->pending = false;
}
