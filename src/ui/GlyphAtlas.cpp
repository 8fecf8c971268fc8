#include "ui/GlyphAtlas.h"

#include <QFontMetricsF>
#include <QPainter>
#include <algorithm>
#include <cmath>

namespace {

constexpr int kPad = 8; // room around a glyph's pen position for its overhangs
constexpr int kSupportedFlags = Qt::AlignLeft | Qt::AlignHCenter | Qt::AlignVCenter;

// The pen's position within a pixel, in steps finer than any the text engine uses.
quint64 Phase(qreal v)
{
    return quint64(std::lround((v - std::floor(v)) * 4096));
}

inline int ByteMul(int value, int alpha)
{
    const int v = value * alpha;
    return (v + (v >> 8) + 0x80) >> 8;
}

// Qt's blend of a glyph's coverage over an opaque pixel: the pen scaled by the
// coverage, plus what is under it by the rest, each rounded on its own.
inline int Blend(int pen, int under, int coverage)
{
    return ByteMul(pen, coverage) + ByteMul(under, 255 - ByteMul(255, coverage));
}

qreal AdvanceOf(const QFont& font, QHash<QChar, qreal>& cache, QChar c)
{
    if (auto it = cache.constFind(c); it != cache.constEnd())
        return *it;
    return *cache.insert(c, QFontMetricsF(font).horizontalAdvance(c));
}

} // namespace

GlyphAtlas::GlyphAtlas(const QFont& font) : font_(font)
{
    const QFontMetricsF metrics(font_);
    ascent_ = metrics.ascent();
    // A laid-out line is as high as the font, rounded up to whole pixels.
    lineHeight_ = std::ceil(metrics.ascent() + metrics.descent());
}

void GlyphAtlas::drawText(QImage& image, const QRect& rect, int flags, const QString& text, QRgb color)
{
    if (composable(text, flags)) {
        compose(image, rect, flags, text, color);
    } else {
        ++painterFallbacks_;
        paint(image, rect, flags, text, color);
    }
}

void GlyphAtlas::learn(QStringView characters)
{
    for (const QChar first : characters)
        for (const QChar second : characters)
            pair(first, second);
}

bool GlyphAtlas::composable(const QString& text, int flags)
{
    if ((flags & ~kSupportedFlags) || !(flags & Qt::AlignVCenter))
        return false;
    for (qsizetype i = 0; i < text.size(); ++i) {
        const QChar c = text[i];
        if (c.unicode() < 0x20 || c.unicode() > 0xFF || c.unicode() == 0x7F || c == u'&')
            return false;
        if (i + 1 < text.size() && !pair(c, text[i + 1]).composable)
            return false;
    }
    return true;
}

// Two characters compose where drawing them one by one at their kerned
// positions gives what QPainter draws for both; a ligature does not.
const GlyphAtlas::Pair& GlyphAtlas::pair(QChar first, QChar second)
{
    const quint32 key = (quint32(first.unicode()) << 16) | second.unicode();
    if (auto it = pairs_.constFind(key); it != pairs_.constEnd())
        return *it;
    const QFontMetricsF metrics(font_);
    const QString both = QString(first) + second;
    Pair result;
    result.kerning = metrics.horizontalAdvance(both) - AdvanceOf(font_, advances_, first)
                     - AdvanceOf(font_, advances_, second);
    pairs_.insert(key, result); // compose() below needs the kerning
    const QRect box(kPad, kPad, int(metrics.horizontalAdvance(both)) + 2 * kPad,
                    int(lineHeight_) + 2);
    QImage painted(box.size() + QSize(2 * kPad, 2 * kPad), QImage::Format_RGB32);
    painted.fill(Qt::white);
    QImage composed = painted.copy();
    paint(painted, box, Qt::AlignLeft | Qt::AlignVCenter, both, qRgb(0, 0, 0));
    compose(composed, box, Qt::AlignLeft | Qt::AlignVCenter, both, qRgb(0, 0, 0));
    result.composable = painted == composed;
    return *pairs_.insert(key, result);
}

void GlyphAtlas::learnPlaces(QStringView characters, const QRect& rect)
{
    // Advances and kerning come in 1/64 pixel and centring halves them: a pen
    // starts a character only at whole 1/128ths of a pixel across a line.
    constexpr int kPlaces = 128;
    const qreal penY = rect.y() + (rect.height() - lineHeight_) / 2 + ascent_;
    for (const QChar c : characters)
        for (int k = 0; k < kPlaces; ++k)
            glyph(c, qreal(k) / kPlaces, penY);
}

const GlyphAtlas::Glyph& GlyphAtlas::glyph(QChar c, qreal penX, qreal penY)
{
    const quint64 key = (quint64(c.unicode()) << 32) | (Phase(penX) << 16) | Phase(penY);
    if (auto it = glyphs_.constFind(key); it != glyphs_.constEnd())
        return *it;
    // Drawn at the same place within a pixel, as QPainter draws it in a line.
    const QFontMetricsF metrics(font_);
    const QSize size(int(std::ceil(metrics.horizontalAdvance(c))) + 3 * kPad,
                     int(lineHeight_) + 2 * kPad);
    QImage scratch(size, QImage::Format_ARGB32_Premultiplied);
    scratch.fill(Qt::transparent);
    {
        QPainter p(&scratch);
        p.setFont(font_);
        p.setPen(Qt::black);
        p.drawText(QPointF(kPad + penX - std::floor(penX), kPad + penY - std::floor(penY)), QString(c));
    }
    // Coverage is the alpha of black drawn over nothing; keep only its box.
    int x0 = size.width(), y0 = size.height(), x1 = -1, y1 = -1;
    for (int y = 0; y < size.height(); ++y) {
        const auto* line = reinterpret_cast<const QRgb*>(scratch.constScanLine(y));
        for (int x = 0; x < size.width(); ++x)
            if (qAlpha(line[x])) {
                x0 = std::min(x0, x), x1 = std::max(x1, x);
                y0 = std::min(y0, y), y1 = std::max(y1, y);
            }
    }
    Glyph g;
    if (x1 >= 0) {
        g.coverage = QImage(x1 - x0 + 1, y1 - y0 + 1, QImage::Format_Alpha8);
        for (int y = y0; y <= y1; ++y) {
            const auto* from = reinterpret_cast<const QRgb*>(scratch.constScanLine(y));
            uchar* to = g.coverage.scanLine(y - y0);
            for (int x = x0; x <= x1; ++x)
                to[x - x0] = uchar(qAlpha(from[x]));
        }
        g.left = x0 - kPad;
        g.top = y0 - kPad;
    }
    return *glyphs_.insert(key, g);
}

void GlyphAtlas::compose(QImage& image, const QRect& rect, int flags, const QString& text, QRgb color)
{
    qreal width = 0;
    for (qsizetype i = 0; i < text.size(); ++i) {
        width += AdvanceOf(font_, advances_, text[i]);
        if (i + 1 < text.size())
            width += pair(text[i], text[i + 1]).kerning;
    }
    // Placed as QPainter places one line, and clipped to the rectangle as it does.
    qreal penX = rect.x() + ((flags & Qt::AlignHCenter) ? (rect.width() - width) / 2 : 0);
    const qreal penY = rect.y() + (rect.height() - lineHeight_) / 2 + ascent_;
    const QRect clip = rect.intersected(image.rect());
    const int red = qRed(color), green = qGreen(color), blue = qBlue(color);
    for (qsizetype i = 0; i < text.size(); ++i) {
        const Glyph& g = glyph(text[i], penX, penY);
        const int left = int(std::floor(penX)) + g.left, top = int(std::floor(penY)) + g.top;
        const int xFrom = std::max(left, clip.left()), xTo = std::min(left + g.coverage.width(), clip.right() + 1);
        const int yFrom = std::max(top, clip.top()), yTo = std::min(top + g.coverage.height(), clip.bottom() + 1);
        for (int y = yFrom; y < yTo; ++y) {
            const uchar* coverage = g.coverage.constScanLine(y - top) - left;
            auto* line = reinterpret_cast<QRgb*>(image.scanLine(y));
            for (int x = xFrom; x < xTo; ++x) {
                const int a = coverage[x];
                if (!a)
                    continue;
                const QRgb under = line[x];
                line[x] = qRgb(Blend(red, qRed(under), a), Blend(green, qGreen(under), a),
                               Blend(blue, qBlue(under), a));
            }
        }
        penX += AdvanceOf(font_, advances_, text[i]);
        if (i + 1 < text.size())
            penX += pair(text[i], text[i + 1]).kerning;
    }
}

void GlyphAtlas::paint(QImage& image, const QRect& rect, int flags, const QString& text, QRgb color) const
{
    QPainter p(&image);
    p.setFont(font_);
    p.setPen(QColor(color));
    p.drawText(rect, flags, text);
}
