#pragma once
// The captured colours and what the user has chosen among them: the list, the
// colour the code field shows, the selected row, and where the manager window
// last stood. Views bind to it; it knows none of them.
#include <QObject>
#include <QRect>
#include <optional>

#include "colorlist/ColorListOps.h"

class ColorListModel : public QObject {
    Q_OBJECT
public:
    // The manager's size before the user first resizes it.
    static constexpr QSize kManagerSize{220, 315};

    explicit ColorListModel(QObject* parent = nullptr);

    const TColorArray& colors() const { return colors_; }
    bool isEmpty() const { return colors_.empty(); }
    void setColors(TColorArray colors);
    void insertFirst(TColor color);
    // Out of range (a selection of -1 included) changes nothing.
    void remove(std::int32_t index);
    void clear();
    // Gives the memory back too: a list may have held millions of colours.
    void release();

    // The colour of the code field and the swatch; a refill leaves it alone.
    TColor currentColor() const { return currentColor_; }
    void setCurrentColor(TColor color);

    std::int32_t selectedIndex() const { return selectedIndex_; }
    void setSelectedIndex(std::int32_t index);
    // The selected colour; none when the selection is outside the list.
    std::optional<TColor> selectedColor() const;

    // Where the manager window opens: its place is unset until it first opens.
    QRect managerGeometry() const { return managerGeometry_; }
    void setManagerGeometry(const QRect& geometry) { managerGeometry_ = geometry; }
    int managerOpenCount() const { return managerOpenCount_; }
    void countManagerOpening() { ++managerOpenCount_; }

signals:
    void colorsChanged();
    void currentColorChanged(TColor color);
    void selectionChanged(std::int32_t index);

private:
    TColorArray colors_;
    TColor currentColor_ = 0xFFFFFF;
    std::int32_t selectedIndex_ = 0;
    QRect managerGeometry_{QPoint(0, 0), kManagerSize};
    int managerOpenCount_ = 0;
};
