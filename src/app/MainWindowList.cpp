// The main window's list view, the capture command and the code field.
#include <QApplication>
#include <QPalette>
#include <climits>
#include <cstdint>

#include "app/MainWindow.h"
#include "capture/CaptureController.h"
#include "config/AppSettings.h"
#include "color/ColorCodes.h"
#include "colorlist/reFormColorList.h"
#include "config/UiTexts.h"
#include "ui/Prompts.h"

namespace {

constexpr int kMinimumFilledRows = 5;
constexpr int kEmptyGridRows = 6;

void SetFieldColors(QLineEdit* field, const QColor& background, const QColor& text)
{
    QPalette palette = field->palette();
    if (palette.color(QPalette::Base) == background && palette.color(QPalette::Text) == text)
        return;
    palette.setColor(QPalette::Base, background);
    palette.setColor(QPalette::Text, text);
    field->setPalette(palette);
}

// The characters the code field takes once it holds text.
bool IsCodeKey(char16_t c, int formatIndex)
{
    if (c == '-')
        return NotationHasNegativeNumbers(formatIndex);
    switch (c) {
    case 3: case 8: case 13: case 16: case 24: case ' ': case '#': case ',': case '.':
        return true;
    default:
        return (c >= '0' && c <= '9') || (c >= 'A' && c <= 'F') || (c >= 'a' && c <= 'f');
    }
}

} // namespace

void MainWindow::CreateListView()
{
    GridCapture = new ColorGrid(Client);
    GridCapture->setObjectName("GridCapture");
    GridCapture->setGeometry(119, 2, 45, 106);
    GridCapture->setDefaultColumnWidth(172);
    GridCapture->setDefaultRowHeight(20);
    GridCapture->setColumnCount(1);
    GridCapture->setRowCount(kEmptyGridRows);
    GridCapture->setCellColorsOn(true);
    GridCapture->setCellColors([this](int row, int col, ColorGrid::CellState state, QColor& brush, QColor& font) {
        GridCaptureGetCellColor(GridCapture, row, col, state, brush, font);
    });
    connect(GridCapture, &ColorGrid::cellSelected, this, [this](int row, int col) {
        bool canSelect = true;
        GridCaptureSelectCell(GridCapture, col, row, canSelect);
    });
    connect(GridCapture, &ColorGrid::doubleClickedAnywhere, this, &MainWindow::ShowFormColorList);
    connect(colorList_, &ColorListModel::colorsChanged, this, &MainWindow::FillGridCapture);
    connect(colorList_, &ColorListModel::selectionChanged, this, &MainWindow::SelectedListColorChanged);
}

void MainWindow::FillGridCapture()
{
    const TColorArray& list = colorList_->colors();
    if (list.empty()) {
        ResetGridCapture();
        return;
    }
    int rows = list.size() > std::size_t(INT_MAX) ? INT_MAX : int(list.size());
    if (rows < kMinimumFilledRows)
        rows = kEmptyGridRows;
    GridCapture->setRowCount(rows);
    // The grid's current row follows the selection back to row 0 (without
    // selecting anything): otherwise a click on the row that was current
    // before the refill would not select it, and "Delete color" would then
    // remove row 0 instead of the row the user clicked.
    GridCapture->setCurrentRowQuietly(0);
    colorList_->setSelectedIndex(0);
    RefreshEditCaptureColor();
    GridCapture->repaintCells();
}

void MainWindow::ResetGridCapture()
{
    GridCapture->clearCells();
    GridCapture->setRowCount(kEmptyGridRows);
    SelectedListColorChanged();
}

void MainWindow::RefreshEditCaptureColor()
{
    const TColor color = colorList_->currentColor();
    EditCaptureColor->setText(ShowCodeColorsCapture(color));
    SetFieldColors(EditCaptureColor, ToQColor(color), ToQColor(ContrastTextColor(color)));
}

void MainWindow::ResetCapturePanelBottom()
{
    EditCaptureColor->clear();
    SetFieldColors(EditCaptureColor, Qt::white, QApplication::palette().color(QPalette::Text));
}

void MainWindow::GridCaptureGetCellColor(ColorGrid*, int ARow, int, ColorGrid::CellState,
                                        QColor& brush, QColor& font)
{
    const TColorArray& list = colorList_->colors();
    if (ARow < 0 || std::size_t(ARow) >= list.size())
        return;
    const TColor color = list[std::size_t(ARow)];
    brush = ToQColor(color);
    font = ToQColor(ContrastTextColor(color));
}

void MainWindow::GridCaptureSelectCell(ColorGrid*, int, int ARow, bool&)
{
    const TColorArray& list = colorList_->colors();
    if (ARow < 0 || std::size_t(ARow) >= list.size())
        return;
    colorList_->setCurrentColor(list[std::size_t(ARow)]);
    RefreshEditCaptureColor();
    colorList_->setSelectedIndex(ARow);
}

void MainWindow::NotationChanged()
{
    if (!colorList_->isEmpty())
        FillGridCapture();
}

void MainWindow::CaptureColor()
{
    // The colour of the last tick: a capture never reads the screen itself.
    const TColor color = Capture().color();
    colorList_->setCurrentColor(color);
    colorList_->insertFirst(color);
    // An open manager would otherwise replace the list without it on closing.
    if (TFormColorList* manager = TFormColorList::Open())
        manager->InsertCaptured(color);
    GridCapture->setCurrentRow(0);
}

void MainWindow::PopupCaptureColorClick()
{
    CaptureColor();
}

void MainWindow::PopupDeleteColorClick()
{
    // Del is a shortcut of the whole window; only the list's Del deletes.
    if (!GridCapture->hasFocus())
        return;
    colorList_->remove(colorList_->selectedIndex());
    if (colorList_->isEmpty())
        ResetCapturePanelBottom();
    NotationBox->setFocus();
}

void MainWindow::PopupClearColorListClick()
{
    colorList_->clear();
}

bool MainWindow::EditCaptureColorKeyPress(QChar& key)
{
    // Tab and Delete move the focus or edit the text; they are keys, not typed characters.
    if (key.unicode() == 9 || key.unicode() == 127)
        return true;
    if (EditCaptureColor->text().isEmpty())
        return true;
    if (key == u'.' || key == u',')
        key = QChar(char16_t(DecimalSeparator()));
    if (!IsCodeKey(key.unicode(), FormatIndex()))
        return false;
    if (key.unicode() == 13) {
        const ColorReadResult read =
            ReadColorCode(EditCaptureColor->text().toStdString(),
                                std::uint8_t(FormatIndex()), DecimalSeparator());
        if (read.status == ReadStatus::Read) {
            colorList_->setCurrentColor(read.color);
            colorList_->insertFirst(read.color);
        } else if (read.status == ReadStatus::WrongShape) {
            prompts_.message(mkInformation, QString::fromStdString(UiTexts().SErrorColorInput));
        }
    }
    return true;
}
