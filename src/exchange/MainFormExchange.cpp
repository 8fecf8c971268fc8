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
#include <QSaveFile>

#include "app/AppSettings.h"
#include "app/MessageText.h"
#include "app/Messages.h"
#include "app/reMainForm.h"
#include "config/UiTexts.h"
#include "exchange/ColorListFile.h"
#include "exchange/ExchangeDialogs.h"

namespace {

const QString kAllFilesFilter = QStringLiteral("All files (*.*)");
const QString kTextFilesFilter = QStringLiteral("Text files (*.txt)");
const char* const kPaletteFileName = "classic-84.txt";

FileDialogRunner& FileDialogOverride()
{
    static FileDialogRunner runner;
    return runner;
}

ConfirmOverwriteRunner& ConfirmOverwriteOverride()
{
    static ConfirmOverwriteRunner runner;
    return runner;
}

TFileDialogSetup ListFileDialogSetup(bool save)
{
    TFileDialogSetup setup;
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

} // namespace

void SetFileDialogRunner(FileDialogRunner runner) { FileDialogOverride() = std::move(runner); }
void SetConfirmOverwriteRunner(ConfirmOverwriteRunner runner) { ConfirmOverwriteOverride() = std::move(runner); }

QString RunFileDialog(QWidget* parent, const TFileDialogSetup& setup)
{
    if (FileDialogOverride())
        return FileDialogOverride()(parent, setup);
    QFileDialog dialog(parent);
    dialog.setAcceptMode(setup.save ? QFileDialog::AcceptSave : QFileDialog::AcceptOpen);
    dialog.setFileMode(setup.save ? QFileDialog::AnyFile : QFileDialog::ExistingFile);
    // The program asks its own question about an existing file.
    dialog.setOption(QFileDialog::DontConfirmOverwrite);
    dialog.setDirectory(setup.directory);
    dialog.setNameFilters(setup.nameFilters);
    dialog.selectNameFilter(setup.selectedNameFilter);
    dialog.setDefaultSuffix(setup.defaultSuffix);
    if (!setup.fileName.isEmpty())
        dialog.selectFile(setup.fileName);
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return {};
    return dialog.selectedFiles().constFirst();
}

bool RunConfirmOverwrite(const QString& text)
{
    if (ConfirmOverwriteOverride())
        return ConfirmOverwriteOverride()(text);
    QMessageBox box(QMessageBox::Question, QStringLiteral("Confirmation"), text, QMessageBox::NoButton);
    QPushButton* yes = box.addButton(QStringLiteral("&Oui"), QMessageBox::YesRole);
    QPushButton* cancel = box.addButton(QStringLiteral("Annuler"), QMessageBox::RejectRole);
    box.setDefaultButton(yes);
    box.setEscapeButton(cancel);
    box.exec();
    return box.clickedButton() == yes;
}

void TMainForm::MenuOpenColorListClick()
{
    const QString path = RunFileDialog(this, ListFileDialogSetup(false));
    if (!path.isEmpty())
        OpenColorList(path);
}

void TMainForm::MenuSaveColorListClick()
{
    if (ColorList.empty()) {
        ShowMessageDlg(mkInformation, UiText(UiTexts().SNoDataToSave));
        return;
    }
    const QString path = RunFileDialog(this, ListFileDialogSetup(true));
    if (path.isEmpty() || !ConfirmOverwrite(path))
        return;

    const std::string text = ColorListFileText(ColorList, FormatIndex(), DecimalSeparator());
    // Written beside the target and renamed over it: a failed save leaves the old file whole.
    QSaveFile file(path);
    // Unbuffered: commit() does not see a write that fails while its buffer is
    // flushed (a full disk), and would rename the short file over the old one.
    const bool saved = file.open(QIODevice::WriteOnly | QIODevice::Unbuffered)
                       && file.write(text.data(), qint64(text.size())) == qint64(text.size()) && file.commit();
    if (!saved)
        ShowMessageDlg(mkError, QDir::toNativeSeparators(path) + '\n' + file.errorString());
}

void TMainForm::MenuSwatchesClick()
{
    const QString path = QString::fromStdString(AppSettings().PalettesDir) + kPaletteFileName;
    if (!QFileInfo(path).isFile()) {
        ShowMessageDlg(mkInformation, UiText(UiTexts().SFileNotFound));
        return;
    }
    OpenColorList(path);
}

bool TMainForm::OpenColorList(const QString& path)
{
    // The file is read whole into a list of its own: a refused file changes
    // nothing the user had.
    ColorListReadResult read = ReadColorListFile(QFile::encodeName(path).toStdString());
    switch (read.status) {
    case ColorListStatus::BadExtension:
        ShowMessageDlg(mkInformation,
                       UiText(FormatMessageText(UiTexts().SBadFileFormat, {QFileInfo(path).fileName().toStdString()})));
        return false;
    case ColorListStatus::Unreadable:
    case ColorListStatus::BadContent:
        ShowMessageDlg(mkWarning, UiText(UiTexts().SBadFile));
        return false;
    case ColorListStatus::Loaded:
        break;
    }
    ColorList = std::move(read.colors);
    GridCapture->SetRow(0);
    CurrentColor = ColorList.front();
    FillGridCapture(ColorList);
    return true;
}

bool TMainForm::ConfirmOverwrite(const QString& path)
{
    if (!QFileInfo::exists(path))
        return true;
    return RunConfirmOverwrite(UiText(FormatMessageText(UiTexts().SWarningOverwriteFile, {path.toStdString()})));
}

void TMainForm::WMDropFiles(const QStringList& paths)
{
    for (const QString& path : paths)
        OpenColorList(path);
}

void TMainForm::PopupCopyColorListClick()
{
    if (ColorList.empty()) {
        ShowMessageDlg(mkInformation, UiText(UiTexts().SNoDataToCopy));
        return;
    }
    QGuiApplication::clipboard()->setText(
        QString::fromStdString(ColorListClipboardText(ColorList, FormatIndex(), DecimalSeparator())));
}

void TMainForm::PopupCutClick()
{
    if (!EditCaptureColor->hasFocus())
        return;
    EditCaptureColor->selectAll();
    QGuiApplication::clipboard()->setText(EditCaptureColor->selectedText());
    EditCaptureColor->del();
}

void TMainForm::PopupCopyClick()
{
    if (!EditCaptureColor->hasFocus())
        return;
    EditCaptureColor->selectAll();
    QGuiApplication::clipboard()->setText(EditCaptureColor->selectedText());
}

void TMainForm::PopupPasteClick()
{
    if (!EditCaptureColor->hasFocus())
        return;
    // One question to the clipboard's owner: Qt waits up to 5 s for each answer
    // of an owner that hangs, and hasText() asks twice (text, then URLs).
    const QMimeData* clip = QGuiApplication::clipboard()->mimeData();
    const QStringList formats = clip ? clip->formats() : QStringList();
    if (!formats.contains(QStringLiteral("text/plain")) && !formats.contains(QStringLiteral("text/uri-list")))
        return;
    EditCaptureColor->selectAll();
    EditCaptureColor->insert(clip->text());
}

bool TMainForm::EditMenuTakesKey(const QKeyEvent* key) const
{
    const QKeySequence pressed(key->keyCombination());
    for (const QAction* item : {MenuCut, MenuCopy, MenuPaste})
        if (!item->shortcut().isEmpty() && item->shortcut().matches(pressed) == QKeySequence::ExactMatch)
            return true;
    return false;
}
