#include "app/GlyphText.h"

#include <QImage>
#include <QPainter>
#include <QTextLayout>
#include <cstring>

namespace {

QTextLayout* LaidOut(QTextLayout& layout)
{
    layout.beginLayout();
    layout.createLine();
    layout.endLayout();
    return &layout;
}

bool Known(QChar c)
{
    return c.unicode() != 0 && c.unicode() < 128 && std::strchr(GlyphText::kCharacters, char(c.unicode()));
}

QImage Blank(int height)
{
    QImage image(200, height, QImage::Format_RGB32);
    image.fill(Qt::white);
    return image;
}

} // namespace

void GlyphText::prepare(const QFont& font, int height)
{
    font_ = font;
    height_ = height;
    usable_ = false;
    rawFont_ = QRawFont();
    const QString characters = QString::fromLatin1(kCharacters);
    for (QChar c : characters) {
        QTextLayout layout(QString(c), font);
        const QList<QGlyphRun> runs = LaidOut(layout)->glyphRuns();
        if (runs.size() != 1 || runs[0].glyphIndexes().size() != 1)
            return;
        if (rawFont_.isValid() && runs[0].rawFont() != rawFont_)
            return;
        rawFont_ = runs[0].rawFont();
        glyphs_[c.unicode()] = runs[0].glyphIndexes()[0];
        advances_[c.unicode()] = layout.lineAt(0).naturalTextWidth();
    }
    // Pairs that the font kerns would need shaping.
    for (QChar a : characters)
        for (QChar b : characters) {
            QTextLayout layout(QString(a) + b, font);
            const QList<QGlyphRun> runs = LaidOut(layout)->glyphRuns();
            if (runs.size() != 1 || runs[0].positions().size() != 2
                || runs[0].positions()[1].x() - runs[0].positions()[0].x() != advances_[a.unicode()])
                return;
        }
    // Where drawText puts the baseline: found by drawing both ways.
    const QString sample = QStringLiteral("[-1234,-567890]");
    QImage expected = Blank(height);
    {
        QPainter p(&expected);
        p.setFont(font);
        p.drawText(QRect(0, 0, expected.width(), height), Qt::AlignLeft | Qt::AlignVCenter, sample);
    }
    for (int baseline = 0; baseline <= height; ++baseline) {
        QImage drawn = Blank(height);
        QPainter p(&drawn);
        p.setFont(font);
        if (!drawRun(p, QPointF(0, baseline), sample, nullptr))
            return;
        p.end();
        if (drawn == expected) {
            usable_ = true;
            baseline_ = baseline;
            return;
        }
    }
}

bool GlyphText::drawRun(QPainter& painter, QPointF origin, const QString& text, const QRect* clip)
{
    indexes_.resize(text.size());
    positions_.resize(text.size());
    qreal x = 0;
    for (qsizetype i = 0; i < text.size(); ++i) {
        const QChar c = text[i];
        if (!Known(c))
            return false;
        indexes_[i] = glyphs_[c.unicode()];
        positions_[i] = QPointF(x, 0);
        x += advances_[c.unicode()];
    }
    run_.setRawFont(rawFont_);
    run_.setGlyphIndexes(indexes_);
    run_.setPositions(positions_);
    // drawText clips a text wider than its rectangle to it.
    const bool clipped = clip && x > clip->width() - 2;
    if (clipped) {
        painter.save();
        painter.setClipRect(*clip, Qt::IntersectClip);
    }
    painter.drawGlyphRun(origin, run_);
    if (clipped)
        painter.restore();
    return true;
}

bool GlyphText::draw(QPainter& painter, const QRect& rect, const QString& text)
{
    if (painter.font() != font_ || rect.height() != height_)
        prepare(painter.font(), rect.height());
    return usable_ && drawRun(painter, QPointF(rect.x(), rect.y() + baseline_), text, &rect);
}
