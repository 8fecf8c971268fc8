#pragma once
// Binds the colour list to the main window's list view, code field and
// notation box: sizes the grid, follows its selection, reads typed codes,
// and captures, deletes and clears colours. It also opens the manager window,
// one at a time.
#include <QList>
#include <QObject>
#include <QPoint>
#include <QString>

#include "colorlist/ColorListModel.h"

class ColorGrid;
class QAction;
class QKeyEvent;
class Prompts;
class QComboBox;
class QLineEdit;
class QMenu;
class QWidget;
class ListManagerWindow;
class Translations;

class ColorListController : public QObject {
    Q_OBJECT
public:
    // The widgets belong to window, which also parents the manager. Messages
    // and the manager's words are in the language in use.
    ColorListController(ColorListModel& model, ColorGrid* grid, QLineEdit* codeField, QComboBox* notationBox,
                        Prompts& prompts, const Translations& translations, QWidget* window);

    // Puts a colour at the head of the list and shows it.
    void capture(Rgb color);
    // Removes the selected colour; only while the list has the focus, since
    // Del is a shortcut of the whole window.
    void deleteSelected();
    void clear();
    // Opens the manager on the list, modally; the list takes back what it hands back.
    void openManager();

    // The Edit commands act on the whole code field, and only while it has the focus.
    void cutCode();
    void copyCode();
    // Replaces the field's text with the clipboard's, if it offers any.
    void pasteCode();
    // Copies the selected colour's code in the notation of formatIndex,
    // leaving the list's notation as it is.
    void copyCodeAs(int formatIndex);
    // The Edit menu's "Copy as" submenu, shown too below the code field's own
    // context menu; the window owns it.
    void setCopyAsMenu(QMenu* menu);
    // The code field leaves these items' keys to them (the Edit menu's
    // whole-field Cut, Copy and Paste) instead of acting on its selection.
    void leaveKeysTo(const QList<QAction*>& items);

signals:
    // The code field shows this colour: the swatch shows it too.
    void colorShown(Rgb color);
    // A code was read, but not all of it: its alpha was left out, or the
    // colour lay outside sRGB and was brought into it.
    void codeNote(const QString& note);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    // After every change of the list: the grid's rows, and the selection back
    // at the top unless the manager is open, which refills once it closes.
    void listChanged();
    void refill();
    // Shows the current colour's code in the code field.
    void showCurrentColor();
    void clearCodeField();
    void selectRow(int row);
    // False when the key is swallowed; may replace it.
    bool acceptCodeKey(QChar& key);
    bool isLeftToMenu(const QKeyEvent* key) const;
    void showCodeFieldMenu(const QPoint& at);

    ColorListModel& model_;
    ColorGrid* grid_;
    QLineEdit* codeField_;
    QComboBox* notationBox_;
    Prompts& prompts_;
    const Translations& translations_;
    QWidget* window_;
    QList<QAction*> keysLeftTo_;
    QMenu* copyAsMenu_ = nullptr;
    // The manager while it is open: there is one at a time, and captures reach it.
    ListManagerWindow* manager_ = nullptr;
};
