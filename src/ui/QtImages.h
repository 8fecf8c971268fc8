#pragma once
// Pictures stored with the program: JPEG resources decoded through libjpeg,
// the 16 x 16 menu pictures and the pictures of the list manager's buttons.
#include <QIcon>
#include <QImage>
#include <QString>

QImage LoadJpegResource(const QString& resourcePath);
QImage JpegToImage(const QByteArray& bytes);
QIcon MenuIcon(const QString& itemName);

enum class ButtonPicture { Up, Down, Delete, UndoAll, Close };
// 16 x 16.
const QIcon& ButtonIcon(ButtonPicture picture);
