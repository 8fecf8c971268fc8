#include "platform/portal/PortalScreenshot.h"

#include <QDBusArgument>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QUrl>

#include "platform/portal/PortalRequest.h"

namespace {

const char* const kInterface = "org.freedesktop.portal.Screenshot";

QString Failure(uint response, const QVariantMap& results, const QString& what)
{
    if (response == PortalRequest::Cancelled)
        return what + QStringLiteral(" was cancelled");
    const QString error = results.value(QStringLiteral("error")).toString();
    return what + QStringLiteral(" failed") + (error.isEmpty() ? QString() : ": " + error);
}

// A channel of the portal's colour (0 to 1) in 8 bits.
int Channel(double value)
{
    return qBound(0, int(value * 255.0 + 0.5), 255);
}

// Some backends leave their picture in a temporary folder for us to clear;
// a file anywhere else belongs to the user.
bool InTemporaryFolder(const QString& path)
{
    const QString folder = QFileInfo(path).absolutePath();
    return folder == QFileInfo(QDir::tempPath()).absoluteFilePath() || folder == QStringLiteral("/tmp");
}

} // namespace

PortalScreenshot::PortalScreenshot(const QDBusConnection& bus, QObject* parent) : ColorPicker(parent), bus_(bus) {}

bool PortalScreenshot::Available()
{
    if (available_ < 0)
        available_ = PortalProperty(bus_, QLatin1String(kInterface), QStringLiteral("version")).toUInt() >= 1;
    return available_ == 1;
}

void PortalScreenshot::TakeScreenshot()
{
    auto* request = PortalRequest::Call(bus_, QLatin1String(kInterface), QStringLiteral("Screenshot"), {QString()},
                                        {{QStringLiteral("interactive"), false}, {QStringLiteral("modal"), false}},
                                        this);
    connect(request, &PortalRequest::finished, this, [this](uint response, const QVariantMap& results) {
        if (response != PortalRequest::Accepted) {
            emit failed(Failure(response, results, QStringLiteral("The screenshot")));
            return;
        }
        const QUrl uri(results.value(QStringLiteral("uri")).toString());
        const QString path = uri.toLocalFile();
        QImage image(path);
        if (image.isNull()) {
            emit failed(QStringLiteral("The screenshot could not be read from %1").arg(uri.toString()));
            return;
        }
        if (InTemporaryFolder(path))
            QFile::remove(path);
        emit screenshotTaken(image.convertToFormat(QImage::Format_RGB32));
    });
}

void PortalScreenshot::PickColor()
{
    auto* request =
        PortalRequest::Call(bus_, QLatin1String(kInterface), QStringLiteral("PickColor"), {QString()}, {}, this);
    connect(request, &PortalRequest::finished, this, [this](uint response, const QVariantMap& results) {
        if (response != PortalRequest::Accepted) {
            emit failed(Failure(response, results, QStringLiteral("Picking a colour")));
            return;
        }
        const QVariant value = results.value(QStringLiteral("color"));
        if (!value.canConvert<QDBusArgument>()) {
            emit failed(QStringLiteral("The desktop sent no colour"));
            return;
        }
        double r = 0, g = 0, b = 0;
        const QDBusArgument argument = value.value<QDBusArgument>();
        argument.beginStructure();
        argument >> r >> g >> b;
        argument.endStructure();
        emit colorPicked(QColor(Channel(r), Channel(g), Channel(b)));
    });
}
