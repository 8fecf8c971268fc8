#pragma once
// What some desktops offer beyond reading the screen and a hotkey, as the
// capture code sees it: a screen cast that follows the pointer, and the
// desktop's own colour picker.
#include <QColor>
#include <QObject>
#include <QString>

class ScreenCast : public QObject {
    Q_OBJECT
public:
    using QObject::QObject;
    // Opens the cast; started() or failed() follows. The token restores a
    // consent the user gave before.
    virtual void Start(const QString& restoreToken = QString()) = 0;

signals:
    // The cast runs; restoreToken (empty when the desktop gives none)
    // restores this consent in a later run.
    void started(const QString& restoreToken);
    void failed(const QString& reason);
};

class ColorPicker : public QObject {
    Q_OBJECT
public:
    using QObject::QObject;
    // Lets the user click a pixel anywhere: colorPicked or failed follows
    // (also when the user cancels).
    virtual void PickColor() = 0;

signals:
    void colorPicked(const QColor& color);
    void failed(const QString& reason);
};
