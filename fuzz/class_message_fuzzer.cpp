// Fuzzing of the class view's reader of messages from the network: any topic and payload is
// read without a crash, and what is read is of its form.
#include <cmath>
#include <cstddef>
#include <cstdint>

#include "classlink/class_messages.h"
#include "fuzz_support.h"

extern "C" int LLVMFuzzerInitialize(int*, char***) {
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    // The first line is the topic, the rest the payload.
    const QByteArrayView bytes(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size));
    const qsizetype end = bytes.indexOf('\n');
    const QByteArrayView topic = end < 0 ? bytes : bytes.first(end);
    const QByteArrayView payload = end < 0 ? QByteArrayView() : bytes.sliced(end + 1);
    const auto message = ClassLink::ReadMessage(QStringLiteral("2-1"), topic, payload);
    if (message && message->kind == ClassLink::Kind::Tick) {
        Require(message->tick.index >= 0 && message->tick.index <= ClassLink::LastTick, "a tick read is of its form");
        Require(std::isfinite(message->tick.degrees), "a tick read is of its form");
        Require(message->tick.raw >= ClassLink::NoRaw && message->tick.raw <= 255, "a tick read is of its form");
    }
    return 0;
}
