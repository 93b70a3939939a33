// Pictures saved as PNG: the same pixels read back, and no image format plugin brought into
// memory for it.
#include <QBuffer>
#include <QFile>
#include <QtTest>

#include "platform/png_writer.h"

class PngWriterTest : public QObject {
    Q_OBJECT
  private slots:
    void thePictureIsWrittenWithoutThePlugins() {
        QImage picture(400, 400, QImage::Format_RGB32);
        picture.fill(QColor(192, 192, 192));
        picture.setPixel(123, 45, qRgb(255, 0, 0));
        QByteArray png;
        QBuffer buffer(&png);
        QVERIFY(buffer.open(QIODevice::WriteOnly));
        QVERIFY(WritePng(picture, &buffer));
        QVERIFY(png.startsWith("\x89PNG"));
#ifdef __linux__
        QFile maps("/proc/self/maps");
        QVERIFY(maps.open(QIODevice::ReadOnly));
        QVERIFY(!maps.readAll().contains("imageformats"));
#endif
        QVERIFY(!QCoreApplication::libraryPaths().isEmpty());  // put back
        QCOMPARE(QImage::fromData(png, "PNG").convertToFormat(QImage::Format_RGB32), picture);
    }

    void aFileThatCannotBeWrittenIsSaid() {
        QImage picture(10, 10, QImage::Format_RGB32);
        picture.fill(Qt::white);
        QTemporaryDir dir;
        QVERIFY(SavePng(picture, dir.filePath("graph.png")));
        QVERIFY(QFile::exists(dir.filePath("graph.png")));
        QVERIFY(!SavePng(picture, dir.filePath("no/such/folder/graph.png")));
    }
};

QTEST_GUILESS_MAIN(PngWriterTest)
#include "png_writer_test.moc"
