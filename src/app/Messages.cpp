#include "app/Messages.h"

#include <QApplication>
#include <QMessageBox>

#include "app/reMainForm.h"

namespace {
MessageDlgHook& Hook()
{
    static MessageDlgHook hook;
    return hook;
}
} // namespace

void SetMessageDlgHook(MessageDlgHook hook) { Hook() = std::move(hook); }

QWidget* DialogParent()
{
    if (QWidget* modal = QApplication::activeModalWidget())
        return modal;
    return MainForm;
}

QString MessageDlgTitle(unsigned char kind)
{
    switch (kind) {
    case mkInformation: return QStringLiteral("Information");
    case mkConfirmation: return QStringLiteral("Confirmation");
    case mkError: return QStringLiteral("Erreur");
    case mkWarning: return QStringLiteral("Avertissement");
    default: return {};
    }
}

void ShowMessageDlg(unsigned char kind, const QString& text)
{
    if (kind > mkWarning)
        return;
    if (Hook()) {
        Hook()(kind, text);
        return;
    }
    static const QMessageBox::Icon icons[] = {QMessageBox::Information, QMessageBox::Question,
                                              QMessageBox::Critical, QMessageBox::Warning};
    QMessageBox box(icons[kind], MessageDlgTitle(kind), text, QMessageBox::NoButton, DialogParent());
    box.addButton(QStringLiteral("OK"), QMessageBox::AcceptRole);
    box.setWindowFlag(Qt::WindowStaysOnTopHint);
    box.exec();
}
