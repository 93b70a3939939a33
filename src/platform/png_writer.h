// Pictures saved as PNG by Qt's own writer. Asked for a PNG, Qt's image writer first loads
// every image format plugin it finds (GIF, ICO, JPEG with libjpeg), to ask whether one would
// rather write it; they then stay in memory for the rest of the run. The program writes PNG
// alone, so the writer is given no plugin folder to look in while it writes.
#pragma once

#include <QImage>
#include <QString>

class QIODevice;

// Writes `picture` as PNG to `device`, which is open for writing; false when it could not.
bool WritePng(const QImage& picture, QIODevice* device);
// The same into the file at `path`.
bool SavePng(const QImage& picture, const QString& path);
