#include "fuzz_support.h"

#include <QGuiApplication>
#include <cstdio>
#include <cstdlib>

#include "core/vexo.h"
#include "platform/surface.h"

namespace {

QGuiApplication* application = nullptr;
Surface* picture2 = nullptr;

}  // namespace

void StartHeadlessPicture2() {
    if (application) return;
    qputenv("QT_QPA_PLATFORM", "offscreen");
    static int argc = 1;
    static char name[] = "kelvira-fuzz";
    static char* argv[] = {name, nullptr};
    application = new QGuiApplication(argc, argv);
    picture2 = new Surface(400, 400, RGB(255, 255, 255), QFont(), RGB(0, 0, 0));
    Vexo::Picture2 = picture2;
}

void RewindPicture2() {
    picture2->setPen(QPointF(0, 0));
}

QByteArray BytesOf(const uint8_t* data, size_t size) {
    return QByteArray(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size));
}

void Require(bool holds, const char* what) {
    if (holds) return;
    std::fprintf(stderr, "invariant broken: %s\n", what);
    std::abort();
}
