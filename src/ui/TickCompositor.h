#pragma once
// The pixels of the tick's readouts, drawn into images as their widgets draw
// themselves, for presenters that put them on the screen directly.
#include <QImage>
#include <QRect>

#include "ui/GlyphAtlas.h"
#include "ui/TickPresenter.h"

class PanelStatusBar;

class TickCompositor {
public:
    // Sizes, fonts and colours as the widgets have them now.
    explicit TickCompositor(const TickWidgets& widgets);

    QSize magnifierSize() const { return magnifierSize_; }
    QSize swatchSize() const { return swatchSize_; }
    QSize positionSize() const { return position_.background.size(); }
    bool hasContrast() const { return !contrast_.background.isNull(); }
    // A panel as far as it shows: the last may run past the bar's end.
    static QRect panelArea(const PanelStatusBar* bar, int index);

    // Each image is RGB32 at its readout's size.
    void drawMagnifier(QImage& image, const QImage& magnified) const;
    void drawSwatch(QImage& image, Rgb color, const QString& code, Rgb codeColor);
    void drawPosition(QImage& image, const QString& position);
    void drawContrast(QImage& image, const QString& contrast);

    // Prepares the glyphs of hexadecimal codes and of positions at every place
    // a line can put them (about 20 ms), rather than one by one as they first show.
    void learnGlyphs();

    // Lines the glyph atlases could not compose.
    int painterFallbacks() const { return codeGlyphs_.painterFallbacks() + panelGlyphs_.painterFallbacks(); }

private:
    struct Panel {
        QImage background; // with its frame and no text
        QRect textRect; // within the panel
        int flags = 0;
    };
    static Panel panel(const TickWidgets& widgets, int index);
    void drawPanel(QImage& image, const Panel& panel, const QString& text);

    QSize magnifierSize_;
    QSize swatchSize_;
    QRect codeRect_; // within the swatch
    int codeFlags_ = 0;
    GlyphAtlas codeGlyphs_;
    Panel position_;
    Panel contrast_; // none without a contrast panel
    QRgb panelTextColor_ = 0;
    GlyphAtlas panelGlyphs_;
};
