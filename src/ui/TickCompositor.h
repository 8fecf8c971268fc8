#pragma once
// The pixels of the tick's readouts, drawn into images as their widgets draw
// themselves, for presenters that put them on the screen directly.
#include <QImage>
#include <QRect>

#include "ui/GlyphAtlas.h"
#include "ui/TickPresenter.h"

class TickCompositor {
public:
    // Sizes, fonts and colours as the widgets have them now.
    explicit TickCompositor(const TickWidgets& widgets);

    QSize magnifierSize() const { return magnifierSize_; }
    QSize swatchSize() const { return swatchSize_; }
    QSize positionSize() const { return positionBackground_.size(); }

    // Each image is RGB32 at its readout's size.
    void drawMagnifier(QImage& image, const QImage& magnified) const;
    void drawSwatch(QImage& image, TColor color, const QString& code, TColor codeColor);
    void drawPosition(QImage& image, const QString& position);

    // Lines the glyph atlases could not compose.
    int painterFallbacks() const { return codeGlyphs_.painterFallbacks() + positionGlyphs_.painterFallbacks(); }

private:
    QSize magnifierSize_;
    QSize swatchSize_;
    QRect codeRect_; // within the swatch
    int codeFlags_ = 0;
    GlyphAtlas codeGlyphs_;
    QImage positionBackground_; // the panel with its frame and no text
    QRect positionRect_; // within the panel
    int positionFlags_ = 0;
    QRgb positionColor_ = 0;
    GlyphAtlas positionGlyphs_;
};
