#pragma once
// Draws short texts of a few characters (a pointer position: digits,
// brackets, comma, minus) from glyphs laid out once per font, with no text
// shaping per text. It draws only what it has proved identical to
// QPainter::drawText (left-aligned, vertically centred); otherwise draw()
// returns false and the caller draws the text itself.
#include <QFont>
#include <QGlyphRun>
#include <QRawFont>
#include <QString>
#include <array>
#include <QPointF>

class QPainter;
class QRect;

class GlyphText {
public:
    static constexpr const char* kCharacters = "0123456789[],-";

    bool draw(QPainter& painter, const QRect& rect, const QString& text);

private:
    void prepare(const QFont& font, int height);
    bool drawRun(QPainter& painter, QPointF origin, const QString& text, const QRect* clip);

    QFont font_;
    int height_ = -1;
    bool usable_ = false;
    QRawFont rawFont_;
    std::array<quint32, 128> glyphs_{};
    std::array<qreal, 128> advances_{};
    int baseline_ = 0; // from the top of the text's rectangle
    QGlyphRun run_;
    QList<quint32> indexes_;
    QList<QPointF> positions_;
};
