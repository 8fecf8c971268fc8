// File > "Export color list...": the format follows the file's extension or
// else the dialog's file-type filter, and the file is written like a saved list.
#include <QComboBox>
#include <QFileDialog>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QLineEdit>
#include <QProgressDialog>
#include <QPushButton>
#include <QtTest>
#include <memory>

#include "WidgetTestSupport.h"
#include "colorlist/ColorListModel.h"
#include "exchange/ListFileService.h"
#include "ui/QtPrompts.h"
#include "core/color/ColorCodes.h"
#include "config/Translations.h"
#include "core/exchange/ColorExport.h"
#include "core/exchange/ColorListFile.h"

namespace {
const RgbList kThree = {Rgb{255, 128, 0}, Rgb{0, 0, 0}, Rgb{70, 130, 180}};
}

class ExportTest : public QObject {
    Q_OBJECT

    std::unique_ptr<TestAppDir> dir_;
    std::unique_ptr<ColorListModel> list_;
    Translations translations_{"", '.'};
    std::unique_ptr<ListFileService> files_;
    std::unique_ptr<RecordingPrompts> prompts_;
    QList<FileDialogSetup> dialogs_;
    QString chosenPath_, chosenFilter_;

private slots:
    void init()
    {
        dir_ = std::make_unique<TestAppDir>();
        prompts_ = std::make_unique<RecordingPrompts>();
        list_ = std::make_unique<ColorListModel>('.');
        files_ = std::make_unique<ListFileService>(*list_, dir_->file("palettes/"), *prompts_, translations_, nullptr);
        UseLanguageLines(translations_, "SNoDataToSave=Nothing to save\n");
        dialogs_.clear();
        prompts_->onFileDialog = [this](QWidget*, const FileDialogSetup& setup) {
            dialogs_ << setup;
            if (setup.chosenNameFilter)
                *setup.chosenNameFilter = chosenFilter_;
            return chosenPath_;
        };
        prompts_->onConfirmOverwrite = [](const QString&) { return true; };
    }

    void cleanup()
    {
        files_.reset();
        list_.reset();
        prompts_.reset();
        dir_.reset();
    }

    void theChosenFilterGivesTheFormat()
    {
        list_->setNotation(1);
        list_->setColors(kThree);
        const QStringList filters = {"GIMP palette (*.gpl)", "CSS custom properties (*.css)",
                                     "SCSS variables (*.scss)", "JSON (*.json)", "Color codes (*.txt)"};
        for (ExportFormat format : ExportFormats()) {
            const qsizetype i = qsizetype(format);
            chosenFilter_ = filters[i];
            // Without an extension the filter's is added.
            chosenPath_ = dir_->file("exported-" + QString::number(i));
            files_->exportList();
            const QString written = chosenPath_ + '.' + QLatin1String(ExportFormatExtension(format));
            QCOMPARE(dir_->read(QFileInfo(written).fileName()),
                     QByteArray::fromStdString(ExportColorList(
                         kThree, format, {1, '.', ("exported-" + std::to_string(i)).c_str()})));
        }
        QCOMPARE(dialogs_.size(), 5);
        QCOMPARE(dialogs_[0].nameFilters, filters);
        QCOMPARE(dialogs_[0].selectedNameFilter, filters[0]);
        QCOMPARE(dialogs_[0].fileName, QStringLiteral("color-list.gpl"));
        QVERIFY(prompts_->messages.empty());

        // A palette opens as a list again; the JSON holds every notation.
        QVERIFY(files_->load(dir_->file("exported-0.gpl")));
        QCOMPARE(list_->colors(), kThree);
        const QJsonDocument json = QJsonDocument::fromJson(dir_->read("exported-3.json"));
        QCOMPARE(json.array().size(), 3);
        const QJsonObject orange = json.array().at(0).toObject();
        QCOMPARE(orange.size(), FormatCount + 1);
        QCOMPARE(orange.value(QStringLiteral("name")).toString(), QStringLiteral("darkorange"));
        for (int notation = 0; notation < FormatCount; ++notation)
            QCOMPARE(orange.value(QLatin1String(FormatShortName(notation))).toString(),
                     QString::fromStdString(std::string(WriteColorCode(notation, kThree[0], '.').View())));

        // An extension typed over the filter's wins.
        chosenFilter_ = filters[0];
        chosenPath_ = dir_->file("typed.scss");
        files_->exportList();
        QVERIFY(dir_->read("typed.scss").startsWith("// "));
        // In any letter case; such a palette opens again.
        chosenPath_ = dir_->file("colors.JSON");
        files_->exportList();
        QVERIFY(dir_->read("colors.JSON").startsWith("["));
        chosenFilter_ = filters[4];
        chosenPath_ = dir_->file("UPPER.GPL");
        files_->exportList();
        list_->setColors({kBlack});
        QVERIFY(files_->load(dir_->file("UPPER.GPL")));
        QCOMPARE(list_->colors(), kThree);
        QVERIFY(prompts_->messages.empty());
    }

    // An export or a load that takes more than half a second shows its
    // progress; the program's events run on meanwhile, and Cancel leaves the
    // file and the list as they were.
    void longWorkShowsProgressAndCancelChangesNothing()
    {
        int shown = 0;
        QTimer cancelWhenShown;
        connect(&cancelWhenShown, &QTimer::timeout, [&] {
            for (QWidget* window : QApplication::topLevelWidgets()) {
                auto* progress = qobject_cast<QProgressDialog*>(window);
                if (progress && progress->isVisible() && !progress->wasCanceled()) {
                    ++shown;
                    QTest::mouseClick(progress->findChild<QPushButton*>(), Qt::LeftButton);
                }
            }
        });
        cancelWhenShown.start(20);

        RgbList many(400000);
        for (std::size_t i = 0; i < many.size(); ++i)
            many[i] = RgbFromStoredColor(StoredColor(i * 41));
        list_->setColors(many);
        dir_->write("big.json", "old");
        chosenFilter_ = "JSON (*.json)";
        chosenPath_ = dir_->file("big.json");
        files_->exportList();
        QCOMPARE(shown, 1);
        QCOMPARE(dir_->read("big.json"), QByteArray("old"));
        QCOMPARE(QDir(dir_->path()).entryList({"big.json*"}, QDir::Files), QStringList{"big.json"});

        QByteArray lines;
        for (int i = 0; i < 6000000; ++i)
            lines += "1 2 3\n";
        dir_->write("big.txt", lines);
        lines.clear();
        list_->setColors(kThree);
        QVERIFY(!files_->load(dir_->file("big.txt")));
        QCOMPARE(shown, 2);
        QCOMPARE(list_->colors(), kThree);
        QVERIFY(prompts_->messages.empty());
    }

    void anEmptyListOnlyTellsSo()
    {
        files_->exportList();
        QVERIFY(dialogs_.isEmpty());
        QCOMPARE(prompts_->messages.size(), std::size_t(1));
        QCOMPARE(prompts_->messages[0].text, QStringLiteral("Nothing to save"));
    }

    void theRealDialogTakesTheFormatFromItsFilter()
    {
        prompts_->onFileDialog = [](QWidget* parent, const FileDialogSetup& setup) {
            return QtPrompts().fileName(parent, setup);
        };
        const QString previous = QDir::currentPath();
        QDir::setCurrent(dir_->path());
        list_->setColors(kThree);
        bool chose = false;
        QTimer::singleShot(0, [&] {
            auto* dialog = qobject_cast<QFileDialog*>(QApplication::activeModalWidget());
            QVERIFY(dialog);
            auto* types = dialog->findChild<QComboBox*>("fileTypeCombo");
            auto* name = dialog->findChild<QLineEdit*>("fileNameEdit");
            QVERIFY(types && name);
            QCOMPARE(name->text(), QStringLiteral("color-list.gpl"));
            // As a user picks it: the name takes the filter's extension.
            types->setCurrentIndex(1);
            emit types->activated(1);
            emit types->textActivated(types->currentText());
            QCOMPARE(name->text(), QStringLiteral("color-list.css"));
            name->setText("palette"); // and a name typed without one gets it too
            chose = true;
            QMetaObject::invokeMethod(dialog, "accept");
        });
        files_->exportList();
        QDir::setCurrent(previous);
        QVERIFY(chose);
        QCOMPARE(dir_->read("palette.css"),
                 QByteArray::fromStdString(ExportColorList(kThree, ExportFormat::Css, {0, '.'})));
    }
};

QTEST_MAIN(ExportTest)
#include "export_test.moc"
