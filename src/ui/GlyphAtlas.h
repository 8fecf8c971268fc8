#pragma once
// Draws short lines of text from glyphs rendered once, for readouts that
// change many times a second. The pixels are those QPainter::drawText gives
// on an opaque RGB32 image; where this font does not allow composing them
// glyph by glyph (ligatures, characters beyond Latin-1, other alignments), it
// leaves the drawing to QPainter.
#include <QFont>
#include <QHash>
#include <QImage>
#include <QString>

class GlyphAtlas {
public:
    explicit GlyphAtlas(const QFont& font);

    // As QPainter::drawText(rect, flags, text) with the pen in color.
    void drawText(QImage& image, const QRect& rect, int flags, const QString& text, QRgb color);

    // Prepares every pair of these characters, so that lines of them cost no
    // rendering later.
    void learn(QStringView characters);
    // Draws each character at every place within a pixel where a line in rect
    // can put it, so that no later line waits for one.
    void learnPlaces(QStringView characters, const QRect& rect);

    // How many lines were drawn by QPainter rather than from the atlas.
    int painterFallbacks() const { return painterFallbacks_; }

private:
    struct Glyph {
        QImage coverage; // Format_Alpha8
        int left = 0; // of coverage, from the pen's whole-pixel position
        int top = 0;
    };
    struct Pair {
        qreal kerning = 0;
        bool composable = false;
    };

    bool composable(const QString& text, int flags);
    const Pair& pair(QChar first, QChar second);
    const Glyph& glyph(QChar c, qreal penX, qreal penY);
    void compose(QImage& image, const QRect& rect, int flags, const QString& text, QRgb color);
    void paint(QImage& image, const QRect& rect, int flags, const QString& text, QRgb color) const;

    QFont font_;
    qreal ascent_ = 0;
    qreal lineHeight_ = 0;
    QHash<QChar, qreal> advances_;
    QHash<quint32, Pair> pairs_;
    QHash<quint64, Glyph> glyphs_;
    int painterFallbacks_ = 0;
};
