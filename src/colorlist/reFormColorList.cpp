#include "colorlist/reFormColorList.h"

#include <QCoreApplication>
#include <QEvent>
#include <QPainter>
#include <QPainterPath>
#include <QVBoxLayout>
#include <algorithm>
#include <array>

#include "config/AppSettings.h"
#include "color/ColorContrast.h"
#include "config/UiTexts.h"

namespace {

TFormColorList* openManager = nullptr;

constexpr int kDesignRows = 15;
constexpr int kNumberColWidth = 40;
// Column 1 fills the client width less the number column, the ratio column
// and the grid lines.
constexpr int kCodeColMargin = 42;
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
        if (glyph == Glyph::Up) {
            arrow.moveTo(8, 2);
            arrow.lineTo(14, 9);
            arrow.lineTo(10.5, 9);
            arrow.lineTo(10.5, 14);
            arrow.lineTo(5.5, 14);
            arrow.lineTo(5.5, 9);
            arrow.lineTo(2, 9);
        } else {
            arrow.moveTo(8, 14);
            arrow.lineTo(14, 7);
            arrow.lineTo(10.5, 7);
            arrow.lineTo(10.5, 2);
            arrow.lineTo(5.5, 2);
            arrow.lineTo(5.5, 7);
            arrow.lineTo(2, 7);
        }
        arrow.closeSubpath();
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
class TSilverPanel : public QWidget {
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

TFormColorList::TFormColorList(ManagedList list, std::function<QString(TColor)> codeOf, QWidget* parent)
    : QDialog(parent, Qt::Tool | Qt::WindowStaysOnTopHint | Qt::WindowTitleHint
                          | Qt::WindowCloseButtonHint | Qt::CustomizeWindowHint),
      opened_(std::move(list)), codeOf_(std::move(codeOf))
{
    setObjectName("FormColorList");
    setWindowTitle("Color list");
    setSizeGripEnabled(false);
    setMinimumSize(200, 215);
    setMaximumWidth(240);

    auto* formLayout = new QVBoxLayout(this);
    formLayout->setContentsMargins(0, 0, 0, 0);
    PanelGrid = new QWidget(this);
    PanelGrid->setObjectName("PanelGrid");
    formLayout->addWidget(PanelGrid);

    auto* gridLayout = new QVBoxLayout(PanelGrid);
    gridLayout->setContentsMargins(0, 0, 0, 0);
    gridLayout->setSpacing(0);
    PanelMain = new QWidget(PanelGrid);
    PanelMain->setObjectName("PanelMain");
    gridLayout->addWidget(PanelMain, 1);
    StatusBar = new TStatusBar(PanelGrid);
    StatusBar->setObjectName("StatusBar1");
    StatusBar->setFixedHeight(kStatusBarHeight);
    StatusBar->AddPanel(170);
    gridLayout->addWidget(StatusBar);

    auto* mainLayout = new QHBoxLayout(PanelMain);
    mainLayout->setContentsMargins(0, 0, 0, 0);
    mainLayout->setSpacing(0);
    GridCapture = new ColorGrid(PanelMain);
    GridCapture->setObjectName("GridCapture");
    mainLayout->addWidget(GridCapture, 1);
    PanelButtons = new TSilverPanel(PanelMain);
    PanelButtons->setObjectName("PanelButtons");
    PanelButtons->setFixedWidth(kButtonPanelWidth);
    mainLayout->addWidget(PanelButtons);

    ButtonUp = PictureButton(PanelButtons, "ButtonUp", 8, Glyph::Up);
    ButtonDown = PictureButton(PanelButtons, "ButtonDown", 32, Glyph::Down);
    ButtonDelete = PictureButton(PanelButtons, "ButtonDelete", 64, Glyph::Delete);
    ButtonUndoAll = PictureButton(PanelButtons, "ButtonUndoAll", 96, Glyph::UndoAll);
    ButtonClose = PictureButton(PanelButtons, "ButtonClose", 128, Glyph::Close);
    connect(ButtonUp, &QToolButton::clicked, this, &TFormColorList::ButtonUpClick);
    connect(ButtonDown, &QToolButton::clicked, this, &TFormColorList::ButtonDownClick);
    connect(ButtonDelete, &QToolButton::clicked, this, &TFormColorList::ButtonDeleteClick);
    connect(ButtonUndoAll, &QToolButton::clicked, this, &TFormColorList::ButtonUndoAllClick);
    connect(ButtonClose, &QToolButton::clicked, this, &TFormColorList::ButtonCloseClick);

    GridCapture->setDefaultColumnWidth(kNumberColWidth);
    GridCapture->setDefaultRowHeight(20);
    GridCapture->setColumnCount(3);
    GridCapture->setFixedColumns(1);
    GridCapture->setRowCount(kDesignRows);
    GridCapture->setShowGrid(true);
    GridCapture->setVerticalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    GridCapture->setCellColorsOn(true);
    GridCapture->setCellTexts([this](int row, int col) { return CellText(col, row); });
    GridCapture->setCellColors([this](int row, int col, ColorGrid::CellState state, QColor& brush, QColor& font) {
        GridCaptureGetCellColor(GridCapture, row, col, state, brush, font);
    });
    GridCapture->setCellPainter([this](int row, int col, const QRect& rect, ColorGrid::CellState state,
                                       QPainter& canvas, const QColor& brush, const QColor& font) {
        GridCaptureDrawCell(GridCapture, col, row, rect, state, canvas, brush, font);
    });
    connect(GridCapture, &ColorGrid::cellSelected, this, [this](int row, int col) {
        bool canSelect = true;
        GridCaptureSelectCell(GridCapture, col, row, canSelect);
    });
    // The scroll bar comes and goes with the row count and narrows the client
    // area: the code column follows it.
    GridCapture->viewport()->installEventFilter(this);

    FormCreate();
}

TFormColorList::~TFormColorList()
{
    if (openManager == this)
        openManager = nullptr;
}

TFormColorList* TFormColorList::Open() { return openManager; }

void TFormColorList::FormCreate()
{
    InitGridCapture();
}

void TFormColorList::showEvent(QShowEvent* event)
{
    if (!shown_) {
        shown_ = true;
        FormShow();
    }
    QDialog::showEvent(event);
}

void TFormColorList::FormShow()
{
    resize(opened_.geometry.size());
    move(opened_.geometry.topLeft());
    const TUiTexts& texts = UiTexts();
    setWindowTitle(UiText(texts.SFormColorListCaption));
    ButtonUp->setToolTip(UiText(texts.SButtonUpHint));
    ButtonDown->setToolTip(UiText(texts.SButtonDownHint));
    ButtonDelete->setToolTip(UiText(texts.SButtonDeleteHint));
    ButtonUndoAll->setToolTip(UiText(texts.SUndoAll));
    ButtonClose->setToolTip(UiText(texts.SButtonCloseHint));
    WorkList = opened_.colors;
    openManager = this;
    SetGridLines();
    FillGridCapture(WorkList);
    GridCapture->setCurrentRow(opened_.currentRow);
}

void TFormColorList::done(int result)
{
    if (!closed_) {
        closed_ = true;
        FormClose();
    }
    QDialog::done(result);
}

void TFormColorList::FormClose()
{
    if (openManager == this)
        openManager = nullptr;
    emit closing({WorkList, GridCapture->currentRow(), QRect(pos(), size())});
}

void TFormColorList::ButtonCloseClick()
{
    close();
}

void TFormColorList::resizeEvent(QResizeEvent* event)
{
    QDialog::resizeEvent(event);
    FormResize();
}

bool TFormColorList::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == GridCapture->viewport() && event->type() == QEvent::Resize)
        InitGridCapture();
    return QDialog::eventFilter(watched, event);
}

void TFormColorList::FormResize()
{
    InitGridCapture();
    SetGridLines();
}

void TFormColorList::InitGridCapture()
{
    GridCapture->setColumnWidth(0, kNumberColWidth);
    GridCapture->setColumnWidth(1, std::max(GridCapture->clientWidth() - kCodeColMargin - kRatioColWidth, 0));
    GridCapture->setColumnWidth(2, kRatioColWidth);
}

void TFormColorList::SetGridLines()
{
    const int rows = GridCapture->clientHeight() / GridCapture->defaultRowHeight() + 1;
    const auto length = static_cast<int>(std::min<std::size_t>(WorkList.size(), INT32_MAX));
    // A new row count rebuilds the grid's sections, which forgets the column widths.
    const int numberWidth = GridCapture->columnWidth(0);
    const int codeWidth = GridCapture->columnWidth(1);
    const int ratioWidth = GridCapture->columnWidth(2);
    GridCapture->setRowCount(std::max(rows, length));
    GridCapture->setColumnWidth(0, numberWidth);
    GridCapture->setColumnWidth(1, codeWidth);
    GridCapture->setColumnWidth(2, ratioWidth);
    rowsNumbered_ = true;
    GridCapture->repaintCells();
}

void TFormColorList::ResetGridCapture()
{
    rowsNumbered_ = false;
    codesShown_ = false;
    GridCapture->clearCells();
}

void TFormColorList::FillGridCapture(const TColorArray& list)
{
    ResetGridCapture();
    if (list.empty())
        return;
    SetGridLines();
    codesShown_ = true;
    ActualizeStatusBar();
}

QString TFormColorList::CellText(int ACol, int ARow) const
{
    if (ARow < 0 || ARow >= GridCapture->rowCount())
        return {};
    if (ACol == 0)
        return rowsNumbered_ ? QString::number(ARow + 1) : QString();
    if (ACol == 1 && codesShown_ && std::size_t(ARow) < WorkList.size() && codeOf_)
        return codeOf_(WorkList[std::size_t(ARow)]);
    if (ACol == 2 && codesShown_ && std::size_t(ARow) < WorkList.size() && SelectedIndex >= 0
        && std::size_t(SelectedIndex) < WorkList.size()) {
        const double ratio = ContrastRatio(WorkList[std::size_t(ARow)], WorkList[std::size_t(SelectedIndex)]);
        return QString::fromStdString(ContrastRatioText(ContrastTenths(ratio), DecimalSeparator()));
    }
    return {};
}

void TFormColorList::ActualizeStatusBar()
{
    StatusBar->SetPanelText(0, "Selected index: " + QString::number(qint64(SelectedIndex) + 1));
}

void TFormColorList::GridCaptureGetCellColor(ColorGrid*, int ARow, int ACol, ColorGrid::CellState,
                                             QColor& brush, QColor& font)
{
    if (ACol != 1 || ARow < 0 || std::size_t(ARow) >= WorkList.size())
        return;
    const TColor color = WorkList[std::size_t(ARow)];
    brush = ToQColor(color);
    font = ToQColor(ContrastTextColor(color));
}

void TFormColorList::GridCaptureDrawCell(ColorGrid* sender, int ACol, int ARow, const QRect& rect,
                                         ColorGrid::CellState, QPainter& canvas, const QColor& brush,
                                         const QColor& font)
{
    if (ACol != 0)
        return;
    canvas.fillRect(rect, brush);
    canvas.setPen(font);
    canvas.drawText(rect.adjusted(3, 0, -3, 0), Qt::AlignRight | Qt::AlignVCenter | Qt::TextSingleLine,
                    sender->cellText(ARow, ACol));
}

void TFormColorList::GridCaptureSelectCell(ColorGrid*, int, int ARow, bool&)
{
    if (ARow < 0 || std::size_t(ARow) >= WorkList.size())
        return;
    SelectedIndex = ARow;
    ActualizeStatusBar();
    GridCapture->repaintCells(); // the ratios are to the selected colour
    emit rowSelected(ARow);
}

void TFormColorList::ButtonUpClick()
{
    MoveColorUp(std::uint32_t(SelectedIndex), WorkList);
    if (SelectedIndex > 0)
        --SelectedIndex;
    FillGridCapture(WorkList);
    GridCapture->repaintCells();
}

void TFormColorList::ButtonDownClick()
{
    MoveColorDown(std::uint32_t(SelectedIndex), WorkList);
    if (std::int64_t(SelectedIndex) < std::int64_t(WorkList.size()) - 1)
        ++SelectedIndex;
    FillGridCapture(WorkList);
    GridCapture->repaintCells();
}

void TFormColorList::ButtonDeleteClick()
{
    DeleteColor(std::uint32_t(SelectedIndex), WorkList);
    if (std::int64_t(WorkList.size()) == SelectedIndex)
        --SelectedIndex;
    FillGridCapture(WorkList);
    GridCapture->repaintCells();
}

void TFormColorList::ButtonUndoAllClick()
{
    WorkList = opened_.colors;
    FillGridCapture(WorkList);
    GridCapture->repaintCells();
}

void TFormColorList::InsertCaptured(TColor color)
{
    const bool onColour = SelectedIndex >= 0 && std::size_t(SelectedIndex) < WorkList.size();
    InsertColorFirst(color, WorkList);
    InsertColorFirst(color, opened_.colors); // the main list has it too: undoing keeps it
    SelectedIndex = onColour ? SelectedIndex + 1 : 0;
    FillGridCapture(WorkList);
    GridCapture->repaintCells();
}
