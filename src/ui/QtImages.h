#pragma once
// Pictures stored with the program: JPEG resources decoded through libjpeg,
// and the 16 x 16 menu pictures.
#include <QIcon>
#include <QImage>
#include <QString>

QImage LoadJpegResource(const QString& resourcePath);
QImage JpegToImage(const QByteArray& bytes);
QIcon MenuIcon(const QString& itemName);
