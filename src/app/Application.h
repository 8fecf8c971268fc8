#pragma once
// One run of the program: the single-instance guard, the Qt application and,
// in their order, the parts around the main window; then the message loop.
#include <QApplication>
#include <memory>

#include "core/app/CommandLine.h"
#include "core/platform/SingleInstance.h"

class InstanceChannel;
class MainWindow;
class QtPrompts;
class TerminationSignals;
class PlatformKeyNames;

class Application {
public:
    // argc is Qt's to keep: it must outlive the application.
    Application(int& argc, char** argv, const StartOptions& options);
    ~Application();
    Application(const Application&) = delete;
    Application& operator=(const Application&) = delete;

    // Runs until the main window closes; the exit status. A second copy only
    // says that the first one runs.
    int exec();

    // Tahoma 8 pt, or the closest sans-serif.
    static QFont programFont();

private:
    void start();
    static void handleMessage(QtMsgType type, const QMessageLogContext& context, const QString& text);
    void saveSettingsOnLostDisplay();
    // SIGTERM, SIGINT, SIGHUP: the run ends at once, also from a box's loop.
    void endOnSignal();

    StartOptions options_;
    SingleInstance guard_;
    bool askedForPlatform_;
    // Qt's messages while it looks for a display are held back until it has one.
    bool holdingStartMessages_;
    QApplication qtApplication_;
    // Destroyed in reverse: the window first, as it may still use the others.
    std::unique_ptr<PlatformKeyNames> keyNames_;
    std::unique_ptr<QtPrompts> prompts_;
    std::unique_ptr<InstanceChannel> commands_;
    std::unique_ptr<TerminationSignals> termination_;
    std::unique_ptr<MainWindow> window_;
    QtMessageHandler previousMessageHandler_ = nullptr;
    bool savedOnLostDisplay_ = false;
    bool endedBySignal_ = false;
    int signalExitStatus_ = 0;
};
