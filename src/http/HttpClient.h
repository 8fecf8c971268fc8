#pragma once
// The little HTTP the update check needs: a HEAD for the reply's status and a
// GET for the body. Each request waits in a local event loop, so the windows
// keep painting and the timers keep ticking while the network is slow.
#include <QByteArray>
#include <QString>
#include <memory>
#include <stdexcept>

class QNetworkAccessManager;
class QNetworkReply;
class QNetworkRequest;

// Every failure: name resolution, refused connection, time-out, error status,
// broken or oversized reply, or the application quitting during the wait.
class HttpError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

struct HttpSettings {
    int TimeoutMs = 15000;               // for each request as a whole
    qint64 MaxBodyBytes = 1024 * 1024;   // more than this is a broken reply
};

class HttpClient {
public:
    explicit HttpClient(const HttpSettings& settings = HttpSettings());
    ~HttpClient();
    HttpClient(const HttpClient&) = delete;
    HttpClient& operator=(const HttpClient&) = delete;

    // The status code of the reply, whatever it is.
    int Head(const QString& url);
    // The body of a successful (2xx) reply.
    QByteArray Get(const QString& url);

private:
    // Waits for the reply to finish; the returned reply is finished.
    std::unique_ptr<QNetworkReply, void (*)(QNetworkReply*)> Send(const QByteArray& verb, const QString& url);

    HttpSettings settings_;
    std::unique_ptr<QNetworkAccessManager> manager_;
};
