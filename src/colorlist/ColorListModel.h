#pragma once
// The captured colours and what the user has chosen among them: the list, the
// notation its codes are written in, the colour the code field shows, the
// selected row, and where the manager window last stood. Every view of the
// list reads it as an item model, one row per colour.
#include <QAbstractListModel>
#include <QRect>
#include <optional>

#include "core/colorlist/ColorListOps.h"

class ColorListModel : public QAbstractListModel {
    Q_OBJECT
public:
    // Besides Qt::DisplayRole (the code in the notation), Qt::BackgroundRole
    // (the colour) and Qt::ForegroundRole (the text colour readable on it):
    enum Role {
        // The contrast ratio to the selected colour ("4.5:1"); empty without a selection.
        ContrastRole = Qt::UserRole,
    };

    // The manager's size before the user first resizes it.
    static constexpr QSize kManagerSize{220, 315};

    // Codes and ratios are written with the user's decimal separator.
    explicit ColorListModel(char decimalSeparator, QObject* parent = nullptr);

    int rowCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role) const override;

    const RgbList& colors() const { return colors_; }
    bool isEmpty() const { return colors_.empty(); }
    void setColors(RgbList colors);
    void insertFirst(Rgb color);
    // Out of range (a selection of -1 included) changes nothing.
    void remove(std::int32_t index);
    void moveUp(std::int32_t index);
    void moveDown(std::int32_t index);
    void clear();
    // Gives the memory back too: a list may have held millions of colours.
    void release();

    // The notation of the codes, -1 for none.
    int notation() const { return notation_; }
    void setNotation(int notation);
    char decimalSeparator() const { return decimalSeparator_; }
    // A colour's code in the notation.
    QString codeOf(Rgb color) const;

    // The colour of the code field and the swatch; a refill leaves it alone.
    Rgb currentColor() const { return currentColor_; }
    void setCurrentColor(Rgb color);

    std::int32_t selectedIndex() const { return selectedIndex_; }
    void setSelectedIndex(std::int32_t index);
    // The selected colour; none when the selection is outside the list.
    std::optional<Rgb> selectedColor() const;

    // Where the manager window opens: its place is unset until it first opens.
    QRect managerGeometry() const { return managerGeometry_; }
    void setManagerGeometry(const QRect& geometry) { managerGeometry_ = geometry; }
    int managerOpenCount() const { return managerOpenCount_; }
    void countManagerOpening() { ++managerOpenCount_; }

signals:
    // After every change of the list, however small.
    void colorsChanged();
    void currentColorChanged(Rgb color);
    void selectionChanged(std::int32_t index);

private:
    void allRowsChanged(int role);

    RgbList colors_;
    int notation_ = 0;
    const char decimalSeparator_;
    Rgb currentColor_ = kWhite;
    std::int32_t selectedIndex_ = 0;
    QRect managerGeometry_{QPoint(0, 0), kManagerSize};
    int managerOpenCount_ = 0;
};
