#include <windows.h>

#include <QStringList>

#include "platform/com_line.h"

namespace {

HANDLE Handle(void* h) {
    return static_cast<HANDLE>(h);
}

QString SystemWords(DWORD error) {
    wchar_t* text = nullptr;
    FormatMessageW(FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM |
                       FORMAT_MESSAGE_IGNORE_INSERTS,
                   nullptr, error, 0, reinterpret_cast<wchar_t*>(&text), 0, nullptr);
    const QString words = text ? QString::fromWCharArray(text).trimmed()
                               : QStringLiteral("error %1").arg(error);
    LocalFree(text);
    return words;
}

}  // namespace

ComLine::ComLine(DeviceOf deviceOf) : deviceOf_(std::move(deviceOf)) {}

ComLine::~ComLine() {
    close();
}

void ComLine::setCommPort(int16_t port) {
    name_ = deviceOf_(port);
}

// "baud,parity,data bits,stop bits", e.g. "9600,N,8,1"; parts not understood stay as they were.
void ComLine::setSettings(const QString& settings) {
    const QStringList parts = settings.split(QLatin1Char(','));
    bool ok = false;
    const int baud = parts.value(0).trimmed().toInt(&ok);
    if (ok && baud > 0) baud_ = baud;
    const QString parity = parts.value(1).trimmed().toUpper();
    if (parity.size() == 1 && QStringLiteral("NEOMS").contains(parity)) parity_ = parity[0].toLatin1();
    const int bits = parts.value(2).trimmed().toInt(&ok);
    if (ok && bits >= 5 && bits <= 8) dataBits_ = bits;
    const int stop = parts.value(3).trimmed() == QLatin1String("2") ? 2 : 1;
    stopBits_ = stop;
}

bool ComLine::setPortOpen(bool open) {
    close();
    if (!open) return true;
    const HANDLE h = CreateFileW(reinterpret_cast<const wchar_t*>(ComDeviceName(name_).utf16()),
                                 GENERIC_READ | GENERIC_WRITE, 0, nullptr, OPEN_EXISTING, 0, nullptr);
    if (h == INVALID_HANDLE_VALUE) {
        const DWORD error = GetLastError();
        error_ = SystemWords(error);
        errorCode_ = ComFault(error);
        return false;
    }
    handle_ = h;
    DCB line{};
    line.DCBlength = sizeof line;
    if (GetCommState(h, &line)) {
        line.BaudRate = static_cast<DWORD>(baud_);
        line.ByteSize = static_cast<BYTE>(dataBits_);
        line.Parity = parity_ == 'E' ? EVENPARITY : parity_ == 'O' ? ODDPARITY
                      : parity_ == 'M' ? MARKPARITY : parity_ == 'S' ? SPACEPARITY : NOPARITY;
        line.StopBits = stopBits_ == 2 ? TWOSTOPBITS : ONESTOPBIT;
        line.fBinary = TRUE;
        line.fParity = parity_ != 'N';
        // No handshake, and the modem lines left as they are.
        line.fOutxCtsFlow = line.fOutxDsrFlow = FALSE;
        line.fOutX = line.fInX = FALSE;
        line.fAbortOnError = FALSE;
        SetCommState(h, &line);  // a line that refuses a setting still carries bytes
    }
    // Reads return at once with whatever has arrived; writes of a byte or three never wait long.
    COMMTIMEOUTS timeouts{};
    timeouts.ReadIntervalTimeout = MAXDWORD;
    timeouts.WriteTotalTimeoutConstant = 100;
    SetCommTimeouts(h, &timeouts);
    // What arrived before the opening is no answer to anything asked.
    PurgeComm(h, PURGE_RXCLEAR | PURGE_TXCLEAR);
    error_.clear();
    errorCode_ = SerialFault::None;
    return true;
}

bool ComLine::output(const QByteArray& bytes) {
    if (!handle_) return false;
    DWORD written = 0;
    if (!WriteFile(Handle(handle_), bytes.constData(), static_cast<DWORD>(bytes.size()), &written,
                   nullptr)) {
        fail(GetLastError());
        return false;
    }
    return written == static_cast<DWORD>(bytes.size());
}

QByteArray ComLine::input() {
    QByteArray all;
    while (handle_) {
        char buffer[256];
        DWORD read = 0;
        if (!ReadFile(Handle(handle_), buffer, sizeof buffer, &read, nullptr)) {
            fail(GetLastError());
            break;
        }
        if (read == 0) break;
        all.append(buffer, static_cast<int>(read));
    }
    return all;
}

void ComLine::fail(unsigned long error) {
    error_ = SystemWords(error);
    errorCode_ = ComFault(error);
    if (ComEndsTheLine(error)) close();
}

void ComLine::close() {
    if (handle_) CloseHandle(Handle(handle_));
    handle_ = nullptr;
}
