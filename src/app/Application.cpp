#include "app/Application.h"

#include <QApplication>
#include <QFontDatabase>
#include <QLocale>
#include <QMessageBox>

#include "app/AppSettings.h"
#include "app/reMainForm.h"
#include "capture/ShortcutKeys.h"
#include "capture/reFormHotKey.h"
#include "colorlist/reFormColorList.h"
#include "config/reFormAbout.h"
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

} // namespace

int RunApplication(int argc, char** argv)
{
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

    mainForm->show();
    const int result = QApplication::exec();
    delete mainForm;
    return result;
}
