// List files, palettes, dropped files and the clipboard of the main window.
#include <QClipboard>
#include <QDir>
#include <QFile>
#include <QFileDialog>
#include <QFileInfo>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QMessageBox>
#include <QMimeData>
#include <QPushButton>

#include "config/AppSettings.h"
#include "config/MessageText.h"
#include "app/MainWindow.h"
#include "config/UiTexts.h"
#include "exchange/ColorExport.h"
#include "exchange/ColorListFile.h"
#include "exchange/RegularFile.h"
#include "ui/Prompts.h"

namespace {

const QString kAllFilesFilter = QStringLiteral("All files (*.*)");
const QString kTextFilesFilter = QStringLiteral("Text files (*.txt)");
const char* const kPaletteFileName = "classic-84.txt";

FileDialogSetup ListFileDialogSetup(bool save)
{
    FileDialogSetup setup;
    setup.save = save;
    setup.directory = QDir::currentPath();
    setup.nameFilters = {kAllFilesFilter, kTextFilesFilter};
    setup.selectedNameFilter = kTextFilesFilter;
    if (save) {
        setup.fileName = QStringLiteral("color-list.txt");
        setup.defaultSuffix = QStringLiteral("txt");
    }
    return setup;
}

QString UiText(const std::string& text)
{
    return QString::fromStdString(text);
}

QString FileFaultReason(const FileResult& result)
{
    if (result.fault == FileFault::NotRegularFile)
        return UiText(UiTexts().SNotRegularFile);
    return UiText(FileFaultText(result));
}

QString ExportFilter(ExportFormat format)
{
    const TUiTexts& texts = UiTexts();
    const std::string* names[] = {&texts.SExportGimpPalette, &texts.SExportCss, &texts.SExportScss,
                                  &texts.SExportJson, &texts.SExportCodes};
    const QString extension = QString::fromLatin1(ExportFormatExtension(format));
    return UiText(*names[static_cast<int>(format)]) + QStringLiteral(" (*.") + extension + ')';
}

// Written beside the target and renamed over it: a failed save leaves the old
// file whole. A failure is reported with the system's reason.
void SaveTextFile(Prompts& prompts, const QString& path, const std::string& text)
{
    const FileResult saved = WriteRegularFile(QFile::encodeName(path).toStdString(), text);
    if (!saved.ok())
        prompts.message(mkError, QDir::toNativeSeparators(path) + '\n' + FileFaultReason(saved));
}

} // namespace

void MainWindow::MenuOpenColorListClick()
{
    const QString path = prompts_.fileName(this, ListFileDialogSetup(false));
    if (!path.isEmpty())
        OpenColorList(path);
}

void MainWindow::MenuSaveColorListClick()
{
    if (colorList_->isEmpty()) {
        prompts_.message(mkInformation, UiText(UiTexts().SNoDataToSave));
        return;
    }
    const QString path = prompts_.fileName(this, ListFileDialogSetup(true));
    if (path.isEmpty() || !ConfirmOverwrite(path))
        return;

    SaveTextFile(prompts_, path, ColorListFileText(colorList_->colors(), FormatIndex(), DecimalSeparator()));
}

void MainWindow::MenuExportColorListClick()
{
    if (colorList_->isEmpty()) {
        prompts_.message(mkInformation, UiText(UiTexts().SNoDataToSave));
        return;
    }
    FileDialogSetup setup;
    setup.save = true;
    setup.directory = QDir::currentPath();
    for (ExportFormat format : ExportFormats())
        setup.nameFilters << ExportFilter(format);
    const ExportFormat proposed = ExportFormats().front();
    setup.selectedNameFilter = ExportFilter(proposed);
    setup.defaultSuffix = QString::fromLatin1(ExportFormatExtension(proposed));
    setup.fileName = QStringLiteral("color-list.") + setup.defaultSuffix;
    QString chosenFilter;
    setup.chosenNameFilter = &chosenFilter;
    QString path = prompts_.fileName(this, setup);
    if (path.isEmpty())
        return;
    // The filter chooses the format, and the dialog gives the name the filter's
    // extension when the user picks another; an extension typed afterwards wins.
    const qsizetype chosen = setup.nameFilters.indexOf(chosenFilter);
    ExportFormat format = chosen >= 0 ? ExportFormats()[std::size_t(chosen)] : proposed;
    const QString suffix = QFileInfo(path).suffix();
    for (ExportFormat named : ExportFormats())
        if (suffix == QLatin1String(ExportFormatExtension(named)))
            format = named;
    if (suffix.isEmpty())
        path += '.' + QString::fromLatin1(ExportFormatExtension(format));
    if (!ConfirmOverwrite(path))
        return;

    const QByteArray paletteName = QFileInfo(path).completeBaseName().toUtf8();
    ExportSettings settings;
    settings.formatIndex = FormatIndex();
    settings.decimalSeparator = DecimalSeparator();
    settings.paletteName = std::string_view(paletteName.constData(), std::size_t(paletteName.size()));
    SaveTextFile(prompts_, path, ExportColorList(colorList_->colors(), format, settings));
}

void MainWindow::MenuSwatchesClick()
{
    const QString path = QString::fromStdString(AppSettings().PalettesDir) + kPaletteFileName;
    if (!QFileInfo(path).isFile()) {
        prompts_.message(mkInformation, UiText(UiTexts().SFileNotFound));
        return;
    }
    OpenColorList(path);
}

bool MainWindow::OpenColorList(const QString& path)
{
    // The file is read whole into a list of its own: a refused file changes
    // nothing the user had.
    ColorListReadResult read = ReadColorListFile(QFile::encodeName(path).toStdString());
    switch (read.status) {
    case ColorListStatus::BadExtension:
        prompts_.message(mkInformation,
                       UiText(FormatMessageText(UiTexts().SBadFileFormat, {QFileInfo(path).fileName().toStdString()})));
        return false;
    case ColorListStatus::Unreadable:
        // Filled only: a path is no number, so its ".00" stays.
        prompts_.message(mkWarning, UiText(FillFormatText(
                                      UiTexts().SFileUnreadable,
                                      {QDir::toNativeSeparators(path).toStdString(),
                                       FileFaultReason(read.file).toStdString()})));
        return false;
    case ColorListStatus::BadContent:
        prompts_.message(mkWarning, UiText(UiTexts().SBadFile));
        return false;
    case ColorListStatus::Loaded:
        break;
    }
    colorList_->setCurrentColor(read.colors.front());
    colorList_->setColors(std::move(read.colors));
    return true;
}

bool MainWindow::ConfirmOverwrite(const QString& path)
{
    if (!QFileInfo::exists(path))
        return true;
    return prompts_.confirmOverwrite(UiText(FormatMessageText(UiTexts().SWarningOverwriteFile, {path.toStdString()})));
}

void MainWindow::WMDropFiles(const QStringList& paths)
{
    for (const QString& path : paths)
        OpenColorList(path);
}

void MainWindow::PopupCopyColorListClick()
{
    if (colorList_->isEmpty()) {
        prompts_.message(mkInformation, UiText(UiTexts().SNoDataToCopy));
        return;
    }
    QGuiApplication::clipboard()->setText(
        QString::fromStdString(ColorListClipboardText(colorList_->colors(), FormatIndex(), DecimalSeparator())));
}

void MainWindow::PopupCutClick()
{
    if (!EditCaptureColor->hasFocus())
        return;
    EditCaptureColor->selectAll();
    QGuiApplication::clipboard()->setText(EditCaptureColor->selectedText());
    EditCaptureColor->del();
}

void MainWindow::PopupCopyClick()
{
    if (!EditCaptureColor->hasFocus())
        return;
    EditCaptureColor->selectAll();
    QGuiApplication::clipboard()->setText(EditCaptureColor->selectedText());
}

void MainWindow::PopupPasteClick()
{
    if (!EditCaptureColor->hasFocus())
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
    EditCaptureColor->selectAll();
    EditCaptureColor->insert(text);
}

bool MainWindow::EditMenuTakesKey(const QKeyEvent* key) const
{
    const QKeySequence pressed(key->keyCombination());
    for (const QAction* item : {MenuCut, MenuCopy, MenuPaste})
        if (!item->shortcut().isEmpty() && item->shortcut().matches(pressed) == QKeySequence::ExactMatch)
            return true;
    return false;
}
