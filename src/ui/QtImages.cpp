#include "ui/QtImages.h"

#include <QCoreApplication>
#include <QFile>
#include <QPainter>
#include <QPainterPath>
#include <QTransform>
#include <array>
#include <cstring>

#include "core/ui/JpegImage.h"

QImage JpegToImage(const QByteArray& bytes)
{
    const auto decoded = DecodeJpeg(reinterpret_cast<const std::uint8_t*>(bytes.constData()),
                                    std::size_t(bytes.size()));
    if (!decoded)
        return {};
    QImage image(decoded->width, decoded->height, QImage::Format_RGB888);
    for (int y = 0; y < decoded->height; ++y)
        std::memcpy(image.scanLine(y), decoded->rgb.data() + std::size_t(y) * decoded->width * 3,
                    std::size_t(decoded->width) * 3);
    return image.convertToFormat(QImage::Format_RGB32);
}

QImage LoadJpegResource(const QString& resourcePath)
{
    QFile file(resourcePath);
    if (!file.open(QIODevice::ReadOnly))
        return {};
    return JpegToImage(file.readAll());
}

namespace {

// One small glyph per menu item, drawn in a few strokes.
void DrawGlyph(QPainter& p, const QString& name)
{
    p.setRenderHint(QPainter::Antialiasing);
    const QColor ink(40, 60, 110);
    p.setPen(QPen(ink, 1.4));
    if (name.contains("Open") || name == "MenuSwatches") {
        p.setBrush(QColor(240, 200, 90));
        p.drawRect(2, 5, 12, 8);
        p.drawLine(2, 5, 5, 3);
        p.drawLine(5, 3, 8, 5);
        if (name == "MenuSwatches") {
            p.setPen(Qt::NoPen);
            p.setBrush(QColor(220, 40, 40)); p.drawEllipse(4, 8, 3, 3);
            p.setBrush(QColor(40, 160, 60)); p.drawEllipse(7, 8, 3, 3);
            p.setBrush(QColor(40, 80, 220)); p.drawEllipse(10, 8, 3, 3);
        }
    } else if (name == "MenuExportColorList") {
        // A sheet of colours and an arrow leaving it.
        p.setBrush(Qt::white);
        p.drawRect(2, 2, 9, 12);
        p.setPen(Qt::NoPen);
        p.setBrush(QColor(220, 60, 60)); p.drawRect(4, 4, 5, 2);
        p.setBrush(QColor(60, 170, 70)); p.drawRect(4, 7, 5, 2);
        p.setBrush(QColor(60, 90, 220)); p.drawRect(4, 10, 5, 2);
        p.setPen(QPen(ink, 1.6));
        p.drawLine(9, 8, 15, 8);
        p.drawLine(12, 5, 15, 8);
        p.drawLine(12, 11, 15, 8);
    } else if (name.contains("Save")) {
        p.setBrush(QColor(90, 120, 200));
        p.drawRect(2, 2, 12, 12);
        p.setBrush(Qt::white);
        p.drawRect(5, 3, 6, 4);
    } else if (name == "MenuClose") {
        p.setPen(QPen(QColor(190, 30, 30), 2));
        p.drawLine(4, 4, 12, 12);
        p.drawLine(12, 4, 4, 12);
    } else if (name.contains("CopyColorList") || name.endsWith("Copy")) {
        p.setBrush(Qt::white);
        p.drawRect(2, 2, 8, 10);
        p.drawRect(6, 5, 8, 10);
    } else if (name.endsWith("Cut")) {
        p.drawEllipse(2, 10, 4, 4);
        p.drawEllipse(10, 10, 4, 4);
        p.drawLine(5, 10, 11, 2);
        p.drawLine(11, 10, 5, 2);
    } else if (name.endsWith("Paste")) {
        p.setBrush(QColor(200, 160, 100));
        p.drawRect(3, 3, 10, 12);
        p.setBrush(Qt::white);
        p.drawRect(6, 1, 4, 4);
    } else if (name.contains("Clear") || name.contains("Delete")) {
        p.setPen(QPen(QColor(190, 30, 30), 2));
        p.drawLine(3, 8, 13, 8);
        if (name.contains("Clear")) {
            p.drawLine(3, 4, 13, 4);
            p.drawLine(3, 12, 13, 12);
        }
    } else if (name == "MenuHotkey" || name == "ContextCaptureColor") {
        p.setBrush(QColor(235, 235, 235));
        p.drawRoundedRect(1, 4, 14, 9, 2, 2);
        p.drawText(QRect(1, 4, 14, 9), Qt::AlignCenter, "C");
    } else if (name == "MenuLanguage" || name == "MenuWebsite") {
        p.setBrush(QColor(120, 180, 230));
        p.drawEllipse(2, 2, 12, 12);
        p.drawLine(2, 8, 14, 8);
        p.drawEllipse(5, 2, 6, 12);
    } else if (name == "MenuColorListManaging") {
        const QColor bars[] = {QColor(220, 60, 60), QColor(60, 170, 70), QColor(60, 90, 220)};
        for (int i = 0; i < 3; ++i) {
            p.setPen(Qt::NoPen);
            p.setBrush(bars[i]);
            p.drawRect(2, 2 + i * 4, 12, 3);
        }
    } else if (name == "MenuHelpIndex" || name == "MenuAbout") {
        p.setBrush(name == "MenuAbout" ? QColor(90, 150, 230) : QColor(250, 220, 90));
        p.drawEllipse(1, 1, 14, 14);
        p.setPen(ink);
        p.drawText(QRect(1, 1, 14, 14), Qt::AlignCenter, name == "MenuAbout" ? "i" : "?");
    }
}

constexpr int kButtonPictureSize = 16;

QIcon DrawButtonPicture(ButtonPicture glyph)
{
    QPixmap pixmap(kButtonPictureSize, kButtonPictureSize);
    pixmap.fill(Qt::transparent);
    QPainter p(&pixmap);
    p.setRenderHint(QPainter::Antialiasing);
    const QColor blue(0x1F, 0x4E, 0xA8);
    switch (glyph) {
    case ButtonPicture::Up:
    case ButtonPicture::Down: {
        QPainterPath arrow;
        arrow.moveTo(8, 2);
        arrow.lineTo(14, 9);
        arrow.lineTo(10.5, 9);
        arrow.lineTo(10.5, 14);
        arrow.lineTo(5.5, 14);
        arrow.lineTo(5.5, 9);
        arrow.lineTo(2, 9);
        arrow.closeSubpath();
        if (glyph == ButtonPicture::Down) // the up arrow upside down
            arrow = QTransform(1, 0, 0, -1, 0, kButtonPictureSize).map(arrow);
        p.setPen(QPen(blue.darker(140), 1));
        p.setBrush(blue);
        p.drawPath(arrow);
        break;
    }
    case ButtonPicture::Delete:
        p.setPen(QPen(QColor(0xC8, 0x1E, 0x1E), 3, Qt::SolidLine, Qt::RoundCap));
        p.drawLine(QPointF(3.5, 3.5), QPointF(12.5, 12.5));
        p.drawLine(QPointF(12.5, 3.5), QPointF(3.5, 12.5));
        break;
    case ButtonPicture::UndoAll: {
        p.setPen(QPen(blue, 2, Qt::SolidLine, Qt::RoundCap));
        p.setBrush(Qt::NoBrush);
        // A backward turning arrow: an open arc with its head at the top left.
        p.drawArc(QRectF(3, 3, 10, 10), 150 * 16, -270 * 16);
        QPainterPath head;
        head.moveTo(1, 4);
        head.lineTo(7, 3);
        head.lineTo(4, 9);
        head.closeSubpath();
        p.setPen(Qt::NoPen);
        p.setBrush(blue);
        p.drawPath(head);
        break;
    }
    case ButtonPicture::Close:
        p.setPen(QPen(QColor(0x1E, 0x8C, 0x32), 3, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
        p.drawPolyline(QPolygonF({QPointF(3, 8.5), QPointF(6.5, 12), QPointF(13, 4)}));
        break;
    }
    return QIcon(pixmap);
}

} // namespace

QIcon MenuIcon(const QString& itemName)
{
    QPixmap pixmap(16, 16);
    pixmap.fill(Qt::transparent);
    QPainter p(&pixmap);
    QFont f = p.font();
    f.setPixelSize(9);
    f.setBold(true);
    p.setFont(f);
    DrawGlyph(p, itemName);
    p.end();
    return QIcon(pixmap);
}

// Drawn once per run: a new picture at every opening of a window would leave
// Qt's pixmap cache full of button images that are never shown again.
const QIcon& ButtonIcon(ButtonPicture glyph)
{
    static std::array<QIcon, 5>* icons = nullptr;
    if (!icons) {
        icons = new std::array<QIcon, 5>;
        for (ButtonPicture g : {ButtonPicture::Up, ButtonPicture::Down, ButtonPicture::Delete,
                                ButtonPicture::UndoAll, ButtonPicture::Close})
            (*icons)[std::size_t(g)] = DrawButtonPicture(g);
        // Pictures must go before the application does.
        qAddPostRoutine([] {
            delete icons;
            icons = nullptr;
        });
    }
    return (*icons)[std::size_t(glyph)];
}
