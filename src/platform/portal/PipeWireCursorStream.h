#pragma once
// Reads a PipeWire screen-cast stream whose frames carry the pointer's
// position as metadata (the ScreenCast portal's cursor mode "metadata"), and
// copies only the 39 x 39 pixels around the pointer out of each frame. The
// stream runs on PipeWire's own thread; the squares reach the thread that
// owns this object, the latest one only, so a busy window never queues them.
//
// Desktops send a frame without a picture when only the pointer moved: the
// last frame with a picture is kept (not copied) until a newer one comes, so
// the square under a moving pointer stays exact over a still screen.
#include <QImage>
#include <QObject>
#include <QPoint>
#include <QSize>
#include <cstdint>
#include <memory>

class PipeWireCursorStream : public QObject {
    Q_OBJECT
public:
    static constexpr int kRadius = 19; // the square is 2 * kRadius + 1 pixels wide

    explicit PipeWireCursorStream(QObject* parent = nullptr);
    ~PipeWireCursorStream() override;

    // Connects through a PipeWire remote (the portal's file descriptor, which
    // the stream takes over; -1 for the user's PipeWire daemon) to the node.
    bool Open(int remoteFd, std::uint32_t nodeId, QString* error = nullptr);
    void Close();

    // The frame size agreed with the producer; empty before the first agreement.
    QSize FrameSize() const;

signals:
    // The pointer in the stream's pixels, and the square around it
    // (Format_RGB32); what lies outside the frame is white.
    void frameReady(QPoint cursor, const QImage& square);
    void failed(const QString& reason);

private:
    struct Private;
    std::unique_ptr<Private> d_;
};
