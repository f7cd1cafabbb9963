#pragma once

#include <QByteArray>
#include <QImage>
#include <QString>

// JPEG pictures decoded with libjpeg. A damaged or truncated picture gives a
// null image; libjpeg never writes to stderr and never ends the program.
namespace jpegimage {

QImage decode(const QByteArray &data);

// A picture among the program's resources (":/…"); a missing one is null.
QImage fromResource(const QString &path);

} // namespace jpegimage
