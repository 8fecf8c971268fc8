#include "app/Application.h"

#include <QApplication>
#include <QDir>
#include <QFileInfo>
#include <QFontDatabase>
#include <QLocale>
#include <QLoggingCategory>
#include <QMessageBox>

#include "config/AppSettings.h"
#include "app/CommandLine.h"
#include "ui/QtImages.h"
#include "ui/QtPrompts.h"
#include "app/MainWindow.h"
#include "capture/ShortcutKeys.h"
#include "platform/CaptureModes.h"
#include "platform/InstanceChannel.h"
#include "platform/SingleInstance.h"
#include "platform/TerminationSignals.h"

QFont ApplicationFont()
{
    QFont font(QFontDatabase::hasFamily("Tahoma") ? "Tahoma" : "DejaVu Sans");
    font.setStyleHint(QFont::SansSerif);
    font.setPixelSize(11);
    return font;
}

namespace {

// QT_LOGGING_RULES="huebird.paths.info=true" tells where the files are read and written.
Q_LOGGING_CATEGORY(lcPaths, "huebird.paths", QtWarningMsg)

void ReadDecimalSeparator()
{
    const QString point = QLocale::system().decimalPoint();
    SetDecimalSeparator(point.size() == 1 && point.at(0).unicode() < 128 ? char(point.at(0).unicode()) : '.');
}

QtMessageHandler PreviousMessageHandler = nullptr;
QtPrompts* ProgramPrompts = nullptr;
MainWindow* ProgramWindow = nullptr;

// Qt's X11 platform ends the process with exit(1) when the display goes away
// (a killed session), without closing any window; this warning is its last
// word. The settings are saved on it as a close would save them, but only once
// they have been read (the run counter has been counted), so that a display
// lost during start-up never writes defaults over them.
void SaveSettingsWhenTheDisplayIsLost(QtMsgType type, const QMessageLogContext& context, const QString& text)
{
    static bool saved = false;
    if (type == QtWarningMsg && !saved && text.startsWith(QLatin1String("The X11 connection broke")) && ProgramWindow &&
        ProgramWindow->settingsLoaded()) {
        saved = true;
        // No message box can be shown without a display.
        if (ProgramPrompts)
            ProgramPrompts->stopShowing();
        ProgramWindow->SaveSettings();
    }
    if (PreviousMessageHandler)
        PreviousMessageHandler(type, context, text);
}

SettingsLocation ThisProcessSettingsLocation(const StartOptions& options)
{
    SettingsLocationInputs in;
    in.executablePath = QCoreApplication::applicationFilePath().toStdString();
    in.configArgument = options.configFile;
    in.workingDirectory = QDir::currentPath().toStdString();
    in.home = QDir::homePath().toStdString();
    in.installDataDir = HB_INSTALL_DATADIR;
    in.environment = [](const char* name) { return qEnvironmentVariable(name).toStdString(); };
    in.exists = [](const std::string& path) { return QFileInfo::exists(QString::fromStdString(path)); };
    const SettingsLocation where = ChooseSettingsLocation(in);
    static const char* const modeNames[] = {"config file", "portable", "installed"};
    qCInfo(lcPaths, "mode: %s", modeNames[int(where.mode)]);
    qCInfo(lcPaths, "settings: %s", where.settingsFile.c_str());
    qCInfo(lcPaths, "data: %s", where.dataDir.c_str());
    return where;
}

// A Wayland session runs the program as a native client (through XWayland
// only when that fails), unless QT_QPA_PLATFORM or -platform chooses. Returns
// whether it asked: the variable is then taken back once Qt has chosen, so
// programs started from here choose for themselves.
bool PreferTheSessionsPlatform()
{
    const std::optional<std::string> platform =
        PreferredQtPlatform([](const char* name) { return qEnvironmentVariable(name).toStdString(); });
    if (!platform)
        return false;
    qputenv("QT_QPA_PLATFORM", QByteArray::fromStdString(*platform));
    return true;
}

} // namespace

int RunApplication(int argc, char** argv)
{
    const StartOptions options = ParseStartOptions(argc, argv);
    if (const int status = AnswerInformationalOptions(options); status >= 0)
        return status;
    // `huebird-lite --capture` and `--pick` go to the copy that runs.
    if (options.command != InstanceCommand::None)
        return InstanceChannel::SendFromCommandLine(options.command == InstanceCommand::Capture
                                                        ? InstanceChannel::Command::Capture
                                                        : InstanceChannel::Command::Pick);

    TSingleInstance guard("HuebirdLite");
    const bool askedForPlatform = PreferTheSessionsPlatform();
    QApplication app(argc, argv);
    if (askedForPlatform)
        qunsetenv("QT_QPA_PLATFORM");
    QApplication::setApplicationName("Huebird Lite");
    // The program ends only through the main window's close; a dialog or box
    // closing while the main window (a tool window, which Qt does not count)
    // is open must not end it.
    QApplication::setQuitOnLastWindowClosed(false);
    QGuiApplication::setDesktopFileName(kDesktopId);
    // The installed icon theme's picture; the About logo for a portable copy.
    QApplication::setWindowIcon(
        QIcon::fromTheme(kDesktopId, QIcon(QPixmap::fromImage(LoadJpegResource(":/images/logo.jpg")))));

    if (guard.state() == TSingleInstance::State::AlreadyRunning) {
        QMessageBox box(QMessageBox::NoIcon, "HuebirdLite", "Huebird Lite is already in use.",
                        QMessageBox::Ok);
        box.exec();
        return 0;
    }

    QApplication::setFont(ApplicationFont());
    ReadDecimalSeparator();

    // Before the settings are read: they may name keys of the keyboard layout.
    TPlatformKeyNames keyNames;
    QtPrompts prompts;
    ProgramPrompts = &prompts;
    auto* mainForm = new MainWindow(prompts);
    ProgramWindow = mainForm;
    ApplySettingsLocation(AppSettings(), ThisProcessSettingsLocation(options));

    InstanceChannel commands;
    if (guard.state() == TSingleInstance::State::Acquired && !commands.Listen(InstanceChannel::DefaultPath()))
        qWarning("Huebird Lite cannot open its command socket in the runtime folder: --capture will not reach it");
    QObject::connect(&commands, &InstanceChannel::captureRequested, mainForm, &MainWindow::CaptureAtPointer);
    QObject::connect(&commands, &InstanceChannel::pickRequested, mainForm, &MainWindow::MenuPickClick);

    PreviousMessageHandler = qInstallMessageHandler(SaveSettingsWhenTheDisplayIsLost);
    TerminationSignals termination;
    QObject::connect(&termination, &TerminationSignals::Received, mainForm, &MainWindow::close);
    mainForm->show();
    // Only now: a close from a box's loop during the start would quit before
    // the main loop runs, and Qt forgets such a quit.
    termination.Watch();
    const int result = QApplication::exec();
    ProgramWindow = nullptr;
    delete mainForm;
    ProgramPrompts = nullptr;
    return result;
}
