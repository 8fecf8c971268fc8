#pragma once
// The colour-list manager window: reorders, prunes and restores a working copy
// of the main window's list, and always hands the copy back when it closes.
#include <QDialog>
#include <QRect>
#include <QToolButton>
#include <QWidget>
#include <functional>

#include "ui/Widgets.h"
#include "colorlist/ColorGrid.h"
#include "colorlist/ColorListOps.h"

// What the manager opens on, and hands back when it closes.
struct ManagedList {
    TColorArray colors;
    int currentRow = 0;
    QRect geometry; // the manager window's place and size
};

class TFormColorList : public QDialog {
    Q_OBJECT
public:
    // codeOf gives a colour's code in the main window's notation.
    TFormColorList(ManagedList list, std::function<QString(TColor)> codeOf, QWidget* parent = nullptr);
    ~TFormColorList() override;

    TColorArray WorkList;
    std::int32_t SelectedIndex = 0;

    QWidget* PanelGrid = nullptr;
    QWidget* PanelMain = nullptr;
    QWidget* PanelButtons = nullptr;
    QToolButton* ButtonUp = nullptr;
    QToolButton* ButtonDown = nullptr;
    QToolButton* ButtonDelete = nullptr;
    QToolButton* ButtonUndoAll = nullptr;
    QToolButton* ButtonClose = nullptr;
    TStatusBar* StatusBar = nullptr;
    ColorGrid* GridCapture = nullptr;

    void FormCreate();
    void FormShow();
    void FormClose();
    void FormResize();
    void InitGridCapture();
    void SetGridLines();
    void ResetGridCapture();
    void FillGridCapture(const TColorArray& list);
    void ActualizeStatusBar();
    void GridCaptureGetCellColor(ColorGrid* sender, int ARow, int ACol, ColorGrid::CellState state,
                                 QColor& brush, QColor& font);
    void GridCaptureDrawCell(ColorGrid* sender, int ACol, int ARow, const QRect& rect,
                             ColorGrid::CellState state, QPainter& canvas, const QColor& brush,
                             const QColor& font);
    void GridCaptureSelectCell(ColorGrid* sender, int ACol, int ARow, bool& canSelect);
    void ButtonUpClick();
    void ButtonDownClick();
    void ButtonDeleteClick();
    void ButtonUndoAllClick();
    void ButtonCloseClick();

    // The manager currently shown, if any: a capture made while it is open
    // must reach its working copy, or closing would drop it.
    static TFormColorList* Open();
    // Puts a colour just captured into the main list at the head of the
    // working copy too; the selection stays on the colour it was on.
    void InsertCaptured(TColor color);

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
    QString CellText(int ACol, int ARow) const;

    ManagedList opened_;
    std::function<QString(TColor)> codeOf_;

    // The grid's texts are produced on demand instead of stored (a list can
    // hold a million colours); these say which texts the grid holds now.
    bool rowsNumbered_ = false;
    bool codesShown_ = false;
    bool shown_ = false;
    bool closed_ = false;
};

