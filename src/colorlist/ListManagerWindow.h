#pragma once
// The colour-list manager window: reorders, prunes and restores a working copy
// of the main window's list, and always hands the copy back when it closes.
#include <QDialog>
#include <QRect>
#include <functional>

#include "colorlist/ColorGrid.h"
#include "colorlist/ColorListOps.h"

class QToolButton;
class PanelStatusBar;
struct TUiTexts;

// What the manager opens on, and hands back when it closes.
struct ManagedList {
    TColorArray colors;
    int currentRow = 0;
    QRect geometry; // the manager window's place and size
};

class ListManagerWindow : public QDialog {
    Q_OBJECT
public:
    // codeOf gives a colour's code in the main window's notation; texts are
    // the caption and hints, in the language in use.
    ListManagerWindow(ManagedList list, std::function<QString(TColor)> codeOf, const TUiTexts& texts,
                      QWidget* parent = nullptr);

    const TColorArray& workingCopy() const { return workList_; }
    // The selected row of the working copy; -1 once it is emptied.
    std::int32_t selectedIndex() const { return selectedIndex_; }

    // Puts a colour just captured into the main list at the head of the
    // working copy too; the selection stays on the colour it was on.
    void insertCaptured(TColor color);

signals:
    // The user selected a row: the main list follows.
    void rowSelected(int row);
    // Closing, by whatever way: the working copy and the window's place.
    void closing(const ManagedList& result);

protected:
    void showEvent(QShowEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void done(int result) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void fitColumns();
    void numberRows();
    void clearGrid();
    void showList();
    void showSelection();
    QString cellText(int column, int row) const;
    void cellColors(int row, int column, QColor& brush, QColor& text) const;
    void drawNumber(int column, int row, const QRect& rect, QPainter& painter, const QColor& brush,
                    const QColor& text) const;
    void selectRow(int row);
    void moveUp();
    void moveDown();
    void deleteSelected();
    void undoAll();

    ManagedList opened_;
    std::function<QString(TColor)> codeOf_;
    const TUiTexts& texts_;
    TColorArray workList_;
    std::int32_t selectedIndex_ = 0;

    QToolButton* buttonUp_ = nullptr;
    QToolButton* buttonDown_ = nullptr;
    QToolButton* buttonDelete_ = nullptr;
    QToolButton* buttonUndoAll_ = nullptr;
    QToolButton* buttonClose_ = nullptr;
    PanelStatusBar* statusBar_ = nullptr;
    ColorGrid* grid_ = nullptr;

    // The grid's texts are produced on demand instead of stored (a list can
    // hold a million colours); these say which texts the grid holds now.
    bool rowsNumbered_ = false;
    bool codesShown_ = false;
    bool shown_ = false;
    bool closed_ = false;
};
