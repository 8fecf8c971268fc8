#include "ui/QtPrompts.h"

#include <QApplication>
#include <QDesktopServices>
#include <QFileDialog>
#include <QMainWindow>
#include <QMessageBox>
#include <QPushButton>
#include <QUrl>
#include <cstdio>

namespace {

// The open modal dialog, else the main window.
QWidget* DialogParent()
{
    if (QWidget* modal = QApplication::activeModalWidget())
        return modal;
    for (QWidget* window : QApplication::topLevelWidgets())
        if (qobject_cast<QMainWindow*>(window))
            return window;
    return nullptr;
}

} // namespace

QString MessageTitle(unsigned char kind)
{
    switch (kind) {
    case mkInformation: return QStringLiteral("Information");
    case mkConfirmation: return QStringLiteral("Confirmation");
    case mkError: return QStringLiteral("Erreur");
    case mkWarning: return QStringLiteral("Avertissement");
    default: return {};
    }
}

QString FilterSuffix(const QString& filter)
{
    const qsizetype open = filter.lastIndexOf(QStringLiteral("(*."));
    if (open < 0 || !filter.endsWith(')'))
        return {};
    const QString suffix = filter.mid(open + 3, filter.size() - open - 4);
    for (QChar c : suffix)
        if (!c.isLetterOrNumber())
            return {};
    return suffix;
}

void QtPrompts::message(unsigned char kind, const QString& text)
{
    if (kind > mkWarning)
        return;
    if (stopped_) {
        std::fprintf(stderr, "huebird-lite: %s\n", qPrintable(text));
        return;
    }
    static const QMessageBox::Icon icons[] = {QMessageBox::Information, QMessageBox::Question,
                                              QMessageBox::Critical, QMessageBox::Warning};
    QMessageBox box(icons[kind], MessageTitle(kind), text, QMessageBox::NoButton, DialogParent());
    box.addButton(QStringLiteral("OK"), QMessageBox::AcceptRole);
    box.setWindowFlag(Qt::WindowStaysOnTopHint);
    box.exec();
}

QString QtPrompts::fileName(QWidget* parent, const FileDialogSetup& setup)
{
    if (stopped_)
        return {};
    QFileDialog dialog(parent);
    dialog.setAcceptMode(setup.save ? QFileDialog::AcceptSave : QFileDialog::AcceptOpen);
    dialog.setFileMode(setup.save ? QFileDialog::AnyFile : QFileDialog::ExistingFile);
    // The program asks its own question about an existing file.
    dialog.setOption(QFileDialog::DontConfirmOverwrite);
    dialog.setDirectory(setup.directory);
    dialog.setNameFilters(setup.nameFilters);
    dialog.selectNameFilter(setup.selectedNameFilter);
    dialog.setDefaultSuffix(setup.defaultSuffix);
    if (!setup.defaultSuffix.isEmpty())
        QObject::connect(&dialog, &QFileDialog::filterSelected, &dialog, [&dialog](const QString& filter) {
            const QString suffix = FilterSuffix(filter);
            if (!suffix.isEmpty())
                dialog.setDefaultSuffix(suffix);
        });
    if (!setup.fileName.isEmpty())
        dialog.selectFile(setup.fileName);
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return {};
    if (setup.chosenNameFilter)
        *setup.chosenNameFilter = dialog.selectedNameFilter();
    return dialog.selectedFiles().constFirst();
}

bool QtPrompts::confirmOverwrite(const QString& text)
{
    if (stopped_)
        return false;
    QMessageBox box(QMessageBox::Question, QStringLiteral("Confirmation"), text, QMessageBox::NoButton,
                    DialogParent());
    QPushButton* yes = box.addButton(QStringLiteral("&Oui"), QMessageBox::YesRole);
    QPushButton* cancel = box.addButton(QStringLiteral("Annuler"), QMessageBox::RejectRole);
    box.setDefaultButton(yes);
    box.setEscapeButton(cancel);
    box.exec();
    return box.clickedButton() == yes;
}

QString QtPrompts::languageFile(QWidget* parent, const QString& folder)
{
    if (stopped_)
        return {};
    // "*" rather than "*.*": on Linux a file name need not have a dot.
    return QFileDialog::getOpenFileName(parent, QString(), folder,
                                        QStringLiteral("All files (*);;Text files (*.txt)"));
}

void QtPrompts::openUrl(const QUrl& url) { QDesktopServices::openUrl(url); }

void QtPrompts::runDialog(QDialog& dialog)
{
    if (!stopped_)
        dialog.exec();
}
