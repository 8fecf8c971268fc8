#include "colorlist/ListManagerWindow.h"

#include <QEvent>
#include <QToolButton>
#include <QVBoxLayout>
#include <algorithm>

#include "colorlist/ColorGrid.h"
#include "colorlist/ColorListModel.h"
#include "config/Translations.h"
#include "ui/ColorSwatch.h"
#include "ui/PanelStatusBar.h"
#include "ui/QtImages.h"

namespace {

constexpr int kDesignRows = 15;
// The number column's least width; wider when the highest number needs it.
constexpr int kNumberColWidth = 40;
// A number's room on either side in its cell.
constexpr int kNumberPadding = 3;
// Column 1 fills the client width less the number column, the ratio column
// and the grid lines.
constexpr int kGridLinesWidth = 2;
// Column 2: each colour's contrast ratio to the selected one ("21.0:1").
constexpr int kRatioColWidth = 40;
constexpr int kButtonPanelWidth = 39;
constexpr Rgb kButtonPanelColor{192, 192, 192}; // silver
constexpr int kStatusBarHeight = 19;

QToolButton* PictureButton(QWidget* parent, const char* name, int top, ButtonPicture picture)
{
    auto* button = new QToolButton(parent);
    button->setObjectName(name);
    button->setGeometry(9, top, 24, 24);
    button->setIcon(ButtonIcon(picture));
    button->setIconSize(QSize(16, 16));
    button->setFocusPolicy(Qt::NoFocus);
    return button;
}

QString UiText(const std::string& text) { return QString::fromStdString(text); }

} // namespace

ListManagerWindow::ListManagerWindow(ColorListModel& list, int currentRow, const Translations& translations,
                                     QWidget* parent)
    : QDialog(parent, Qt::Tool | Qt::WindowStaysOnTopHint | Qt::WindowTitleHint
                          | Qt::WindowCloseButtonHint | Qt::CustomizeWindowHint),
      list_(list), openedRow_(currentRow), translations_(translations)
{
    setObjectName("ListManagerWindow");
    setWindowTitle("Color list");
    setSizeGripEnabled(false);
    setMinimumSize(200, 215);
    setMaximumWidth(240);

    auto* formLayout = new QVBoxLayout(this);
    formLayout->setContentsMargins(0, 0, 0, 0);
    auto* panelGrid = new QWidget(this);
    panelGrid->setObjectName("PanelGrid");
    formLayout->addWidget(panelGrid);

    auto* gridLayout = new QVBoxLayout(panelGrid);
    gridLayout->setContentsMargins(0, 0, 0, 0);
    gridLayout->setSpacing(0);
    auto* panelMain = new QWidget(panelGrid);
    panelMain->setObjectName("PanelMain");
    gridLayout->addWidget(panelMain, 1);
    statusBar_ = new PanelStatusBar(panelGrid);
    statusBar_->setObjectName("StatusBar");
    statusBar_->setFixedHeight(kStatusBarHeight);
    statusBar_->addPanel(170);
    gridLayout->addWidget(statusBar_);

    auto* mainLayout = new QHBoxLayout(panelMain);
    mainLayout->setContentsMargins(0, 0, 0, 0);
    mainLayout->setSpacing(0);
    grid_ = new ColorGrid(panelMain);
    grid_->setObjectName("GridCapture");
    mainLayout->addWidget(grid_, 1);
    // Painted rather than given a silver palette: the buttons would inherit a
    // new palette at every opening, and the style caches its button drawings
    // per palette, so the cache would fill with drawings never reused.
    auto* panelButtons = new ColorSwatch(panelMain);
    panelButtons->setObjectName("PanelButtons");
    panelButtons->setBrushColor(kButtonPanelColor);
    panelButtons->setFramed(false);
    panelButtons->setFixedWidth(kButtonPanelWidth);
    mainLayout->addWidget(panelButtons);

    buttonUp_ = PictureButton(panelButtons, "ButtonUp", 8, ButtonPicture::Up);
    buttonDown_ = PictureButton(panelButtons, "ButtonDown", 32, ButtonPicture::Down);
    buttonDelete_ = PictureButton(panelButtons, "ButtonDelete", 64, ButtonPicture::Delete);
    buttonUndoAll_ = PictureButton(panelButtons, "ButtonUndoAll", 96, ButtonPicture::UndoAll);
    buttonClose_ = PictureButton(panelButtons, "ButtonClose", 128, ButtonPicture::Close);
    connect(buttonUp_, &QToolButton::clicked, this, &ListManagerWindow::moveUp);
    connect(buttonDown_, &QToolButton::clicked, this, &ListManagerWindow::moveDown);
    connect(buttonDelete_, &QToolButton::clicked, this, &ListManagerWindow::deleteSelected);
    connect(buttonUndoAll_, &QToolButton::clicked, this, &ListManagerWindow::undoAll);
    connect(buttonClose_, &QToolButton::clicked, this, &ListManagerWindow::close);

    grid_->setDefaultColumnWidth(kNumberColWidth);
    grid_->setDefaultRowHeight(20);
    grid_->setList(&list_, {ColorGrid::Column::RowNumber, ColorGrid::Column::Code, ColorGrid::Column::Contrast});
    grid_->setRowNumbersShown(false);
    grid_->setRowCount(kDesignRows);
    grid_->setShowGrid(true);
    grid_->setVerticalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    connect(grid_, &ColorGrid::cellSelected, this, [this](int row, int) { selectRow(row); });
    // The scroll bar comes and goes with the row count and narrows the client
    // area: the code column follows it.
    grid_->viewport()->installEventFilter(this);
    connect(&list_, &ColorListModel::rowsInserted, this,
            [this](const QModelIndex&, int first, int last) { colorsInserted(first, last); });

    fitColumns();
}

void ListManagerWindow::showEvent(QShowEvent* event)
{
    if (!shown_) {
        shown_ = true;
        const QRect geometry = list_.managerGeometry();
        resize(geometry.size());
        move(geometry.topLeft());
        setWindowTitle(UiText(translations_.text("SFormColorListCaption")));
        buttonUp_->setToolTip(UiText(translations_.text("SButtonUpHint")));
        buttonDown_->setToolTip(UiText(translations_.text("SButtonDownHint")));
        buttonDelete_->setToolTip(UiText(translations_.text("SButtonDeleteHint")));
        buttonUndoAll_->setToolTip(UiText(translations_.text("SUndoAll")));
        buttonClose_->setToolTip(UiText(translations_.text("SButtonCloseHint")));
        opened_ = list_.colors();
        list_.setSelectedIndex(0);
        numberRows();
        showList();
        grid_->setCurrentRow(openedRow_);
    }
    QDialog::showEvent(event);
}

void ListManagerWindow::done(int result)
{
    if (!closed_) {
        closed_ = true;
        emit closing(QRect(pos(), size()));
    }
    QDialog::done(result);
}

void ListManagerWindow::resizeEvent(QResizeEvent* event)
{
    QDialog::resizeEvent(event);
    fitColumns();
    numberRows();
}

bool ListManagerWindow::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == grid_->viewport() && event->type() == QEvent::Resize)
        fitColumns();
    return QDialog::eventFilter(watched, event);
}

void ListManagerWindow::fitColumns()
{
    const QString highest = QString::number(std::max(grid_->rowCount(), 1));
    const int numberWidth =
        std::max(kNumberColWidth, grid_->fontMetrics().horizontalAdvance(highest) + 2 * kNumberPadding);
    grid_->setColumnWidth(0, numberWidth);
    grid_->setColumnWidth(1, std::max(grid_->clientWidth() - kGridLinesWidth - numberWidth - kRatioColWidth, 0));
    grid_->setColumnWidth(2, kRatioColWidth);
}

void ListManagerWindow::numberRows()
{
    const int rows = grid_->clientHeight() / grid_->defaultRowHeight() + 1;
    grid_->setRowCount(std::max(rows, list_.rowCount()));
    // The highest number may need a wider column.
    fitColumns();
    grid_->setRowNumbersShown(true);
}

// An emptied list shows no numbers, and the status bar keeps its last text.
void ListManagerWindow::showList()
{
    if (list_.isEmpty()) {
        grid_->setRowNumbersShown(false);
        return;
    }
    numberRows();
    showSelection();
}

void ListManagerWindow::showSelection()
{
    statusBar_->setPanelText(0, "Selected index: " + QString::number(qint64(list_.selectedIndex()) + 1));
}

void ListManagerWindow::setSelectedIndex(std::int32_t index)
{
    // The ratios in the grid are to the selected colour.
    list_.setSelectedIndex(index);
}

void ListManagerWindow::selectRow(int row)
{
    if (row < 0 || row >= list_.rowCount())
        return;
    setSelectedIndex(row);
    showSelection();
    emit rowSelected(row);
}

void ListManagerWindow::moveUp()
{
    const std::int32_t selected = list_.selectedIndex();
    list_.moveUp(selected);
    if (selected > 0)
        setSelectedIndex(selected - 1);
    showList();
}

void ListManagerWindow::moveDown()
{
    const std::int32_t selected = list_.selectedIndex();
    list_.moveDown(selected);
    if (std::int64_t(selected) < std::int64_t(list_.colors().size()) - 1)
        setSelectedIndex(selected + 1);
    showList();
}

void ListManagerWindow::deleteSelected()
{
    const std::int32_t selected = list_.selectedIndex();
    list_.remove(selected);
    if (std::int64_t(list_.colors().size()) == selected)
        setSelectedIndex(selected - 1);
    showList();
}

void ListManagerWindow::undoAll()
{
    list_.setColors(opened_);
    showList();
}

void ListManagerWindow::colorsInserted(int first, int last)
{
    const std::int32_t selected = list_.selectedIndex();
    const int inserted = last - first + 1;
    const bool onColour = selected >= 0 && std::int64_t(selected) + inserted < std::int64_t(list_.colors().size());
    // The list has them too: undoing all keeps them.
    const auto at = opened_.begin() + std::ptrdiff_t(std::min(std::size_t(first), opened_.size()));
    opened_.insert(at, list_.colors().begin() + first, list_.colors().begin() + last + 1);
    setSelectedIndex(onColour && selected >= first ? selected + inserted : onColour ? selected : 0);
    showList();
}
