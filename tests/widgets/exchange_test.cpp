// List files, the palette, dropped files and the clipboard commands of the
// main window.
#include <QClipboard>
#include <QDir>
#include <QDropEvent>
#include <QAbstractButton>
#include <QFileDialog>
#include <QMessageBox>
#include <QMimeData>
#include <QSignalSpy>
#include <QtTest>
#include <memory>
#include <sys/stat.h>
#include <system_error>

#include "WidgetTestSupport.h"
#include "MainWindowParts.h"
#include "core/config/MessageText.h"
#include "app/MainWindow.h"
#include "ui/QtPrompts.h"
#include "core/exchange/ColorListFile.h"

namespace {

const RgbList kThree = {Rgb{255, 0, 0}, Rgb{0, 255, 0}, Rgb{0, 0, 255}};
const QByteArray kOrangeBlackFile = "[RGB,HTML]\r\n255 128   0\t#FF8000\r\n  0   0   0\t#000000\r\n";
const RgbList kOrangeBlack = {Rgb{255, 128, 0}, Rgb{0, 0, 0}};

// What the window shows of its list, to compare before and after a command.
struct ListViewState {
    RgbList list;
    Rgb current;
    int selectedIndex;
    int gridRow;
    int gridRows;
    QString field;
    bool operator==(const ListViewState&) const = default;
};

ListViewState ViewState(const MainWindow& form)
{
    const ColorListModel& list = Parts(form).list();
    return {list.colors(), list.currentColor(), list.selectedIndex(), Parts(form).GridCapture->currentRow(),
            Parts(form).GridCapture->rowCount(), Parts(form).EditCaptureColor->text()};
}

char* toString(const ListViewState& s)
{
    return QTest::toString(QStringLiteral("%1 colours, current %2, selected %3, row %4 of %5, field '%6'")
                               .arg(s.list.size())
                               .arg(StoredColorFromRgb(s.current), 6, 16, QLatin1Char('0'))
                               .arg(s.selectedIndex)
                               .arg(s.gridRow)
                               .arg(s.gridRows)
                               .arg(s.field));
}

QString Code(MainWindow& form, Rgb color) { return Parts(form).list().codeOf(color); }

} // namespace

class ExchangeTest : public QObject {
    Q_OBJECT

    std::unique_ptr<TestAppDir> dir_;
    std::unique_ptr<MainWindow> main_;
    std::unique_ptr<RecordingPrompts> prompts_;
    QList<FileDialogSetup> dialogs_;
    QString chosenPath_;
    QStringList questions_;
    bool confirm_ = true;

    MainWindow& form() { return *main_; }
    ColorListModel& list() { return Parts(form()).list(); }
    void run(const char* menuItem) { Parts(form()).item(menuItem)->trigger(); }
    // File > Open color list, the file chosen in its dialog.
    void openList(const QString& path)
    {
        chosenPath_ = path;
        run("MenuOpenColorList");
    }

    // Three colours in the list with the third one selected in the grid.
    void FillThreeAndSelectLast()
    {
        list().setColors(kThree);
        Parts(form()).GridCapture->setCurrentRow(2);
        QCOMPARE(list().selectedIndex(), 2);
        QCOMPARE(list().currentColor(), kThree[2]);
    }

    void FocusCodeField()
    {
        form().activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(main_.get()));
        Parts(form()).EditCaptureColor->setFocus();
        QTRY_VERIFY(Parts(form()).EditCaptureColor->hasFocus());
    }

private slots:
    void init()
    {
        dir_ = std::make_unique<TestAppDir>();
        prompts_ = std::make_unique<RecordingPrompts>();
        main_ = std::make_unique<MainWindow>(MainWindowServices{*prompts_, dir_->paths()});
        main_->show();
        QVERIFY(QTest::qWaitForWindowExposed(main_.get()));
        UseLanguageLines(LanguageOf(*main_), "SBadFile=Unreadable list\n"
                                             "SBadFileFormat=Not a list: %s (1.00)\n"
                                             "SFileUnreadable=Cannot read %s: %s\n"
                                             "SNotRegularFile=Not a plain file\n"
                                             "SFileNotFound=No palette\n"
                                             "SNoDataToSave=Nothing to save\n"
                                             "SNoDataToCopy=Nothing to copy\n"
                                             "SWarningOverwriteFile=Replace %s?\n");
        dialogs_.clear();
        questions_.clear();
        chosenPath_.clear();
        confirm_ = true;
        prompts_->onFileDialog = [this](QWidget*, const FileDialogSetup& setup) {
            dialogs_ << setup;
            return chosenPath_;
        };
        prompts_->onConfirmOverwrite = [this](const QString& text) {
            questions_ << text;
            return confirm_;
        };
    }

    void cleanup()
    {
        main_.reset();
        prompts_.reset();
        dir_.reset();
    }

    void openingAListShowsItsFirstColour()
    {
        FillThreeAndSelectLast();
        dir_->write("lists/two.txt", kOrangeBlackFile);
        openList(dir_->file("lists/two.txt"));

        QCOMPARE(dialogs_.size(), 1);
        QVERIFY(!dialogs_.first().save);
        QVERIFY(dialogs_.first().fileName.isEmpty());
        QCOMPARE(dialogs_.first().selectedNameFilter, QStringLiteral("Text files (*.txt)"));

        QVERIFY(prompts_->messages.empty());
        QCOMPARE(list().colors(), kOrangeBlack);
        QCOMPARE(list().currentColor(), kOrangeBlack[0]);
        QCOMPARE(list().selectedIndex(), 0);
        QCOMPARE(Parts(form()).GridCapture->currentRow(), 0);
        QCOMPARE(Parts(form()).GridCapture->rowCount(), 6);
        QCOMPARE(Parts(form()).EditCaptureColor->text(), Code(form(), kOrangeBlack[0]));
    }

    void refusedFilesLeaveTheListAndViewAsTheyWere_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<int>("kind");
        QTest::addColumn<QString>("text");
        const QString unreadable = "Unreadable list";
        QTest::newRow("other extension") << "list.csv" << kOrangeBlackFile << 0 << "Not a list: list.csv (1)";
        QTest::newRow("no extension") << "list" << kOrangeBlackFile << 0 << "Not a list: list (1)";
        QTest::newRow("picture") << "photo.png" << QByteArray("\x89PNG") << 0 << "Not a list: photo.png (1)";
        QTest::newRow("two fields after good lines") << "half.txt" << QByteArray("1 2 3\r\n4 5 6\r\n7 8\r\n") << 3 << unreadable;
        QTest::newRow("word in a colour") << "word.gpl" << QByteArray("GIMP Palette\n1 2 blue\tName\n") << 3 << unreadable;
        QTest::newRow("only comments") << "notes.txt" << QByteArray("# nothing\r\n[RGB,HTML]\r\n") << 3 << unreadable;
        QTest::newRow("empty") << "empty.txt" << QByteArray() << 3 << unreadable;
        // Said apart from bad content, with the reason; %1 is the path.
        const auto cannotRead = [](const std::string& reason) {
            return "Cannot read %1: " + QString::fromStdString(reason);
        };
        QTest::newRow("missing") << "missing.txt" << QByteArray() << 3
                                 << cannotRead(std::system_category().message(ENOENT));
        QTest::newRow("directory") << "folder.txt" << QByteArray() << 3
                                   << cannotRead(std::system_category().message(EISDIR));
        QTest::newRow("pipe") << "pipe.txt" << QByteArray() << 3 << cannotRead("Not a plain file");
    }

    void refusedFilesLeaveTheListAndViewAsTheyWere()
    {
        QFETCH(QString, name);
        QFETCH(QByteArray, bytes);
        QFETCH(int, kind);
        QFETCH(QString, text);
        if (name == "folder.txt")
            QDir().mkpath(dir_->file("in/folder.txt"));
        else if (name == "pipe.txt")
            QVERIFY(QDir().mkpath(dir_->file("in"))
                    && ::mkfifo(QFile::encodeName(dir_->file("in/pipe.txt")).constData(), 0600) == 0);
        else if (name != "missing.txt")
            dir_->write("in/" + name, bytes);

        FillThreeAndSelectLast();
        const ListViewState before = ViewState(form());
        openList(dir_->file("in/" + name));

        QCOMPARE(ViewState(form()), before);
        QCOMPARE(prompts_->messages.size(), std::size_t(1));
        QCOMPARE(int(prompts_->messages[0].kind), kind);
        QCOMPARE(prompts_->messages[0].text, text.contains("%1") ? text.arg(dir_->file("in/" + name)) : text);
    }

    void theRealDialogsAreSetUpAsAsked()
    {
        FileDialogSetup setup;
        setup.save = true;
        setup.directory = dir_->path();
        setup.nameFilters = QStringList({"All files (*.*)", "Text files (*.txt)"});
        setup.selectedNameFilter = "Text files (*.txt)";
        setup.fileName = "color-list.txt";
        setup.defaultSuffix = "txt";
        bool inspected = false;
        QTimer::singleShot(0, [&] {
            auto* dialog = qobject_cast<QFileDialog*>(QApplication::activeModalWidget());
            QVERIFY(dialog);
            inspected = true;
            QCOMPARE(dialog->acceptMode(), QFileDialog::AcceptSave);
            QVERIFY(dialog->testOption(QFileDialog::DontConfirmOverwrite));
            QCOMPARE(dialog->nameFilters(), setup.nameFilters);
            QCOMPARE(dialog->selectedNameFilter(), setup.selectedNameFilter);
            QCOMPARE(dialog->defaultSuffix(), QStringLiteral("txt"));
            QCOMPARE(QDir(dialog->directory()), QDir(dir_->path()));
            dialog->reject();
        });
        QVERIFY(QtPrompts().fileName(main_.get(), setup).isEmpty());
        QVERIFY(inspected);

        for (const QString& answer : {QStringLiteral("&Oui"), QStringLiteral("Annuler")}) {
            QStringList buttons;
            QTimer::singleShot(0, [&] {
                auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
                QVERIFY(box);
                QCOMPARE(box->windowTitle(), QStringLiteral("Confirmation"));
                QCOMPARE(box->icon(), QMessageBox::Question);
                QCOMPARE(box->text(), QStringLiteral("Replace?"));
                for (QAbstractButton* button : box->buttons())
                    buttons << button->text();
                for (QAbstractButton* button : box->buttons())
                    if (button->text() == answer)
                        button->click();
            });
            QCOMPARE(QtPrompts().confirmOverwrite("Replace?"), answer == "&Oui");
            buttons.sort(); // their order on screen follows the platform's button layout
            QCOMPARE(buttons, QStringList({"&Oui", "Annuler"}));
        }
    }

    void droppedFilesLoadInOrder()
    {
        const QString deep = "drops/" + QString(120, 'd') + "/" + QString(120, 'e') + "/";
        dir_->write(deep + "first.txt", kOrangeBlackFile);
        dir_->write("drops/second.gpl", "GIMP Palette\nName: two\n#\n  1   2   3\tDark one\n");
        dir_->write("drops/picture.png", "\x89PNG");
        const QString first = dir_->file(deep + "first.txt");
        QVERIFY(first.size() > 255);

        auto drop = [this](const QStringList& paths) {
            QMimeData mime;
            QList<QUrl> urls;
            for (const QString& p : paths)
                urls << QUrl::fromLocalFile(p);
            mime.setUrls(urls);
            // A drop goes to the widget that accepted the drag's entry.
            QDragEnterEvent enter(QPoint(20, 20), Qt::CopyAction, &mime, Qt::LeftButton, Qt::NoModifier);
            QApplication::sendEvent(main_.get(), &enter);
            QVERIFY(enter.isAccepted());
            QDropEvent drop(QPointF(20, 20), Qt::CopyAction, &mime, Qt::LeftButton, Qt::NoModifier);
            QApplication::sendEvent(main_.get(), &drop);
        };

        drop({first, dir_->file("drops/second.gpl")});
        QCOMPARE(list().colors(), RgbList({Rgb{1, 2, 3}}));
        QVERIFY(prompts_->messages.empty());

        drop({first, dir_->file("drops/picture.png")});
        QCOMPARE(list().colors(), kOrangeBlack);
        QCOMPARE(list().currentColor(), kOrangeBlack[0]);
        QCOMPARE(prompts_->messages.size(), std::size_t(1));
        QCOMPARE(prompts_->messages[0].text, QStringLiteral("Not a list: picture.png (1)"));
    }

    void copyColorListPutsTheCodesOnTheClipboard()
    {
        QClipboard* clipboard = QGuiApplication::clipboard();
        clipboard->setText("before");
        run("MenuCopyColorList");
        QCOMPARE(clipboard->text(), QStringLiteral("before"));
        QCOMPARE(prompts_->messages.size(), std::size_t(1));
        QCOMPARE(int(prompts_->messages[0].kind), 0);
        QCOMPARE(prompts_->messages[0].text, QStringLiteral("Nothing to copy"));

        list().setColors(kThree);
        for (int format : {0, 1, 10}) {
            Parts(form()).NotationBox->setCurrentIndex(format);
            Parts(form()).item("MenuCopyColorList")->trigger();
            QString expected;
            for (Rgb c : kThree)
                expected += Code(form(), c) + "\r\n";
            QCOMPARE(clipboard->text(), expected);
        }
    }

    void cutCopyPasteActOnTheWholeFieldOnlyWithItsFocus()
    {
        QClipboard* clipboard = QGuiApplication::clipboard();
        QLineEdit* field = Parts(form()).EditCaptureColor;
        field->setText("#FF8000");

        Parts(form()).GridCapture->setFocus();
        QTRY_VERIFY(Parts(form()).GridCapture->hasFocus());
        clipboard->setText("outside");
        run("MenuCopy");
        run("MenuCut");
        run("MenuPaste");
        QCOMPARE(clipboard->text(), QStringLiteral("outside"));
        QCOMPARE(field->text(), QStringLiteral("#FF8000"));

        FocusCodeField();
        field->setSelection(1, 2);
        run("MenuCopy");
        QCOMPARE(clipboard->text(), QStringLiteral("#FF8000"));
        QCOMPARE(field->selectedText(), QStringLiteral("#FF8000"));

        field->setSelection(2, 1);
        run("MenuCut");
        QCOMPARE(clipboard->text(), QStringLiteral("#FF8000"));
        QVERIFY(field->text().isEmpty());

        field->setText("#000000");
        field->setCursorPosition(3);
        clipboard->setText(QStringLiteral("Red, grün\t& 12"));
        run("MenuPaste");
        QCOMPARE(field->text(), QStringLiteral("Red, grün\t& 12"));

        // Without text on the clipboard Paste does nothing.
        clipboard->setMimeData(new QMimeData);
        run("MenuPaste");
        QCOMPARE(field->text(), QStringLiteral("Red, grün\t& 12"));
    }

    void copyAsCopiesTheSelectedColourInAnyNotation()
    {
        QClipboard* clipboard = QGuiApplication::clipboard();
        list().setColors(kOrangeBlack);
        Parts(form()).GridCapture->setCurrentRow(0);
        QMenu* copyAs = Parts(form()).menu("MenuCopyAs");
        const QString fieldBefore = Parts(form()).EditCaptureColor->text();
        copyAs->findChild<QAction*>("CopyAs14", Qt::FindDirectChildrenOnly)->trigger();
        QCOMPARE(clipboard->text(), QStringLiteral("oklch(73.2% 0.186 53)"));
        copyAs->findChild<QAction*>("CopyAs12", Qt::FindDirectChildrenOnly)->trigger();
        QCOMPARE(clipboard->text(), QStringLiteral("hsl(30 100% 50%)"));
        QCOMPARE(Parts(form()).NotationBox->currentIndex(), 0);
        QCOMPARE(Parts(form()).EditCaptureColor->text(), fieldBefore);

        // The code field's own menu ends with the same submenu.
        QLineEdit* field = Parts(form()).EditCaptureColor;
        bool offered = false;
        QTimer::singleShot(100, this, [&] {
            if (auto* menu = qobject_cast<QMenu*>(QApplication::activePopupWidget())) {
                offered = menu->actions().contains(copyAs->menuAction());
                menu->close();
            }
        });
        emit field->customContextMenuRequested(QPoint(5, 5));
        QVERIFY(offered);
    }

    void aStylesheetsColourIsReadWhateverTheNotation()
    {
        UseLanguageLines(LanguageOf(form()), "SCodeAlphaIgnored=No alpha\n");
        QLineEdit* field = Parts(form()).EditCaptureColor;
        FocusCodeField();
        QGuiApplication::clipboard()->setText(QStringLiteral("rgb(255 128 0 / 50%)"));
        run("MenuPaste");
        QTest::keyClick(field, Qt::Key_Return);
        QCOMPARE(list().colors().front(), (Rgb{255, 128, 0}));
        QCOMPARE(Parts(form()).StatusBar->panelText(1), QStringLiteral("No alpha"));
        QVERIFY(prompts_->messages.empty());

        // In a stylesheet notation the field takes every character typed.
        Parts(form()).NotationBox->setCurrentIndex(14);
        field->clear();
        QTest::keyClicks(field, QStringLiteral("oklch(62.8% 0.2577 29.23)"));
        QCOMPARE(field->text(), QStringLiteral("oklch(62.8% 0.2577 29.23)"));
        QTest::keyClick(field, Qt::Key_Return);
        QCOMPARE(list().colors().front(), (Rgb{255, 0, 0}));
    }

    void editMenuKeysBeatTheFieldsOwnClipboardKeys()
    {
        QClipboard* clipboard = QGuiApplication::clipboard();
        QLineEdit* field = Parts(form()).EditCaptureColor;
        FocusCodeField();
        QSignalSpy pastes(Parts(form()).item("MenuPaste"), &QAction::triggered);

        field->setText("#FF8000");
        field->setSelection(1, 2);
        QTest::keyClick(field, Qt::Key_C, Qt::ControlModifier);
        QCOMPARE(clipboard->text(), QStringLiteral("#FF8000"));

        field->setSelection(1, 2);
        QTest::keyClick(field, Qt::Key_X, Qt::ControlModifier);
        QCOMPARE(clipboard->text(), QStringLiteral("#FF8000"));
        QVERIFY(field->text().isEmpty());

        field->setText("#000000");
        clipboard->setText("#123456");
        QTest::keyClick(field, Qt::Key_V, Qt::ControlModifier);
        QCOMPARE(pastes.count(), 0);
        QTest::keyClick(field, Qt::Key_V, Qt::ControlModifier | Qt::AltModifier);
        QCOMPARE(pastes.count(), 1);
        QCOMPARE(field->text(), QStringLiteral("#123456"));
    }

    void aMillionColoursLoadAndSaveQuickly()
    {
        RgbList big(1'000'000);
        for (std::size_t i = 0; i < big.size(); ++i)
            big[i] = RgbFromStoredColor(i * 2654435761u);
        const std::string text = ColorListFileText(big, 0, '.');
        dir_->write("big.txt", QByteArray::fromStdString(text));

        CpuClock clock;
        clock.start();
        openList(dir_->file("big.txt"));
        QCoreApplication::processEvents();
        const qint64 loadMs = clock.restart();
        QCOMPARE(list().colors().size(), big.size());
        QCOMPARE(Parts(form()).GridCapture->rowCount(), 1'000'000);

        chosenPath_ = dir_->file("big-saved.txt");
        run("MenuSaveColorList");
        const qint64 saveMs = clock.elapsed();
        QCOMPARE(QFileInfo(chosenPath_).size(), qint64(text.size()));
        qInfo().nospace() << "1,000,000 colours through the window: load " << loadMs << " ms, save " << saveMs
                          << " ms of processor time";
        // Generous for sanitizer builds; an optimised build is far below.
        QVERIFY(loadMs < 8000);
        QVERIFY(saveMs < 8000);
    }
};

QTEST_MAIN(ExchangeTest)
#include "exchange_test.moc"
