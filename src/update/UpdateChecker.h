#pragma once
// Once a run, five minutes after the start, asks the update service whether a
// newer version exists; the user may switch the check off.
#include <QObject>
#include <QString>
#include <QTimer>
#include <string>

#include "http/HttpClient.h"

class UpdateChecker : public QObject {
    Q_OBJECT
public:
    // The service at `address` judges this program's `fileVersion`.
    UpdateChecker(QString address, std::string fileVersion, HttpSettings http, QObject* parent = nullptr);

    // Schedules the check when the user wants it (and the build has it).
    void start(bool enabled);
    // For good: no check starts, and a check under way announces nothing.
    void stop();
    bool isScheduled() const { return timer_.isActive(); }
    void setDelay(int ms) { timer_.setInterval(ms); }

    // Asks the service now; a second call while the first waits does nothing.
    void check();

signals:
    void newerVersionExists();

private:
    bool askService() const;

    const QString address_;
    const std::string fileVersion_;
    QTimer timer_;
    bool enabled_ = false;
    bool stopped_ = false;
    // The requests wait in a local event loop, so other events run meanwhile.
    bool checking_ = false;
    const HttpSettings http_;
};
