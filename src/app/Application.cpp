#include "app/Application.h"

#include <QDir>
#include <QFileInfo>
#include <QFontDatabase>
#include <QLocale>
#include <QLoggingCategory>
#include <QMessageBox>
#include <cstdio>
#include <cstdlib>
#include <vector>

#include "core/config/ProgramInfo.h"
#include "core/config/ProgramPaths.h"
#include "ui/QtImages.h"
#include "ui/QtPrompts.h"
#include "app/MainWindow.h"
#include "config/ShortcutSetting.h"
#include "core/platform/CaptureModes.h"
#include "platform/InstanceChannel.h"
#include "platform/TerminationSignals.h"
#include "platform/UserEnvironment.h"

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
    in.roamingAppDataDir = RoamingAppDataDir();
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

struct HeldMessage {
    QtMsgType type;
    QByteArray category;
    QString text;
};
std::vector<HeldMessage> s_heldStartMessages;
QtMessageHandler s_handlerBeforeStart = nullptr;

void GiveOutHeldStartMessages()
{
    qInstallMessageHandler(s_handlerBeforeStart);
    for (const HeldMessage& held : s_heldStartMessages) {
        const QMessageLogContext context(nullptr, 0, nullptr, held.category.constData());
        qt_message_output(held.type, context, held.text);
    }
    s_heldStartMessages.clear();
}

bool SaidNoDisplay()
{
    for (const HeldMessage& held : s_heldStartMessages)
        if (held.text.contains(QLatin1String("could not connect to display"))
            || held.text.contains(QLatin1String("wl_display")))
            return true;
    return false;
}

// Without a display Qt ends the process with abort() and advice to reinstall;
// the start says what is missing instead. Other fatal messages go out as Qt
// gives them.
void HoldStartMessage(QtMsgType type, const QMessageLogContext& context, const QString& text)
{
    if (type != QtFatalMsg) {
        s_heldStartMessages.push_back({type, context.category, text});
        return;
    }
    if (SaidNoDisplay()) {
        std::fputs("huebird-lite: no display was found (QT_QPA_PLATFORM=offscreen starts it without one)\n", stderr);
        std::fflush(stderr);
        std::_Exit(1);
    }
    GiveOutHeldStartMessages();
    qt_message_output(type, context, text);
}

bool HoldBackMessagesWhileQtStarts()
{
    s_handlerBeforeStart = qInstallMessageHandler(HoldStartMessage);
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
      holdingStartMessages_(HoldBackMessagesWhileQtStarts()),
      qtApplication_(argc, argv)
{
    GiveOutHeldStartMessages();
    holdingStartMessages_ = false;
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
    // A quit asked for before the main loop runs would be forgotten by it.
    const int result = endedBySignal_ ? signalExitStatus_ : QApplication::exec();
    window_.reset();
    return endedBySignal_ ? signalExitStatus_ : result;
}

void Application::start()
{
    QApplication::setFont(programFont());

    // Before the settings are read: they may name keys of the keyboard layout.
    keyNames_ = std::make_unique<PlatformKeyNames>();
    prompts_ = std::make_unique<QtPrompts>();
    window_ = std::make_unique<MainWindow>(MainWindowServices{*prompts_, ThisProcessPaths(options_), SystemDecimalSeparator()});

    commands_ = std::make_unique<InstanceChannel>();
    if (guard_.state() == SingleInstance::State::Acquired && !commands_->ListenAtFirst(InstanceChannel::DefaultPaths()))
        qWarning("Huebird Lite cannot open its command socket: --capture will not reach it");
    QObject::connect(commands_.get(), &InstanceChannel::captureRequested, window_.get(),
                     &MainWindow::captureAtPointer);
    QObject::connect(commands_.get(), &InstanceChannel::pickRequested, window_.get(), &MainWindow::startPickMode);
    // Pick mode's still screens would take no input under a modal dialog and
    // show it, closed, as if it were still there.
    commands_->setRefusal([](InstanceChannel::Command command) {
        return command == InstanceChannel::Command::Pick && QApplication::activeModalWidget();
    });

    s_running = this;
    previousMessageHandler_ = qInstallMessageHandler(handleMessage);
    termination_ = std::make_unique<TerminationSignals>();
    QObject::connect(termination_.get(), &TerminationSignals::Received, &qtApplication_, [this] { endOnSignal(); });
    // Before the show: a box of the start must not hold a signal back.
    termination_->Watch();
    window_->show();
}

// The session or the terminal is going: nobody may be left to answer a box,
// so nothing waits for one. What can be saved is saved, a failure is said on
// standard error and gives the exit status.
void Application::endOnSignal()
{
    if (endedBySignal_)
        return;
    endedBySignal_ = true;
    prompts_->stopShowing();
    signalExitStatus_ = window_->finish() ? 0 : 1;
    // Ends every loop that runs: the main one and those of open boxes and dialogs.
    QCoreApplication::exit(signalExitStatus_);
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
