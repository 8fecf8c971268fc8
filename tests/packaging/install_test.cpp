// The program installed into a temporary root as a distribution installs it,
// copied into a folder of its own as a user unpacks it, and unpacked from its
// Debian package: where each copy reads its data and writes its settings.
#include <QtTest>

#include "DesktopTestSupport.h"
#include "../common/CopyTree.h"

namespace {

QStringList FilesUnder(const QString& root)
{
    QStringList files;
    QDirIterator it(root, QDir::Files | QDir::Hidden, QDirIterator::Subdirectories);
    while (it.hasNext())
        files << QDir(root).relativeFilePath(it.next());
    files.sort();
    return files;
}

bool Run(const QString& program, const QStringList& args, const QProcessEnvironment& env, QString* output = nullptr)
{
    QProcess p;
    p.setProcessEnvironment(env);
    p.start(program, args);
    const bool ok = p.waitForFinished(120000) && p.exitStatus() == QProcess::NormalExit && p.exitCode() == 0;
    if (output)
        *output = QString::fromLocal8Bit(p.readAllStandardOutput() + p.readAllStandardError());
    return ok;
}

// A session of its own: home, configuration and data folders, no system data.
class PrivateSession {
public:
    QString home() const { return home_.path(); }
    QString config() const { return home_.path() + "/config"; }

    QProcessEnvironment environment() const
    {
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert("HOME", home());
        env.insert("XDG_CONFIG_HOME", config());
        env.insert("XDG_DATA_HOME", home() + "/data");
        env.insert("XDG_DATA_DIRS", home() + "/no-system-data");
        env.insert("XDG_RUNTIME_DIR", runtime_.path());
        env.insert("QT_QPA_PLATFORM", "xcb");
        env.insert("QT_LOGGING_RULES", "huebird.paths.info=true");
        env.remove("HUEBIRD_CONFIG");
        return env;
    }

    // Starts the program, waits for its main window and closes it as its
    // close box does. Returns what it said about its files, empty on failure.
    QString startAndClose(const QString& program) const
    {
        QProcess p;
        p.setProcessEnvironment(environment());
        p.setProcessChannelMode(QProcess::MergedChannels);
        p.start(program, {});
        if (!p.waitForStarted(10000))
            return {};
        QString window;
        const QString pid = QString::number(p.processId());
        WaitFor([&] {
            window = XDo({"search", "--all", "--onlyvisible", "--pid", pid, "--name", "^Huebird v"}).trimmed();
            return !window.isEmpty();
        }, 30000);
        if (!window.isEmpty())
            CloseWindow(window.split('\n').first());
        if (!p.waitForFinished(30000)) {
            p.kill();
            p.waitForFinished();
        }
        const QString said = QString::fromLocal8Bit(p.readAll());
        if (window.isEmpty() || p.exitStatus() != QProcess::NormalExit || p.exitCode() != 0)
            qWarning().noquote() << program << "failed:" << said;
        return window.isEmpty() || p.exitCode() != 0 ? QString() : said;
    }

private:
    QTemporaryDir home_;
    QTemporaryDir runtime_;
};

QStringList InstalledFiles()
{
    QStringList files = {
        "usr/bin/huebird-code",
        "usr/bin/huebird-lite",
        "usr/share/applications/com.example.HuebirdLite.desktop",
        "usr/share/doc/huebird-lite/changelog.gz",
        "usr/share/doc/huebird-lite/copyright",
        "usr/share/huebird-lite/palettes/classic-84.txt",
        "usr/share/icons/hicolor/scalable/apps/com.example.HuebirdLite.svg",
        "usr/share/man/man1/huebird-code.1.gz",
        "usr/share/man/man1/huebird-lite.1.gz",
        "usr/share/metainfo/com.example.HuebirdLite.metainfo.xml",
    };
    for (const char* code : {"de", "en", "es", "fr", "it", "pt"})
        files << QString("usr/share/huebird-lite/help/help_%1.htm").arg(code)
              << QString("usr/share/huebird-lite/language/lang_%1.txt").arg(code);
    for (int size : {16, 22, 24, 32, 48, 64, 128, 256})
        files << QString("usr/share/icons/hicolor/%1x%1/apps/com.example.HuebirdLite.png").arg(size);
    files.sort();
    return files;
}

} // namespace

class InstallTest : public QObject {
    Q_OBJECT

private:
    QTemporaryDir root_;

private slots:
    void installsEveryFileUnderThePrefix()
    {
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert("DESTDIR", root_.path());
        QString output;
        QVERIFY2(Run("cmake", {"--install", qEnvironmentVariable("HB_BUILD_DIR"), "--prefix", "/usr"}, env, &output),
                 qPrintable(output));
        QCOMPARE(FilesUnder(root_.path()), InstalledFiles());
    }

    void installedProgramKeepsItsSettingsUnderXdgConfig()
    {
        const QString program = root_.path() + "/usr/bin/huebird-lite";
        QVERIFY(QFile::exists(program));
        PrivateSession session;
        QProcessEnvironment noDisplay = session.environment();
        for (const char* name : {"DISPLAY", "WAYLAND_DISPLAY", "QT_QPA_PLATFORM"})
            noDisplay.remove(name);
        QString output;
        QVERIFY2(Run(program, {"--version"}, noDisplay, &output), qPrintable(output));
        QCOMPARE(output, QStringLiteral("huebird-lite 2.0.2.1\n"));
        QVERIFY2(Run(program, {"--help"}, noDisplay, &output), qPrintable(output));
        QVERIFY(output.startsWith("Usage: huebird-lite"));

        const QString said = session.startAndClose(program);
        QVERIFY(said.contains("mode: installed"));
        QVERIFY2(said.contains("data: " + root_.path() + "/usr/share/huebird-lite/\n"), qPrintable(said));
        QVERIFY(QFileInfo(session.config() + "/huebird-lite/HuebirdLite.ini").isFile());
        QCOMPARE(FilesUnder(root_.path()), InstalledFiles());
    }

    void aCopiedPortableFolderWritesBesideItself()
    {
        QTemporaryDir folder;
        QVERIFY(CopyTree(root_.path() + "/usr/share/huebird-lite", folder.path()));
        QVERIFY(QFile::copy(root_.path() + "/usr/bin/huebird-lite", folder.path() + "/huebird-lite"));
        QFile marker(folder.path() + "/portable");
        QVERIFY(marker.open(QIODevice::WriteOnly));
        marker.close();

        PrivateSession session;
        const QString said = session.startAndClose(folder.path() + "/huebird-lite");
        QVERIFY(said.contains("mode: portable"));
        QVERIFY(said.contains("data: " + folder.path() + "/\n"));
        QVERIFY(QFileInfo(folder.path() + "/HuebirdLite.ini").isFile());
        QVERIFY(!QFile::exists(session.config() + "/huebird-lite"));
    }

    void unpackedPackageFindsItsDataAndStarts()
    {
        const QString deb = qEnvironmentVariable("HB_DEB");
        if (deb.isEmpty())
            QSKIP("HB_DEB names no package");
        QString output;
        QVERIFY2(Run("dpkg-deb", {"-x", deb, root_.path()}, QProcessEnvironment::systemEnvironment(), &output),
                 qPrintable(output));
        PrivateSession session;
        const QString said = session.startAndClose(root_.path() + "/usr/bin/huebird-lite");
        QVERIFY2(said.contains("data: " + root_.path() + "/usr/share/huebird-lite/\n"), qPrintable(said));
        QVERIFY(QFileInfo(session.config() + "/huebird-lite/HuebirdLite.ini").isFile());
    }
};

QTEST_MAIN(InstallTest)
#include "install_test.moc"
