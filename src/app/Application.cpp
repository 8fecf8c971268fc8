#include "app/Application.h"

#include <QApplication>
#include <QFontDatabase>
#include <QLocale>
#include <QMessageBox>

#include "app/AppSettings.h"
#include "app/Messages.h"
#include "app/reMainForm.h"
#include "capture/ShortcutKeys.h"
#include "capture/reFormHotKey.h"
#include "colorlist/reFormColorList.h"
#include "config/reFormAbout.h"
#include "platform/InstanceChannel.h"
#include "platform/SingleInstance.h"
#include "update/ReNewVersionExists.h"

QFont ApplicationFont()
{
    QFont font(QFontDatabase::hasFamily("Tahoma") ? "Tahoma" : "DejaVu Sans");
    font.setStyleHint(QFont::SansSerif);
    font.setPixelSize(11);
    return font;
}

namespace {

void ReadDecimalSeparator()
{
    const QString point = QLocale::system().decimalPoint();
    SetDecimalSeparator(point.size() == 1 && point.at(0).unicode() < 128 ? char(point.at(0).unicode()) : '.');
}

QtMessageHandler PreviousMessageHandler = nullptr;

// Qt's X11 platform ends the process with exit(1) when the display goes away
// (a killed session), without closing any window; this warning is its last
// word. The settings are saved on it as a close would save them, but only once
// they have been read (the run counter has been counted), so that a display
// lost during start-up never writes defaults over them.
void SaveSettingsWhenTheDisplayIsLost(QtMsgType type, const QMessageLogContext& context, const QString& text)
{
    static bool saved = false;
    if (type == QtWarningMsg && !saved && text.startsWith(QLatin1String("The X11 connection broke")) && MainForm &&
        MainForm->RunCount > 0) {
        saved = true;
        // No message box can be shown without a display.
        SetMessageDlgHook([](unsigned char, const QString&) {});
        MainForm->SaveIniFile(QString::fromStdString(AppSettings().IniFilePath));
    }
    if (PreviousMessageHandler)
        PreviousMessageHandler(type, context, text);
}

} // namespace

int RunApplication(int argc, char** argv)
{
    // `huebird-lite --capture` and `--pick` go to the copy that runs.
    if (const auto command = InstanceChannel::CommandFromArguments(argc, argv))
        return InstanceChannel::SendFromCommandLine(*command);

    TSingleInstance guard("HuebirdLite");
    QApplication app(argc, argv);
    QApplication::setApplicationName("Huebird Lite");

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
    auto* mainForm = new TMainForm;
    FormHotKey = new TFormHotKey(mainForm);
    FormAbout = new TFormAbout(mainForm);
    NewVersionExists = new TNewVersionExists(mainForm);
    FormColorList = new TFormColorList(mainForm);

    InstanceChannel commands;
    if (guard.state() == TSingleInstance::State::Acquired && !commands.Listen(InstanceChannel::DefaultPath()))
        qWarning("Huebird Lite cannot open its command socket in the runtime folder: --capture will not reach it");
    QObject::connect(&commands, &InstanceChannel::captureRequested, mainForm, &TMainForm::CaptureColor);

    PreviousMessageHandler = qInstallMessageHandler(SaveSettingsWhenTheDisplayIsLost);
    mainForm->show();
    const int result = QApplication::exec();
    delete mainForm;
    return result;
}
