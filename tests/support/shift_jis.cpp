#include "support/shift_jis.h"

#ifdef _WIN32
#include <windows.h>

QByteArray SystemShiftJis(const QString& text) {
    const auto* wide = reinterpret_cast<const wchar_t*>(text.utf16());
    const int size = WideCharToMultiByte(932, 0, wide, int(text.size()), nullptr, 0, nullptr, nullptr);
    QByteArray bytes(size, '\0');
    WideCharToMultiByte(932, 0, wide, int(text.size()), bytes.data(), size, nullptr, nullptr);
    return bytes;
}

QString SystemFromShiftJis(const QByteArray& bytes) {
    const int size = MultiByteToWideChar(932, 0, bytes.constData(), int(bytes.size()), nullptr, 0);
    std::wstring wide(size_t(size), L'\0');
    MultiByteToWideChar(932, 0, bytes.constData(), int(bytes.size()), wide.data(), size);
    return QString::fromStdWString(wide);
}
#else
#include <QStringDecoder>
#include <QStringEncoder>

QByteArray SystemShiftJis(const QString& text) {
    QStringEncoder encoder("windows-31j");
    return encoder.encode(text);
}

QString SystemFromShiftJis(const QByteArray& bytes) {
    QStringDecoder decoder("windows-31j", QStringConverter::Flag::Stateless);
    return decoder.decode(bytes);
}
#endif
