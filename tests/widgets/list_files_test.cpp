// List files and the installed palette through the file service alone: the
// model, the service and prompts that answer for the user, no window.
#include <QDir>
#include <QtTest>
#include <algorithm>
#include <csignal>
#include <memory>
#include <sys/resource.h>
#include <system_error>

#include "WidgetTestSupport.h"
#include "core/color/ColorCodes.h"
#include "colorlist/ColorListModel.h"
#include "config/Translations.h"
#include "core/exchange/ColorListFile.h"
#include "exchange/ListFileService.h"

namespace {
const RgbList kThree = {Rgb{255, 0, 0}, Rgb{0, 255, 0}, Rgb{0, 0, 255}};
}

class ListFilesTest : public QObject {
    Q_OBJECT

    std::unique_ptr<TestAppDir> dir_;
    TestAppDir dataDir_; // the palette's
    RecordingPrompts prompts_;
    ColorListModel list_{'.'};
    Translations translations_{dataDir_.path().toStdString(), '.'};
    ListFileService files_{list_, dataDir_.file("palettes/"), prompts_, translations_, nullptr};
    QList<FileDialogSetup> dialogs_;
    QString chosenPath_;
    QStringList questions_;
    bool confirm_ = true;

private slots:
    void init()
    {
        dir_ = std::make_unique<TestAppDir>();
        UseLanguageLines(translations_, "SFileNotFound=No palette\nSNoDataToSave=Nothing to save\n"
                                        "SWarningOverwriteFile=Replace %s?\n");
        list_.clear();
        list_.setNotation(0);
        prompts_.messages.clear();
        dialogs_.clear();
        questions_.clear();
        chosenPath_.clear();
        confirm_ = true;
        prompts_.onFileDialog = [this](QWidget*, const FileDialogSetup& setup) {
            dialogs_ << setup;
            return chosenPath_;
        };
        prompts_.onConfirmOverwrite = [this](const QString& text) {
            questions_ << text;
            return confirm_;
        };
    }

    void cleanup() { dir_.reset(); }

    void savingWritesTheListInTheChosenNotationAndReadsBack()
    {
        list_.setNotation(1);
        list_.setColors(kThree);
        chosenPath_ = dir_->file("saved.txt");
        files_.save();

        QCOMPARE(dialogs_.size(), 1);
        const FileDialogSetup& setup = dialogs_.first();
        QVERIFY(setup.save);
        QCOMPARE(setup.directory, QDir::currentPath());
        QCOMPARE(setup.nameFilters, QStringList({"All files (*.*)", "Text files (*.txt)"}));
        QCOMPARE(setup.selectedNameFilter, QStringLiteral("Text files (*.txt)"));
        QCOMPARE(setup.fileName, QStringLiteral("color-list.txt"));
        QCOMPARE(setup.defaultSuffix, QStringLiteral("txt"));
        QVERIFY(questions_.isEmpty()); // a new file needs no question
        QVERIFY(prompts_.messages.empty());

        const QByteArray saved = dir_->read("saved.txt");
        QVERIFY(saved.startsWith("[RGB,RGB]\r\n255   0   0\t" + QByteArray::fromStdString(std::string(WriteColorCode(1, kThree[0], '.').View())) + "\r\n"));
        QCOMPARE(saved, QByteArray::fromStdString(ColorListFileText(kThree, 1, '.')));

        list_.clear();
        QVERIFY(files_.load(chosenPath_));
        QCOMPARE(list_.colors(), kThree);
    }

    void savingOverAFileAsksFirst()
    {
        dir_->write("old.txt", "old contents");
        list_.setColors(kThree);
        chosenPath_ = dir_->file("old.txt");

        confirm_ = false;
        files_.save();
        QCOMPARE(questions_, QStringList({"Replace " + chosenPath_ + "?"}));
        QCOMPARE(dir_->read("old.txt"), QByteArray("old contents"));

        confirm_ = true;
        files_.save();
        QCOMPARE(questions_.size(), 2);
        QCOMPARE(dir_->read("old.txt"), QByteArray::fromStdString(ColorListFileText(kThree, 0, '.')));
        QVERIFY(prompts_.messages.empty());
    }

    void savingAnEmptyListOnlyTellsSo()
    {
        chosenPath_ = dir_->file("never.txt");
        files_.save();
        QVERIFY(dialogs_.isEmpty());
        QCOMPARE(prompts_.messages.size(), std::size_t(1));
        QCOMPARE(int(prompts_.messages[0].kind), 0);
        QCOMPARE(prompts_.messages[0].text, QStringLiteral("Nothing to save"));
        QVERIFY(!QFile::exists(chosenPath_));
    }

    void aFailedSaveReportsWhyAndKeepsTheOldFile()
    {
        // Into a folder that does not exist: nothing is created.
        list_.setColors(kThree);
        chosenPath_ = dir_->file("no/such/folder/list.txt");
        files_.save();
        QCOMPARE(prompts_.messages.size(), std::size_t(1));
        QCOMPARE(int(prompts_.messages[0].kind), 2);
        QVERIFY(prompts_.messages[0].text.startsWith(chosenPath_ + '\n'));
        QVERIFY(prompts_.messages[0].text.size() > chosenPath_.size() + 1);
        QVERIFY(!QFile::exists(chosenPath_));

        // A write that fails half-way (the file-size limit, which binds every
        // user), for a list larger than any write buffer and for one that fits
        // in a buffer and fails only when it is flushed: the old file stays
        // whole and no temporary file is left.
        for (const std::size_t colours : {std::size_t(20000), std::size_t(3)}) {
            prompts_.messages.clear();
            dir_->write("full/list.txt", "old contents");
            chosenPath_ = dir_->file("full/list.txt");
            list_.setColors(RgbList(colours, Rgb{86, 52, 18}));
            rlimit saved{};
            QVERIFY(getrlimit(RLIMIT_FSIZE, &saved) == 0);
            const auto oldHandler = std::signal(SIGXFSZ, SIG_IGN);
            rlimit small = saved;
            small.rlim_cur = colours > 3 ? 64 * 1024 : 16;
            QVERIFY(setrlimit(RLIMIT_FSIZE, &small) == 0);
            files_.save();
            setrlimit(RLIMIT_FSIZE, &saved);
            std::signal(SIGXFSZ, oldHandler);

            QCOMPARE(prompts_.messages.size(), std::size_t(1));
            QCOMPARE(int(prompts_.messages[0].kind), 2);
            QCOMPARE(prompts_.messages[0].text,
                     chosenPath_ + '\n' + QString::fromStdString(std::system_category().message(EFBIG)));
            QCOMPARE(dir_->read("full/list.txt"), QByteArray("old contents"));
            QCOMPARE(QDir(dir_->file("full")).entryList(QDir::Files | QDir::Hidden), QStringList({"list.txt"}));
        }
    }

    void paletteLoadsFromThePalettesFolder()
    {
        files_.openPalette();
        QVERIFY(prompts_.messages.empty());
        QCOMPARE(list_.colors().size(), std::size_t(84));
        QCOMPARE(list_.currentColor(), list_.colors().front());
        RgbList unique = list_.colors();
        std::sort(unique.begin(), unique.end(), [](Rgb a, Rgb b) { return StoredColorFromRgb(a) < StoredColorFromRgb(b); });
        QVERIFY(std::adjacent_find(unique.begin(), unique.end()) == unique.end());

        // The installed palette is saved as the program saves a list.
        const QByteArray bytes = dataDir_.read("palettes/classic-84.txt");
        QCOMPARE(bytes, QByteArray::fromStdString(ColorListFileText(list_.colors(), 0, '.')));

        QVERIFY(QFile::remove(dataDir_.file("palettes/classic-84.txt")));
        files_.openPalette();
        QCOMPARE(prompts_.messages.size(), std::size_t(1));
        QCOMPARE(int(prompts_.messages[0].kind), 0);
        QCOMPARE(prompts_.messages[0].text, QStringLiteral("No palette"));
        QCOMPARE(list_.colors().size(), std::size_t(84));
    }
};

QTEST_MAIN(ListFilesTest)
#include "list_files_test.moc"
