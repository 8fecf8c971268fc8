#include "http/HttpClient.h"

#include <QEventLoop>
#include <QNetworkAccessManager>
#include <QNetworkReply>
#include <QNetworkRequest>
#include <QTimer>
#include <QUrl>

HttpClient::HttpClient(const HttpSettings& settings)
    : settings_(settings), manager_(std::make_unique<QNetworkAccessManager>())
{
}

HttpClient::~HttpClient() = default;

namespace {
void DeleteReply(QNetworkReply* reply)
{
    if (!reply)
        return;
    reply->disconnect();
    if (!reply->isFinished())
        reply->abort();
    delete reply;
}

int StatusOf(const QNetworkReply& reply)
{
    const QVariant status = reply.attribute(QNetworkRequest::HttpStatusCodeAttribute);
    return status.isValid() ? status.toInt() : 0;
}
} // namespace

std::unique_ptr<QNetworkReply, void (*)(QNetworkReply*)> HttpClient::Send(const QByteArray& verb,
                                                                           const QString& url)
{
    const QUrl target(url, QUrl::TolerantMode);
    if (!target.isValid() || target.host().isEmpty())
        throw HttpError("invalid address");

    QNetworkRequest request(target);
    std::unique_ptr<QNetworkReply, void (*)(QNetworkReply*)> reply(
        verb == "HEAD" ? manager_->head(request) : manager_->get(request), &DeleteReply);

    QEventLoop loop;
    bool timedOut = false;
    bool tooLarge = false;
    QTimer deadline;
    deadline.setSingleShot(true);
    QObject::connect(&deadline, &QTimer::timeout, &loop, [&] {
        timedOut = true;
        loop.quit();
    });
    QObject::connect(reply.get(), &QNetworkReply::finished, &loop, &QEventLoop::quit);
    const bool hasBody = verb != "HEAD"; // a HEAD reply announces a length it never sends
    QObject::connect(reply.get(), &QNetworkReply::downloadProgress, &loop, [&](qint64 received, qint64 total) {
        if (hasBody && (received > settings_.MaxBodyBytes || total > settings_.MaxBodyBytes)) {
            tooLarge = true;
            loop.quit();
        }
    });
    deadline.start(settings_.TimeoutMs);
    // The loop also ends when the application quits; the reply is then unfinished.
    if (!reply->isFinished())
        loop.exec();
    deadline.stop();

    if (tooLarge)
        throw HttpError("reply too large");
    if (timedOut)
        throw HttpError("timed out");
    if (!reply->isFinished())
        throw HttpError("interrupted");
    return reply;
}

int HttpClient::Head(const QString& url)
{
    const auto reply = Send("HEAD", url);
    const int status = StatusOf(*reply);
    if (status == 0)
        throw HttpError(reply->errorString().toStdString());
    return status;
}

QByteArray HttpClient::Get(const QString& url)
{
    const auto reply = Send("GET", url);
    const int status = StatusOf(*reply);
    if (reply->error() != QNetworkReply::NoError || status < 200 || status > 299)
        throw HttpError(status ? "error status " + QByteArray::number(status).toStdString()
                                : reply->errorString().toStdString());
    QByteArray body = reply->readAll();
    if (body.size() > settings_.MaxBodyBytes)
        throw HttpError("reply too large");
    return body;
}
