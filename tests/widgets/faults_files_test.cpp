// Files that fail the program: a settings folder that cannot be written, a
// full disk, language files and palettes that are directories, empty, binary
// or huge, and a list file that changes while it is read. In every case the
// user is told where that is due and nothing the user had is lost.
//
// Read-only folders and full disks are real: as root (where permissions do not
// stop writing) a read-only bind mount and a 64 KiB tmpfs; otherwise the
// folder's permissions. Where the system allows neither, the case is skipped.
#include <QDir>
#include <QFileInfo>
#include <QFile>
#include <QProcess>
#include <QRandomGenerator>
#include <QtTest>
#include <atomic>
#include <thread>
#include <sys/stat.h>
#include <system_error>
#include <unistd.h>

#include "WidgetTestSupport.h"
#include "MainWindowParts.h"
#include "app/MainWindow.h"
#include "core/config/ShortcutText.h"
#include "config/SettingsStore.h"

namespace {

const QByteArray kOldSettings = "[General]\r\nLanguage=de\r\nRns=7\r\nShowNewVersion=False\r\n\r\n"
                                "[Interface]\r\nCBX_FormatCapture=4\r\n\r\n[Preferences]\r\n"
                                "HK_CAPTURE=Ctrl+Alt+K\r\n";
const QByteArray kOldList = "[RGB,RGB]\r\n  1   2   3\t1, 2, 3\r\n";

bool Run(const QString& program, const QStringList& args)
{
    QProcess p;
    p.setProcessChannelMode(QProcess::ForwardedErrorChannel);
    p.start(program, args);
    return p.waitForFinished(20000) && p.exitStatus() == QProcess::NormalExit && p.exitCode() == 0;
}

bool CanWriteIn(const QString& dir)
{
    QFile probe(dir + "/probe");
    const bool ok = probe.open(QIODevice::WriteOnly) && probe.write("x", 1) == 1 && probe.flush();
    probe.close();
    QFile::remove(dir + "/probe");
    return ok;
}

// The folder made read-only for this process until destroyed.
class ReadOnlyFolder {
public:
    explicit ReadOnlyFolder(const QString& dir) : dir_(dir)
    {
        if (geteuid() != 0) {
            QFile::setPermissions(dir_, QFile::ReadOwner | QFile::ExeOwner);
            chmodded_ = true;
        } else if (Run("mount", {"--bind", dir_, dir_})) {
            mounted_ = true;
            Run("mount", {"-o", "remount,ro,bind", dir_});
        }
    }
    ~ReadOnlyFolder()
    {
        if (mounted_)
            Run("umount", {dir_});
        if (chmodded_)
            QFile::setPermissions(dir_, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    }
    bool works() const { return (mounted_ || chmodded_) && !CanWriteIn(dir_); }

private:
    QString dir_;
    bool mounted_ = false;
    bool chmodded_ = false;
};

// A 64 KiB file system at the folder, holding the given files and then filled up.
class FullDisk {
public:
    explicit FullDisk(const QString& dir) : dir_(dir)
    {
        QDir().mkpath(dir_);
        mounted_ = geteuid() == 0 && Run("mount", {"-t", "tmpfs", "-o", "size=64k", "tmpfs", dir_});
    }
    ~FullDisk()
    {
        if (mounted_)
            Run("umount", {dir_});
    }
    bool mounted() const { return mounted_; }
    void put(const QString& name, const QByteArray& bytes) const
    {
        QFile f(dir_ + "/" + name);
        QVERIFY(f.open(QIODevice::WriteOnly));
        QCOMPARE(f.write(bytes), qint64(bytes.size()));
    }
    // Writes a filler file until the file system refuses more, then gives
    // back room for part of a file.
    void fill(qint64 room = 0) const
    {
        QFile filler(dir_ + "/filler");
        QVERIFY(filler.open(QIODevice::WriteOnly | QIODevice::Unbuffered));
        const QByteArray block(512, 'x');
        while (filler.write(block) == block.size()) {
        }
        QVERIFY(!CanWriteIn(dir_));
        QVERIFY(filler.resize(filler.size() - room));
    }
    void makeRoom() const { QFile::remove(dir_ + "/filler"); }

private:
    QString dir_;
    bool mounted_ = false;
};

QByteArray ReadAll(const QString& path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray("<unreadable>");
}

// The system's own words, as a full disk should be reported.
QString NoSpaceLeft() { return QString::fromStdString(std::system_category().message(ENOSPC)); }

QByteArray ListText(const RgbList& colors)
{
    QByteArray text = "[RGB,RGB]\r\n";
    for (Rgb c : colors)
        text += QByteArray::number(c.r) + ' ' + QByteArray::number(c.g) + ' ' + QByteArray::number(c.b) + "\tname\r\n";
    return text;
}

} // namespace

class FaultsFilesTest : public QObject {
    Q_OBJECT

private:
    std::unique_ptr<TestAppDir> dir_;

    void loadEnglish(MainWindow& form, RecordingPrompts& prompts)
    {
        ChooseLanguageFile(form, prompts, dir_->file("language/lang_en.txt"));
    }

private slots:
    void init()
    {
        dir_ = std::make_unique<TestAppDir>();
    }
    void cleanup()
    {
        dir_.reset();
    }

    void readOnlySettingsFolderKeepsTheOldSettingsAndSaysSo()
    {
        const QString ini = dir_->file("HuebirdLite.ini");
        dir_->write("HuebirdLite.ini", kOldSettings);
        ReadOnlyFolder readOnly(dir_->path());
        if (!readOnly.works())
            QSKIP("this system can make no folder read-only for this process");

        RecordingPrompts recorder;
        SettingsStore store(ini, SettingsMode::Portable, recorder);
        store.load();
        QVERIFY(recorder.messages.empty());
        QCOMPARE(store.settings().notationIndex, 4);
        QCOMPARE(store.settings().runCount, 8);

        store.settings().notationIndex = 2;
        QVERIFY(!store.save());
        QCOMPARE(recorder.messages.size(), std::size_t(1));
        QCOMPARE(recorder.messages[0].kind, mkError);
        QVERIFY2(recorder.messages[0].text.contains(ini), qPrintable(recorder.messages[0].text));
        QCOMPARE(ReadAll(ini), kOldSettings);
        QCOMPARE(QDir(dir_->path()).entryList({"HuebirdLite*"}, QDir::Files | QDir::Hidden),
                 QStringList{"HuebirdLite.ini"});
    }

    void firstRunInAReadOnlyFolderStartsWithDefaultsAndSaysSo()
    {
        const QString ini = dir_->file("HuebirdLite.ini");
        ReadOnlyFolder readOnly(dir_->path());
        if (!readOnly.works())
            QSKIP("this system can make no folder read-only for this process");

        RecordingPrompts recorder;
        SettingsStore store(ini, SettingsMode::Portable, recorder);
        store.load();
        QCOMPARE(recorder.messages.size(), std::size_t(1));
        QCOMPARE(recorder.messages[0].kind, mkWarning);
        QVERIFY(recorder.messages[0].text.contains(ini));
        QCOMPARE(store.settings().notationIndex, 0);
        QCOMPARE(store.settings().hotkeyText, std::string("Alt+C"));
        QVERIFY(store.settings().showNewVersion);
        QVERIFY(store.isFirstRun());
        QVERIFY(!QFile::exists(ini));
    }

    void fullDiskWhileSavingTheSettingsKeepsTheOldFile()
    {
        FullDisk disk(dir_->path() + "full");
        if (!disk.mounted())
            QSKIP("mounting a small file system needs root");
        const QString ini = dir_->path() + "full/HuebirdLite.ini";
        disk.put("HuebirdLite.ini", kOldSettings);
        disk.fill();

        RecordingPrompts recorder;
        SettingsStore store(ini, SettingsMode::Portable, recorder);
        store.load();
        store.settings().notationIndex = 9;
        QVERIFY(!store.save());
        QCOMPARE(recorder.messages.size(), std::size_t(1));
        QCOMPARE(recorder.messages[0].kind, mkError);
        QVERIFY(recorder.messages[0].text.contains(ini));
        QVERIFY2(recorder.messages[0].text.endsWith(NoSpaceLeft()), qPrintable(recorder.messages[0].text));
        QCOMPARE(ReadAll(ini), kOldSettings);

        // With room again the same save goes through.
        disk.makeRoom();
        QVERIFY(store.save());
        QCOMPARE(recorder.messages.size(), std::size_t(1));
        QVERIFY(ReadAll(ini).contains("CBX_FormatCapture=9\r\n"));
    }

    void fullDiskWhileSavingAListKeepsTheOldFileAndTheList_data()
    {
        QTest::addColumn<int>("colors");
        QTest::addColumn<int>("room");
        QTest::newRow("one colour") << 1 << 0; // fits any write buffer
        QTest::newRow("5000 colours") << 5000 << 0;
        QTest::newRow("5000 colours, room for some") << 5000 << 8192; // the first write is cut short
    }
    void fullDiskWhileSavingAListKeepsTheOldFileAndTheList()
    {
        QFETCH(int, colors);
        QFETCH(int, room);
        FullDisk disk(dir_->path() + "full");
        if (!disk.mounted())
            QSKIP("mounting a small file system needs root");
        const QString path = dir_->path() + "full/colors.txt";
        disk.put("colors.txt", kOldList);
        disk.fill(room);

        RecordingPrompts recorder;
        MainWindow form({recorder, dir_->paths()});
        loadEnglish(form, recorder);
        recorder.onFileDialog = [&](QWidget*, const FileDialogSetup&) { return path; };
        recorder.onConfirmOverwrite = [](const QString&) { return true; };
        RgbList list;
        for (int i = 0; i < colors; ++i)
            list.push_back(RgbFromStoredColor(i * 2654435761u));
        Parts(form).list().setColors(list);
        Parts(form).item("MenuSaveColorList")->trigger();
        QCOMPARE(recorder.messages.size(), std::size_t(1));
        QCOMPARE(recorder.messages[0].kind, mkError);
        QCOMPARE(recorder.messages[0].text, path + '\n' + NoSpaceLeft());
        QCOMPARE(ReadAll(path), kOldList);
        QCOMPARE(Parts(form).list().colors(), list);
        QCOMPARE(QDir(dir_->path() + "full").entryList(QDir::Files | QDir::Hidden),
                 QStringList({"colors.txt", "filler"}));
    }

    // Neither read (it would wait for a writer) nor replaced by a regular file.
    void settingsLinkedToAPipeStayALinkToAPipe()
    {
        const QString ini = dir_->file("HuebirdLite.ini");
        const QByteArray pipe = QFile::encodeName(dir_->file("pipe"));
        QCOMPARE(::mkfifo(pipe.constData(), 0600), 0);
        QVERIFY(QFile::link(dir_->file("pipe"), ini));

        RecordingPrompts recorder;
        SettingsStore store(ini, SettingsMode::Portable, recorder);
        store.load();
        store.save();
        QCOMPARE(recorder.messages.size(), std::size_t(2));
        QCOMPARE(recorder.messages[0].kind, mkWarning);
        QVERIFY2(recorder.messages[0].text.contains("Not a regular file"), qPrintable(recorder.messages[0].text));
        QCOMPARE(recorder.messages[1].kind, mkError);
        QVERIFY(QFileInfo(ini).isSymLink());
        struct stat status {};
        QVERIFY(::stat(pipe.constData(), &status) == 0 && S_ISFIFO(status.st_mode));
    }

    void languageFileThatIsNoTextChangesNothing_data()
    {
        QTest::addColumn<QString>("kind");
        QTest::newRow("directory") << "directory";
        QTest::newRow("empty") << "empty";
        QTest::newRow("binary") << "binary";
    }
    void languageFileThatIsNoTextChangesNothing()
    {
        QFETCH(QString, kind);
        const QString path = dir_->file("language/lang_xx.txt");
        if (kind == "directory") {
            QVERIFY(QDir().mkpath(path));
        } else if (kind == "empty") {
            dir_->write("language/lang_xx.txt", {});
        } else {
            QByteArray bytes(1 << 20, '\0');
            QRandomGenerator random(10);
            for (char& b : bytes)
                b = char(random.bounded(256));
            dir_->write("language/lang_xx.txt", bytes);
        }
        RecordingPrompts recorder;
        MainWindow form({recorder, dir_->paths()});
        loadEnglish(form, recorder);
        const QString badFile = TextOf(form, "SBadFile");
        const QString errorColorInput = TextOf(form, "SErrorColorInput");
        const QString caption = Parts(form).menu("MenuFile")->title();
        ChooseLanguageFile(form, recorder, path);
        QVERIFY(recorder.messages.empty());
        QCOMPARE(Parts(form).menu("MenuFile")->title(), caption);
        QCOMPARE(TextOf(form, "SBadFile"), badFile);
        QCOMPARE(TextOf(form, "SErrorColorInput"), errorColorInput);
    }

    void hugeLanguageFileLoadsAndTheLastValueWins()
    {
        QByteArray bytes;
        const int lines = 400000;
        bytes.reserve(lines * 24);
        for (int i = 0; i < lines; ++i)
            bytes += "MenuFile=Fichier " + QByteArray::number(i) + "\r\n";
        bytes += QByteArray(4 << 20, 'z'); // and one line of 4 MiB without "="
        dir_->write("language/lang_xx.txt", bytes);

        RecordingPrompts recorder;
        MainWindow form({recorder, dir_->paths()});
        CpuClock clock;
        clock.start();
        ChooseLanguageFile(form, recorder, dir_->file("language/lang_xx.txt"));
        const qint64 ms = clock.elapsed();
        qInfo("a language file of 400,000 lines read in %lld ms of processor time", ms);
        QVERIFY(ms < 30000);
        QCOMPARE(Parts(form).menu("MenuFile")->title(), QStringLiteral("Fichier %1").arg(lines - 1));
        QVERIFY(recorder.messages.empty());
    }

    void paletteThatIsNoListKeepsTheListAndSaysSo_data()
    {
        QTest::addColumn<QString>("kind");
        QTest::addColumn<QString>("expected"); // the message, in English
        const QString notFound = "The palette file could not be found.";
        const QString unreadable = "This file could not be read as a color list.";
        QTest::newRow("directory") << "directory" << notFound;
        QTest::newRow("empty") << "empty" << unreadable;
        QTest::newRow("binary") << "binary" << unreadable;
    }
    void paletteThatIsNoListKeepsTheListAndSaysSo()
    {
        QFETCH(QString, kind);
        QFETCH(QString, expected);
        const QString path = dir_->file("palettes/classic-84.txt");
        QFile::remove(path);
        if (kind == "directory") {
            QVERIFY(QDir().mkpath(path));
        } else if (kind == "empty") {
            dir_->write("palettes/classic-84.txt", {});
        } else {
            // Bytes that never start a line with a digit and three numbers.
            QByteArray bytes(1 << 20, '\0');
            QRandomGenerator random(84);
            for (char& b : bytes)
                b = char(random.bounded(256));
            bytes.replace('\n', "\n12 x ");
            dir_->write("palettes/classic-84.txt", bytes);
        }
        RecordingPrompts recorder;
        MainWindow form({recorder, dir_->paths()});
        loadEnglish(form, recorder);
        const RgbList list = {Rgb{255, 128, 0}, Rgb{86, 52, 18}};
        Parts(form).list().setColors(list);
        Parts(form).item("MenuSwatches")->trigger();
        QCOMPARE(recorder.messages.size(), std::size_t(1));
        QCOMPARE(recorder.messages[0].text, expected);
        QCOMPARE(Parts(form).list().colors(), list);
    }

    void hugePaletteLoadsWhole()
    {
        const int colors = 1000000;
        RgbList expected;
        expected.reserve(colors);
        QByteArray bytes = "GIMP Palette\nName: huge\n#\n";
        bytes.reserve(colors * 20);
        for (int i = 0; i < colors; ++i) {
            const Rgb c = RgbFromStoredColor(i * 2654435761u);
            expected.push_back(c);
            bytes += QByteArray::number(c.r) + ' ' + QByteArray::number(c.g) + ' ' + QByteArray::number(c.b) + "\tc\n";
        }
        dir_->write("palettes/classic-84.txt", bytes);
        RecordingPrompts recorder;
        MainWindow form({recorder, dir_->paths()});
        Parts(form).item("MenuSwatches")->trigger();
        QVERIFY(recorder.messages.empty());
        QCOMPARE(Parts(form).list().colors().size(), expected.size());
        QVERIFY(Parts(form).list().colors() == expected);
        QCOMPARE(Parts(form).list().currentColor(), expected.front());
    }

    // Another program rewrites the list while it is being loaded. Replaced
    // whole (as editors and this program save), every load gives one version
    // or the other; rewritten in place, a load may fail, and then the list
    // stays as it was.
    void listFileChangingWhileReadNeverCostsTheList()
    {
        RgbList a, b;
        for (int i = 0; i < 300; ++i)
            a.push_back(RgbFromStoredColor(0x010101 * (i % 200) + 1));
        for (int i = 0; i < 700; ++i)
            b.push_back(RgbFromStoredColor(0x000100 * (i % 250) + 0x110000));
        const QByteArray textA = ListText(a), textB = ListText(b);
        const QString path = dir_->file("moving.txt");
        const QString spare = dir_->file("moving.txt.new");
        dir_->write("moving.txt", textA);

        RecordingPrompts recorder;
        MainWindow form({recorder, dir_->paths()});
        loadEnglish(form, recorder);
        recorder.onFileDialog = [&](QWidget*, const FileDialogSetup&) { return path; };
        const ColorListModel& list = Parts(form).list();

        for (const bool inPlace : {false, true}) {
            std::atomic<bool> stop{false};
            std::thread writer([&] {
                for (int n = 0; !stop; ++n) {
                    const QByteArray& text = n % 2 ? textB : textA;
                    if (!inPlace) {
                        QFile f(spare);
                        if (f.open(QIODevice::WriteOnly | QIODevice::Truncate)) {
                            f.write(text);
                            f.close();
                            std::rename(spare.toLocal8Bit().constData(), path.toLocal8Bit().constData());
                        }
                    } else {
                        QFile f(path);
                        if (f.open(QIODevice::WriteOnly | QIODevice::Truncate | QIODevice::Unbuffered))
                            for (const QByteArray& line : text.split('\n'))
                                f.write(line + '\n');
                    }
                }
            });
            int loads = 0, refusals = 0;
            for (int i = 0; i < 200; ++i) {
                const RgbList before = list.colors();
                const std::size_t messages = recorder.messages.size();
                Parts(form).item("MenuOpenColorList")->trigger();
                if (recorder.messages.size() == messages) {
                    ++loads;
                    QVERIFY(!list.colors().empty());
                    if (!inPlace)
                        QVERIFY(list.colors() == a || list.colors() == b);
                } else {
                    ++refusals;
                    QCOMPARE(recorder.messages.size(), messages + 1);
                    QCOMPARE(recorder.messages.back().text, TextOf(form, "SBadFile"));
                    QVERIFY(list.colors() == before);
                }
            }
            stop = true;
            writer.join();
            if (!inPlace)
                QCOMPARE(refusals, 0);
            qInfo("%s: %d loads, %d refused", inPlace ? "in place" : "replaced whole", loads, refusals);
        }
    }
};

QTEST_MAIN(FaultsFilesTest)
#include "faults_files_test.moc"
