#pragma once
// What the configuration commands hand to the desktop: opening a page or web
// address with its default program, and the open dialog for a language file.
// Tests put their own functions in place so nothing modal or external runs.
#include <QString>
#include <QUrl>
#include <functional>

class QWidget;

// Opens a file or address with the desktop's default program; the outcome is
// not reported.
void ShellOpen(const QUrl& url);
using ShellOpenHook = std::function<void(const QUrl& url)>;
void SetShellOpenHook(ShellOpenHook hook); // nullptr restores the desktop's

// The language file the user picks, starting in `folder`; empty when cancelled.
QString ChooseLanguageFile(QWidget* parent, const QString& folder);
using ChooseLanguageFileHook = std::function<QString(const QString& folder)>;
void SetChooseLanguageFileHook(ChooseLanguageFileHook hook); // nullptr restores the dialog
