#pragma once
// The colour-list manager window: reorders and prunes the colour list, and
// undoes all of that back to the list it opened on.
#include <QDialog>
#include <QRect>

#include "core/colorlist/ColorListOps.h"

class QToolButton;
class ColorGrid;
class ColorListModel;
class PanelStatusBar;
class Translations;

class ListManagerWindow : public QDialog {
    Q_OBJECT
public:
    // Opens on the list with currentRow as the grid's current row, at the
    // list's manager place; its caption and hints are in the language in use.
    ListManagerWindow(ColorListModel& list, int currentRow, const Translations& translations,
                      QWidget* parent = nullptr);

signals:
    // The user selected a row: the main list follows.
    void rowSelected(int row);
    // Closing, by whatever way: the window's place.
    void closing(const QRect& geometry);

protected:
    void showEvent(QShowEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void done(int result) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void fitColumns();
    void numberRows();
    void showList();
    void showSelection();
    void selectRow(int row);
    void moveUp();
    void moveDown();
    void deleteSelected();
    void undoAll();
    // A colour captured while the window is open: undoing all keeps it.
    void colorsInserted(int first, int last);
    void setSelectedIndex(std::int32_t index);

    ColorListModel& list_;
    const int openedRow_;
    const Translations& translations_;
    // The list as it was opened, for undoing all.
    RgbList opened_;

    QToolButton* buttonUp_ = nullptr;
    QToolButton* buttonDown_ = nullptr;
    QToolButton* buttonDelete_ = nullptr;
    QToolButton* buttonUndoAll_ = nullptr;
    QToolButton* buttonClose_ = nullptr;
    PanelStatusBar* statusBar_ = nullptr;
    ColorGrid* grid_ = nullptr;

    bool shown_ = false;
    bool closed_ = false;
};
