#include "colorlist/ListManagerWindow.h"

#include <QCoreApplication>
#include <QEvent>
#include <QPainter>
#include <QPainterPath>
#include <QToolButton>
#include <QTransform>
#include <QVBoxLayout>
#include <algorithm>
#include <array>

#include "config/DecimalSeparator.h"
#include "color/ColorContrast.h"
#include "config/UiTexts.h"
#include "ui/PanelStatusBar.h"
#include "ui/WidgetHelpers.h"

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
constexpr int kStatusBarHeight = 19;
constexpr int kGlyphSize = 16;

enum class Glyph { Up, Down, Delete, UndoAll, Close };

QIcon DrawGlyph(Glyph glyph)
{
    QPixmap pixmap(kGlyphSize, kGlyphSize);
    pixmap.fill(Qt::transparent);
    QPainter p(&pixmap);
    p.setRenderHint(QPainter::Antialiasing);
    const QColor blue(0x1F, 0x4E, 0xA8);
    switch (glyph) {
    case Glyph::Up:
    case Glyph::Down: {
        QPainterPath arrow;
        arrow.moveTo(8, 2);
        arrow.lineTo(14, 9);
        arrow.lineTo(10.5, 9);
        arrow.lineTo(10.5, 14);
        arrow.lineTo(5.5, 14);
        arrow.lineTo(5.5, 9);
        arrow.lineTo(2, 9);
        arrow.closeSubpath();
        if (glyph == Glyph::Down) // the up arrow upside down
            arrow = QTransform(1, 0, 0, -1, 0, kGlyphSize).map(arrow);
        p.setPen(QPen(blue.darker(140), 1));
        p.setBrush(blue);
        p.drawPath(arrow);
        break;
    }
    case Glyph::Delete:
        p.setPen(QPen(QColor(0xC8, 0x1E, 0x1E), 3, Qt::SolidLine, Qt::RoundCap));
        p.drawLine(QPointF(3.5, 3.5), QPointF(12.5, 12.5));
        p.drawLine(QPointF(12.5, 3.5), QPointF(3.5, 12.5));
        break;
    case Glyph::UndoAll: {
        p.setPen(QPen(blue, 2, Qt::SolidLine, Qt::RoundCap));
        p.setBrush(Qt::NoBrush);
        // A backward turning arrow: an open arc with its head at the top left.
        p.drawArc(QRectF(3, 3, 10, 10), 150 * 16, -270 * 16);
        QPainterPath head;
        head.moveTo(1, 4);
        head.lineTo(7, 3);
        head.lineTo(4, 9);
        head.closeSubpath();
        p.setPen(Qt::NoPen);
        p.setBrush(blue);
        p.drawPath(head);
        break;
    }
    case Glyph::Close:
        p.setPen(QPen(QColor(0x1E, 0x8C, 0x32), 3, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
        p.drawPolyline(QPolygonF({QPointF(3, 8.5), QPointF(6.5, 12), QPointF(13, 4)}));
        break;
    }
    return QIcon(pixmap);
}

// Painted silver rather than given a silver palette: the buttons would
// inherit a new palette at every opening, and the style caches its button
// drawings per palette, so the cache would fill with drawings never reused.
class SilverPanel : public QWidget {
public:
    using QWidget::QWidget;

protected:
    void paintEvent(QPaintEvent*) override { QPainter(this).fillRect(rect(), QColor(0xC0, 0xC0, 0xC0)); }
};

// Drawn once per run: a new picture at every opening would leave Qt's pixmap
// cache full of button images that are never shown again.
const QIcon& GlyphIcon(Glyph glyph)
{
    static std::array<QIcon, 5>* icons = nullptr;
    if (!icons) {
        icons = new std::array<QIcon, 5>;
        for (Glyph g : {Glyph::Up, Glyph::Down, Glyph::Delete, Glyph::UndoAll, Glyph::Close})
            (*icons)[std::size_t(g)] = DrawGlyph(g);
        // Pictures must go before the application does.
        qAddPostRoutine([] {
            delete icons;
            icons = nullptr;
        });
    }
    return (*icons)[std::size_t(glyph)];
}

QToolButton* PictureButton(QWidget* parent, const char* name, int top, Glyph glyph)
{
    auto* button = new QToolButton(parent);
    button->setObjectName(name);
    button->setGeometry(9, top, 24, 24);
    button->setIcon(GlyphIcon(glyph));
    button->setIconSize(QSize(kGlyphSize, kGlyphSize));
    button->setFocusPolicy(Qt::NoFocus);
    return button;
}

QString UiText(const std::string& text) { return QString::fromStdString(text); }

} // namespace

ListManagerWindow::ListManagerWindow(ManagedList list, std::function<QString(TColor)> codeOf, const TUiTexts& texts,
                                     QWidget* parent)
    : QDialog(parent, Qt::Tool | Qt::WindowStaysOnTopHint | Qt::WindowTitleHint
                          | Qt::WindowCloseButtonHint | Qt::CustomizeWindowHint),
      opened_(std::move(list)), codeOf_(std::move(codeOf)), texts_(texts)
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
    auto* panelButtons = new SilverPanel(panelMain);
    panelButtons->setObjectName("PanelButtons");
    panelButtons->setFixedWidth(kButtonPanelWidth);
    mainLayout->addWidget(panelButtons);

    buttonUp_ = PictureButton(panelButtons, "ButtonUp", 8, Glyph::Up);
    buttonDown_ = PictureButton(panelButtons, "ButtonDown", 32, Glyph::Down);
    buttonDelete_ = PictureButton(panelButtons, "ButtonDelete", 64, Glyph::Delete);
    buttonUndoAll_ = PictureButton(panelButtons, "ButtonUndoAll", 96, Glyph::UndoAll);
    buttonClose_ = PictureButton(panelButtons, "ButtonClose", 128, Glyph::Close);
    connect(buttonUp_, &QToolButton::clicked, this, &ListManagerWindow::moveUp);
    connect(buttonDown_, &QToolButton::clicked, this, &ListManagerWindow::moveDown);
    connect(buttonDelete_, &QToolButton::clicked, this, &ListManagerWindow::deleteSelected);
    connect(buttonUndoAll_, &QToolButton::clicked, this, &ListManagerWindow::undoAll);
    connect(buttonClose_, &QToolButton::clicked, this, &ListManagerWindow::close);

    grid_->setDefaultColumnWidth(kNumberColWidth);
    grid_->setDefaultRowHeight(20);
    grid_->setColumnCount(3);
    grid_->setFixedColumns(1);
    grid_->setRowCount(kDesignRows);
    grid_->setShowGrid(true);
    grid_->setVerticalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    grid_->setCellColorsOn(true);
    grid_->setCellTexts([this](int row, int col) { return cellText(col, row); });
    grid_->setCellColors([this](int row, int col, ColorGrid::CellState, QColor& brush, QColor& text) {
        cellColors(row, col, brush, text);
    });
    grid_->setCellPainter([this](int row, int col, const QRect& rect, ColorGrid::CellState, QPainter& painter,
                                 const QColor& brush, const QColor& text) {
        drawNumber(col, row, rect, painter, brush, text);
    });
    connect(grid_, &ColorGrid::cellSelected, this, [this](int row, int) { selectRow(row); });
    // The scroll bar comes and goes with the row count and narrows the client
    // area: the code column follows it.
    grid_->viewport()->installEventFilter(this);

    fitColumns();
}

void ListManagerWindow::showEvent(QShowEvent* event)
{
    if (!shown_) {
        shown_ = true;
        resize(opened_.geometry.size());
        move(opened_.geometry.topLeft());
        setWindowTitle(UiText(texts_.SFormColorListCaption));
        buttonUp_->setToolTip(UiText(texts_.SButtonUpHint));
        buttonDown_->setToolTip(UiText(texts_.SButtonDownHint));
        buttonDelete_->setToolTip(UiText(texts_.SButtonDeleteHint));
        buttonUndoAll_->setToolTip(UiText(texts_.SUndoAll));
        buttonClose_->setToolTip(UiText(texts_.SButtonCloseHint));
        workList_ = opened_.colors;
        numberRows();
        showList();
        grid_->setCurrentRow(opened_.currentRow);
    }
    QDialog::showEvent(event);
}

void ListManagerWindow::done(int result)
{
    if (!closed_) {
        closed_ = true;
        emit closing({workList_, grid_->currentRow(), QRect(pos(), size())});
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
    const auto length = static_cast<int>(std::min<std::size_t>(workList_.size(), INT32_MAX));
    grid_->setRowCount(std::max(rows, length));
    // A new row count rebuilds the grid's sections, which forgets the column
    // widths; the highest number may need a wider column.
    fitColumns();
    rowsNumbered_ = true;
    grid_->repaintCells();
}

void ListManagerWindow::clearGrid()
{
    rowsNumbered_ = false;
    codesShown_ = false;
    grid_->clearCells();
}

void ListManagerWindow::showList()
{
    clearGrid();
    if (!workList_.empty()) {
        numberRows();
        codesShown_ = true;
        showSelection();
    }
    grid_->repaintCells();
}

QString ListManagerWindow::cellText(int column, int row) const
{
    if (row < 0 || row >= grid_->rowCount())
        return {};
    if (column == 0)
        return rowsNumbered_ ? QString::number(row + 1) : QString();
    if (column == 1 && codesShown_ && std::size_t(row) < workList_.size() && codeOf_)
        return codeOf_(workList_[std::size_t(row)]);
    if (column == 2 && codesShown_ && std::size_t(row) < workList_.size() && selectedIndex_ >= 0
        && std::size_t(selectedIndex_) < workList_.size()) {
        const int tenths = ContrastTenths(workList_[std::size_t(row)], workList_[std::size_t(selectedIndex_)]);
        return QString::fromStdString(ContrastRatioText(tenths, DecimalSeparator()));
    }
    return {};
}

void ListManagerWindow::showSelection()
{
    statusBar_->setPanelText(0, "Selected index: " + QString::number(qint64(selectedIndex_) + 1));
}

void ListManagerWindow::cellColors(int row, int column, QColor& brush, QColor& text) const
{
    if (column != 1 || row < 0 || std::size_t(row) >= workList_.size())
        return;
    const TColor color = workList_[std::size_t(row)];
    brush = ToQColor(color);
    text = ToQColor(ContrastTextColor(color));
}

void ListManagerWindow::drawNumber(int column, int row, const QRect& rect, QPainter& painter, const QColor& brush,
                                   const QColor& text) const
{
    if (column != 0)
        return;
    painter.fillRect(rect, brush);
    painter.setPen(text);
    painter.drawText(rect.adjusted(kNumberPadding, 0, -kNumberPadding, 0), Qt::AlignRight | Qt::AlignVCenter | Qt::TextSingleLine,
                     grid_->cellText(row, column));
}

void ListManagerWindow::selectRow(int row)
{
    if (row < 0 || std::size_t(row) >= workList_.size())
        return;
    selectedIndex_ = row;
    showSelection();
    grid_->repaintCells(); // the ratios are to the selected colour
    emit rowSelected(row);
}

void ListManagerWindow::moveUp()
{
    MoveColorUp(std::uint32_t(selectedIndex_), workList_);
    if (selectedIndex_ > 0)
        --selectedIndex_;
    showList();
}

void ListManagerWindow::moveDown()
{
    MoveColorDown(std::uint32_t(selectedIndex_), workList_);
    if (std::int64_t(selectedIndex_) < std::int64_t(workList_.size()) - 1)
        ++selectedIndex_;
    showList();
}

void ListManagerWindow::deleteSelected()
{
    DeleteColor(std::uint32_t(selectedIndex_), workList_);
    if (std::int64_t(workList_.size()) == selectedIndex_)
        --selectedIndex_;
    showList();
}

void ListManagerWindow::undoAll()
{
    workList_ = opened_.colors;
    showList();
}

void ListManagerWindow::insertCaptured(TColor color)
{
    const bool onColour = selectedIndex_ >= 0 && std::size_t(selectedIndex_) < workList_.size();
    InsertColorFirst(color, workList_);
    InsertColorFirst(color, opened_.colors); // the main list has it too: undoing keeps it
    selectedIndex_ = onColour ? selectedIndex_ + 1 : 0;
    showList();
}
