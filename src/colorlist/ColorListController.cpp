#include "colorlist/ColorListController.h"

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QComboBox>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMenu>
#include <QMimeData>
#include <QPalette>
#include <climits>

#include "core/color/ColorCodes.h"
#include "colorlist/ColorGrid.h"
#include "colorlist/ListManagerWindow.h"
#include "config/Translations.h"
#include "ui/Prompts.h"
#include "ui/WidgetHelpers.h"

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

// The characters the code field takes once it holds text: in the stylesheet
// notations every printable one.
bool IsCodeKey(char16_t c, int formatIndex)
{
    if (formatIndex >= FirstCssFormat && c >= ' ')
        return true;
    if (c == '-')
        return NotationHasNegativeNumbers(formatIndex);
    switch (c) {
    case 3: case 8: case 13: case 16: case 24: case ' ': case '#': case ',': case '.':
        return true;
    default:
        return (c >= '0' && c <= '9') || (c >= 'A' && c <= 'F') || (c >= 'a' && c <= 'f');
    }
}

// Five or more colours give a row each; fewer, or none, give six rows.
int GridRows(const RgbList& list)
{
    const int rows = list.size() > std::size_t(INT_MAX) ? INT_MAX : int(list.size());
    return rows < kMinimumFilledRows ? kEmptyGridRows : rows;
}

} // namespace

ColorListController::ColorListController(ColorListModel& model, ColorGrid* grid, QLineEdit* codeField,
                                         QComboBox* notationBox, Prompts& prompts,
                                         const Translations& translations, QWidget* window)
    : QObject(window), model_(model), grid_(grid), codeField_(codeField), notationBox_(notationBox),
      prompts_(prompts), translations_(translations), window_(window)
{
    grid_->setDefaultColumnWidth(172);
    grid_->setDefaultRowHeight(20);
    grid_->setList(&model_, {ColorGrid::Column::Swatch});
    grid_->setRowCount(kEmptyGridRows);
    model_.setNotation(notationBox_->currentIndex());
    connect(grid_, &ColorGrid::cellSelected, this, [this](int row, int) { selectRow(row); });
    connect(grid_, &ColorGrid::doubleClickedAnywhere, this, &ColorListController::openManager);
    connect(&model_, &ColorListModel::colorsChanged, this, &ColorListController::listChanged);
    connect(notationBox_, &QComboBox::currentIndexChanged, this, [this](int notation) {
        model_.setNotation(notation);
        if (!model_.isEmpty())
            refill();
    });
    notationBox_->installEventFilter(this);
    codeField_->installEventFilter(this);
    codeField_->setContextMenuPolicy(Qt::CustomContextMenu);
    connect(codeField_, &QLineEdit::customContextMenuRequested, this, &ColorListController::showCodeFieldMenu);
}

void ColorListController::listChanged()
{
    grid_->setRowCount(GridRows(model_.colors()));
    if (!manager_)
        refill();
}

void ColorListController::refill()
{
    if (model_.isEmpty())
        return;
    // The grid's current row follows the selection back to row 0 (without
    // selecting anything): otherwise a click on the row that was current
    // before the refill would not select it, and "Delete color" would then
    // remove row 0 instead of the row the user clicked.
    grid_->setCurrentRowQuietly(0);
    model_.setSelectedIndex(0);
    showCurrentColor();
}

void ColorListController::showCurrentColor()
{
    const Rgb color = model_.currentColor();
    emit colorShown(color);
    codeField_->setText(model_.codeOf(color));
    SetFieldColors(codeField_, ToQColor(color), ToQColor(ContrastTextColor(color)));
}

void ColorListController::clearCodeField()
{
    codeField_->clear();
    SetFieldColors(codeField_, Qt::white, QApplication::palette().color(QPalette::Text));
}

void ColorListController::selectRow(int row)
{
    const RgbList& list = model_.colors();
    if (row < 0 || std::size_t(row) >= list.size())
        return;
    model_.setCurrentColor(list[std::size_t(row)]);
    showCurrentColor();
    model_.setSelectedIndex(row);
}

void ColorListController::capture(Rgb color)
{
    model_.setCurrentColor(color);
    model_.insertFirst(color);
    // An open manager keeps its selection on the colour it was on.
    if (manager_)
        showCurrentColor();
    else
        grid_->setCurrentRow(0);
}

void ColorListController::deleteSelected()
{
    if (!grid_->hasFocus())
        return;
    model_.remove(model_.selectedIndex());
    if (model_.isEmpty())
        clearCodeField();
    notationBox_->setFocus();
}

void ColorListController::clear()
{
    model_.clear();
}

void ColorListController::openManager()
{
    // The main window is disabled while the manager is open, but a second
    // request could still arrive through a shortcut: one manager at a time.
    if (manager_)
        return;
    if (model_.managerOpenCount() == 0) {
        // The first opening stands by the main window, a sixth of its defined width in.
        QRect geometry = model_.managerGeometry();
        geometry.moveTopLeft(window_->pos() + QPoint(ColorListModel::kManagerSize.width() / 6, 0));
        model_.setManagerGeometry(geometry);
    }
    model_.countManagerOpening();
    ListManagerWindow manager(model_, grid_->currentRow(), translations_, window_);
    connect(&manager, &ListManagerWindow::rowSelected, grid_, &ColorGrid::setCurrentRow);
    connect(&manager, &ListManagerWindow::closing, this, [this](const QRect& geometry) {
        manager_ = nullptr;
        refill();
        model_.setManagerGeometry(geometry);
    });
    manager_ = &manager;
    manager.exec();
    manager_ = nullptr;
}

void ColorListController::cutCode()
{
    if (!codeField_->hasFocus())
        return;
    codeField_->selectAll();
    QGuiApplication::clipboard()->setText(codeField_->selectedText());
    codeField_->del();
}

void ColorListController::copyCode()
{
    if (!codeField_->hasFocus())
        return;
    codeField_->selectAll();
    QGuiApplication::clipboard()->setText(codeField_->selectedText());
}

void ColorListController::pasteCode()
{
    if (!codeField_->hasFocus())
        return;
    // One question to the clipboard's owner: Qt waits up to 5 s for each answer
    // of an owner that hangs, and hasText() asks twice (text, then URLs).
    const QMimeData* clip = QGuiApplication::clipboard()->mimeData();
    const QStringList formats = clip ? clip->formats() : QStringList();
    if (!formats.contains(QStringLiteral("text/plain")) && !formats.contains(QStringLiteral("text/uri-list")))
        return;
    // An owner that offered text may still fail to send it (it ended or hangs):
    // the field keeps what it had.
    const QString text = clip->text();
    if (text.isEmpty())
        return;
    codeField_->selectAll();
    codeField_->insert(text);
}

void ColorListController::copyCodeAs(int formatIndex)
{
    const std::optional<Rgb> color = model_.selectedColor();
    if (!color)
        return;
    const ColorCodeText code = WriteColorCode(formatIndex, *color, model_.decimalSeparator());
    QGuiApplication::clipboard()->setText(QString::fromLatin1(code.View().data(), qsizetype(code.View().size())));
}

void ColorListController::setCopyAsMenu(QMenu* menu)
{
    copyAsMenu_ = menu;
}

void ColorListController::showCodeFieldMenu(const QPoint& at)
{
    QMenu* menu = codeField_->createStandardContextMenu();
    if (copyAsMenu_) {
        menu->addSeparator();
        menu->addMenu(copyAsMenu_);
    }
    menu->exec(codeField_->mapToGlobal(at));
    delete menu;
}

void ColorListController::leaveKeysTo(const QList<QAction*>& items)
{
    keysLeftTo_ = items;
}

bool ColorListController::isLeftToMenu(const QKeyEvent* key) const
{
    const QKeySequence pressed(key->keyCombination());
    for (const QAction* item : keysLeftTo_)
        if (!item->shortcut().isEmpty() && item->shortcut().matches(pressed) == QKeySequence::ExactMatch)
            return true;
    return false;
}

bool ColorListController::acceptCodeKey(QChar& key)
{
    // Tab and Delete move the focus or edit the text; they are keys, not typed characters.
    if (key.unicode() == 9 || key.unicode() == 127)
        return true;
    if (codeField_->text().isEmpty())
        return true;
    // A stylesheet's code keeps its points and commas as typed.
    if ((key == u'.' || key == u',') && model_.notation() < FirstCssFormat)
        key = QChar(char16_t(model_.decimalSeparator()));
    if (!IsCodeKey(key.unicode(), model_.notation()))
        return false;
    if (key.unicode() == 13) {
        const ColorReadResult read = ReadColorCode(codeField_->text().toStdString(),
                                                   std::uint8_t(model_.notation()), model_.decimalSeparator());
        if (read.status == ReadStatus::Read) {
            model_.setCurrentColor(read.color);
            model_.insertFirst(read.color);
            QStringList notes;
            if (read.alphaIgnored)
                notes << QString::fromStdString(translations_.text("SCodeAlphaIgnored"));
            if (read.outOfGamut)
                notes << QString::fromStdString(translations_.text("SCodeOutOfGamut"));
            if (!notes.isEmpty())
                emit codeNote(notes.join(QStringLiteral(", ")));
        } else if (read.status == ReadStatus::WrongShape || read.status == ReadStatus::OutOfRange) {
            prompts_.message(mkInformation, QString::fromStdString(translations_.text("SErrorColorInput")));
        }
    }
    return true;
}

bool ColorListController::eventFilter(QObject* watched, QEvent* event)
{
    // Left unaccepted, the override lets the menu's command run instead of
    // the field's own copy of its selection.
    if (event->type() == QEvent::ShortcutOverride)
        return watched == codeField_ && isLeftToMenu(static_cast<QKeyEvent*>(event));
    if (event->type() != QEvent::KeyPress)
        return false;
    auto* key = static_cast<QKeyEvent*>(event);
    // Typed characters never reach the notation box; it is chosen from its list.
    if (watched == notationBox_ && !key->text().isEmpty() && key->text().at(0).isPrint())
        return true;
    if (watched == codeField_ && !key->text().isEmpty()) {
        QChar ch = key->text().at(0);
        const bool isEnter = key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter;
        if (isEnter)
            ch = QChar(13);
        if (!acceptCodeKey(ch))
            return true;
        if (!isEnter && ch != key->text().at(0)) {
            QKeyEvent replaced(QEvent::KeyPress, key->key(), key->modifiers(), QString(ch));
            QApplication::sendEvent(codeField_, &replaced);
            return true;
        }
    }
    return false;
}
