#include "app/Application.h"

#include <QDir>
#include <QFileInfo>
#include <QFontDatabase>
#include <QLocale>
#include <QLoggingCategory>
#include <QMessageBox>

#include "config/ProgramInfo.h"
#include "config/ProgramPaths.h"
#include "ui/QtImages.h"
#include "ui/QtPrompts.h"
#include "app/MainWindow.h"
#include "capture/ShortcutKeys.h"
#include "platform/CaptureModes.h"
#include "platform/InstanceChannel.h"
#include "platform/TerminationSignals.h"

namespace {

// QT_LOGGING_RULES="huebird.paths.info=true" tells where the files are read and written.
Q_LOGGING_CATEGORY(lcPaths, "huebird.paths", QtWarningMsg)

// Qt reports a lost display only to its message handler, a plain function
// with no room for a context: it finds the running application here.
Application* s_running = nullptr;

char SystemDecimalSeparator()
{
    const QString point = QLocale::system().decimalPoint();
    return point.size() == 1 && point.at(0).unicode() < 128 ? char(point.at(0).unicode()) : '.';
}

ProgramPaths ThisProcessPaths(const StartOptions& options)
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
    return ProgramPathsAt(in.executablePath, where);
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

QFont Application::programFont()
{
    QFont font(QFontDatabase::hasFamily("Tahoma") ? "Tahoma" : "DejaVu Sans");
    font.setStyleHint(QFont::SansSerif);
    font.setPixelSize(11);
    return font;
}

Application::Application(int& argc, char** argv, const StartOptions& options)
    : options_(options),
      guard_("HuebirdLite"),
      askedForPlatform_(PreferTheSessionsPlatform()),
      qtApplication_(argc, argv)
{
    if (askedForPlatform_)
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
}

Application::~Application()
{
    window_.reset();
    if (s_running == this) {
        qInstallMessageHandler(previousMessageHandler_);
        s_running = nullptr;
    }
}

int Application::exec()
{
    if (guard_.state() == SingleInstance::State::AlreadyRunning) {
        QMessageBox box(QMessageBox::NoIcon, "HuebirdLite", "Huebird Lite is already in use.", QMessageBox::Ok);
        box.exec();
        return 0;
    }
    start();
    const int result = QApplication::exec();
    window_.reset();
    return result;
}

void Application::start()
{
    QApplication::setFont(programFont());

    // Before the settings are read: they may name keys of the keyboard layout.
    keyNames_ = std::make_unique<PlatformKeyNames>();
    prompts_ = std::make_unique<QtPrompts>();
    window_ = std::make_unique<MainWindow>(MainWindowServices{*prompts_, ThisProcessPaths(options_), SystemDecimalSeparator()});

    commands_ = std::make_unique<InstanceChannel>();
    if (guard_.state() == SingleInstance::State::Acquired && !commands_->Listen(InstanceChannel::DefaultPath()))
        qWarning("Huebird Lite cannot open its command socket in the runtime folder: --capture will not reach it");
    QObject::connect(commands_.get(), &InstanceChannel::captureRequested, window_.get(),
                     &MainWindow::captureAtPointer);
    QObject::connect(commands_.get(), &InstanceChannel::pickRequested, window_.get(), &MainWindow::startPickMode);

    s_running = this;
    previousMessageHandler_ = qInstallMessageHandler(handleMessage);
    termination_ = std::make_unique<TerminationSignals>();
    QObject::connect(termination_.get(), &TerminationSignals::Received, window_.get(), &MainWindow::close);
    window_->show();
    // Only now: a close from a box's loop during the start would quit before
    // the main loop runs, and Qt forgets such a quit.
    termination_->Watch();
}

// Qt's X11 platform ends the process with exit(1) when the display goes away
// (a killed session), without closing any window; this warning is its last
// word.
void Application::handleMessage(QtMsgType type, const QMessageLogContext& context, const QString& text)
{
    Application* running = s_running;
    if (running && type == QtWarningMsg && text.startsWith(QLatin1String("The X11 connection broke")))
        running->saveSettingsOnLostDisplay();
    if (running && running->previousMessageHandler_)
        running->previousMessageHandler_(type, context, text);
}

// Saved as a close would save them, but only once they have been read (the
// run counter has been counted), so that a display lost during start-up never
// writes defaults over them.
void Application::saveSettingsOnLostDisplay()
{
    if (savedOnLostDisplay_ || !window_ || !window_->settingsLoaded())
        return;
    savedOnLostDisplay_ = true;
    // No message box can be shown without a display.
    prompts_->stopShowing();
    window_->saveSettings();
}
