#include "exchange/ListFileService.h"

#include <QClipboard>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QGuiApplication>
#include <QProgressDialog>
#include <QWidget>
#include <utility>

#include "colorlist/ColorListModel.h"
#include "core/config/MessageText.h"
#include "config/Translations.h"
#include "core/exchange/ColorExport.h"
#include "core/exchange/ColorListFile.h"
#include "core/text/RegularFile.h"
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

QString FileFaultReason(const FileResult& result, const Translations& translations)
{
    if (result.fault == FileFault::NotRegularFile)
        return UiText(translations.text("SNotRegularFile"));
    return UiText(FileFaultText(result));
}

QString ExportFilter(ExportFormat format, const Translations& translations)
{
    const UiTextKey names[] = {"SExportGimpPalette", "SExportCss", "SExportScss", "SExportJson", "SExportCodes"};
    const QString extension = QString::fromLatin1(ExportFormatExtension(format));
    return UiText(translations.text(names[static_cast<int>(format)])) + QStringLiteral(" (*.") + extension + ')';
}

// The progress of a long load or export in a window with a Cancel button,
// shown once the work has taken half a second. From then on it keeps the
// other windows from input, they repaint between the steps, and Cancel
// stops the work.
class ProgressWindow {
public:
    ProgressWindow(QWidget* parent, const QString& path) : dialog_(parent)
    {
        dialog_.setLabelText(QDir::toNativeSeparators(path));
        dialog_.setRange(0, kProgressSteps);
        dialog_.setWindowModality(Qt::ApplicationModal);
        dialog_.setMinimumDuration(kShownAfterMs);
        dialog_.setAutoReset(false);
        dialog_.setAutoClose(false);
        dialog_.setValue(0);
    }

    Progress progress()
    {
        return [this](int step) {
            dialog_.setValue(step);
            if (dialog_.isVisible())
                QCoreApplication::processEvents();
            return !dialog_.wasCanceled();
        };
    }

private:
    static constexpr int kShownAfterMs = 500;
    QProgressDialog dialog_;
};

// Written beside the target and renamed over it: a failed save leaves the old
// file whole. A failure is reported with the system's reason.
void SaveTextFile(Prompts& prompts, const QString& path, const std::string& text, const Translations& translations)
{
    const FileResult saved = WriteRegularFile(QFile::encodeName(path).toStdString(), text);
    if (!saved.ok())
        prompts.message(mkError, QDir::toNativeSeparators(path) + '\n' + FileFaultReason(saved, translations));
}

} // namespace

ListFileService::ListFileService(ColorListModel& model, QString palettesDir, Prompts& prompts,
                                 const Translations& translations, QWidget* dialogParent)
    : QObject(dialogParent), model_(model), palettesDir_(std::move(palettesDir)), prompts_(prompts),
      translations_(translations), dialogParent_(dialogParent)
{
}

void ListFileService::open()
{
    const QString path = prompts_.fileName(dialogParent_, ListFileDialogSetup(false));
    if (!path.isEmpty())
        load(path);
}

void ListFileService::save()
{
    if (model_.isEmpty()) {
        prompts_.message(mkInformation, UiText(translations_.text("SNoDataToSave")));
        return;
    }
    const QString path = prompts_.fileName(dialogParent_, ListFileDialogSetup(true));
    if (path.isEmpty() || !confirmOverwrite(path))
        return;

    SaveTextFile(prompts_, path, ColorListFileText(model_.colors(), model_.notation(), model_.decimalSeparator()),
                 translations_);
}

void ListFileService::exportList()
{
    if (model_.isEmpty()) {
        prompts_.message(mkInformation, UiText(translations_.text("SNoDataToSave")));
        return;
    }
    FileDialogSetup setup;
    setup.save = true;
    setup.directory = QDir::currentPath();
    for (ExportFormat format : ExportFormats())
        setup.nameFilters << ExportFilter(format, translations_);
    const ExportFormat proposed = ExportFormats().front();
    setup.selectedNameFilter = ExportFilter(proposed, translations_);
    setup.defaultSuffix = QString::fromLatin1(ExportFormatExtension(proposed));
    setup.fileName = QStringLiteral("color-list.") + setup.defaultSuffix;
    QString chosenFilter;
    setup.chosenNameFilter = &chosenFilter;
    QString path = prompts_.fileName(dialogParent_, setup);
    if (path.isEmpty())
        return;
    // An extension that names a format chooses it, in any letter case; the
    // filter chooses otherwise (the dialog gives the name the filter's
    // extension when the user picks another).
    const qsizetype chosen = setup.nameFilters.indexOf(chosenFilter);
    ExportFormat format = chosen >= 0 ? ExportFormats()[std::size_t(chosen)] : proposed;
    const QString suffix = QFileInfo(path).suffix();
    for (ExportFormat named : ExportFormats())
        if (suffix.compare(QLatin1String(ExportFormatExtension(named)), Qt::CaseInsensitive) == 0)
            format = named;
    if (suffix.isEmpty())
        path += '.' + QString::fromLatin1(ExportFormatExtension(format));
    if (!confirmOverwrite(path))
        return;

    const QByteArray paletteName = QFileInfo(path).completeBaseName().toUtf8();
    ExportSettings settings;
    settings.formatIndex = model_.notation();
    settings.decimalSeparator = model_.decimalSeparator();
    settings.paletteName = std::string_view(paletteName.constData(), std::size_t(paletteName.size()));
    // A copy: a capture while the progress window shows changes the list, not what is written.
    const RgbList colors = model_.colors();
    ProgressWindow progress(dialogParent_, path);
    const FileResult saved = ExportColorListFile(QFile::encodeName(path).toStdString(), colors, format, settings,
                                                 progress.progress());
    if (!saved.ok() && saved.fault != FileFault::Cancelled)
        prompts_.message(mkError, QDir::toNativeSeparators(path) + '\n' + FileFaultReason(saved, translations_));
}

void ListFileService::openPalette()
{
    const QString path = palettesDir_ + kPaletteFileName;
    if (!QFileInfo(path).isFile()) {
        prompts_.message(mkInformation, UiText(translations_.text("SFileNotFound")));
        return;
    }
    load(path);
}

bool ListFileService::load(const QString& path)
{
    // The file is read whole into a list of its own: a refused file changes
    // nothing the user had.
    ColorListReadResult read = [&] {
        ProgressWindow progress(dialogParent_, path);
        return ReadColorListFile(QFile::encodeName(path).toStdString(), progress.progress());
    }();
    switch (read.status) {
    case ColorListStatus::Cancelled:
        return false;
    case ColorListStatus::BadExtension:
        prompts_.message(mkInformation, UiText(FormatMessageText(translations_.text("SBadFileFormat"),
                                                                 {QFileInfo(path).fileName().toStdString()},
                                                                 model_.decimalSeparator())));
        return false;
    case ColorListStatus::Unreadable:
        // Filled only: a path is no number, so its ".00" stays.
        prompts_.message(mkWarning, UiText(FillFormatText(translations_.text("SFileUnreadable"),
                                                          {QDir::toNativeSeparators(path).toStdString(),
                                                           FileFaultReason(read.file, translations_).toStdString()})));
        return false;
    case ColorListStatus::BadContent:
        prompts_.message(mkWarning, UiText(translations_.text("SBadFile")));
        return false;
    case ColorListStatus::Loaded:
        break;
    }
    model_.setCurrentColor(read.colors.front());
    model_.setColors(std::move(read.colors));
    return true;
}

bool ListFileService::confirmOverwrite(const QString& path)
{
    if (!QFileInfo::exists(path))
        return true;
    return prompts_.confirmOverwrite(
        UiText(FormatMessageText(translations_.text("SWarningOverwriteFile"), {path.toStdString()},
                                 model_.decimalSeparator())));
}

void ListFileService::loadDropped(const QStringList& paths)
{
    for (const QString& path : paths)
        load(path);
}

void ListFileService::copyList()
{
    if (model_.isEmpty()) {
        prompts_.message(mkInformation, UiText(translations_.text("SNoDataToCopy")));
        return;
    }
    QGuiApplication::clipboard()->setText(
        QString::fromStdString(ColorListClipboardText(model_.colors(), model_.notation(), model_.decimalSeparator())));
}
