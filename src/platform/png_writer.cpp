#include "platform/png_writer.h"

#include <QCoreApplication>
#include <QImageWriter>
#include <QStringList>

namespace {

// Writes with the plugin folders set aside, then puts them back.
bool Write(QImageWriter& writer, const QImage& picture) {
    const QStringList folders = QCoreApplication::libraryPaths();
    QCoreApplication::setLibraryPaths({});
    const bool written = writer.write(picture);
    QCoreApplication::setLibraryPaths(folders);
    return written;
}

}  // namespace

bool WritePng(const QImage& picture, QIODevice* device) {
    QImageWriter writer(device, QByteArrayLiteral("png"));
    return Write(writer, picture);
}

bool SavePng(const QImage& picture, const QString& path) {
    QImageWriter writer(path, QByteArrayLiteral("png"));
    return Write(writer, picture);
}
