#include "update/UpdateChecker.h"

#include "http/HttpClient.h"
#include "core/update/UpdateVerdict.h"

namespace {
constexpr int kDelayMs = 5 * 60 * 1000;
}

UpdateChecker::UpdateChecker(QString address, std::string fileVersion, HttpSettings http, QObject* parent)
    : QObject(parent), address_(std::move(address)), fileVersion_(std::move(fileVersion)), http_(http)
{
    setObjectName("UpdateChecker");
    timer_.setInterval(kDelayMs);
    connect(&timer_, &QTimer::timeout, this, &UpdateChecker::check);
}

void UpdateChecker::start(bool enabled)
{
    enabled_ = enabled && UpdateCheckBuiltIn;
    if (enabled_ && !stopped_)
        timer_.start();
    else
        timer_.stop();
}

void UpdateChecker::stop()
{
    stopped_ = true;
    timer_.stop();
}

void UpdateChecker::check()
{
    timer_.stop();
    if (!UpdateCheckBuiltIn || checking_ || stopped_)
        return;
    checking_ = true;
    const bool newer = askService();
    checking_ = false;
    // Checked after the wait: the window may have been closed meanwhile.
    if (newer && enabled_ && !stopped_)
        emit newerVersionExists();
}

bool UpdateChecker::askService() const
{
    const std::string query = UpdateQuery(address_.toStdString(), fileVersion_);
    try {
        HttpClient client(http_);
        if (client.Head(address_) != 200)
            return false;
        const QByteArray body = client.Get(QString::fromStdString(query));
        const std::string verdict = ExtractVerdict(std::string_view(body.constData(), std::size_t(body.size())));
        return !verdict.empty() && !IsCurrentVersion(verdict);
    } catch (...) {
        return false; // no network, no service, no answer: nothing to tell the user
    }
}
