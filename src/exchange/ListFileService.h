#pragma once
// The colour list's way in and out of the program: list files, exports, the
// installed palette, dropped files and the clipboard. Every question, message
// and file dialog goes through the prompts; the list is the model's.
#include <QObject>
#include <QStringList>

class ColorListModel;
class Prompts;
class Translations;
class QWidget;

class ListFileService : public QObject {
    Q_OBJECT
public:
    // The palette is read from palettesDir (ends with '/'); lists are written
    // in the model's notation; dialogs stand over dialogParent; messages are
    // in the language in use.
    ListFileService(ColorListModel& model, QString palettesDir, Prompts& prompts, const Translations& translations,
                    QWidget* dialogParent);

    // Asks for a list file and loads it.
    void open();
    void save();
    // Asks for a name and a format (GIMP palette, CSS...) and writes the list in it.
    void exportList();
    // Loads the palette installed with the program.
    void openPalette();
    // Replaces the list with the file's; a refused file is reported and changes nothing.
    bool load(const QString& path);
    void loadDropped(const QStringList& paths);
    // Puts the whole list on the clipboard, one code a line.
    void copyList();

private:
    bool confirmOverwrite(const QString& path);

    ColorListModel& model_;
    const QString palettesDir_;
    Prompts& prompts_;
    const Translations& translations_;
    QWidget* dialogParent_;
};
