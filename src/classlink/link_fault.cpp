#include "classlink/link_fault.h"

#include <cerrno>
#ifdef _WIN32
#include <winsock2.h>
#endif

namespace ClassLink {

QString LinkFaultText(LinkFault fault) {
    switch (fault) {
        case LinkFault::None: return QStringLiteral("接続しています");
        case LinkFault::Connecting: return QStringLiteral("接続中…");
        case LinkFault::NameNotFound: return QStringLiteral("ブローカーの名前が見つかりません");
        case LinkFault::Refused: return QStringLiteral("ブローカーが動いていません");
        case LinkFault::Unreachable: return QStringLiteral("ブローカーまでつながりません");
        case LinkFault::Silent: return QStringLiteral("ブローカーが応答しません");
        case LinkFault::Lost: return QStringLiteral("接続が切れました。再接続中…");
        case LinkFault::BadLogin: return QStringLiteral("ユーザー名かパスワードが違います");
        case LinkFault::NeedsLogin: return QStringLiteral("ユーザー名とパスワードが要ります");
        case LinkFault::NotAllowed: return QStringLiteral("ブローカーに入れてもらえません");
        case LinkFault::Busy: return QStringLiteral("ブローカーがいそがしいです");
        case LinkFault::Untrusted:
            return QStringLiteral("ブローカーの証明書を確かめられません（CA）");
        case LinkFault::WrongHost:
            return QStringLiteral("ブローカーの証明書のホスト名が違います");
        case LinkFault::Tls: return QStringLiteral("TLS でつながりません");
        case LinkFault::NoTls:
            return QStringLiteral("この版には TLS（mqtts://）がありません");
        case LinkFault::NoCaFile: return QStringLiteral("CA ファイルを読めません");
        case LinkFault::Denied:
            return QStringLiteral("送ったデータが受け取られません（グループ名とユーザー名を同じに）");
        case LinkFault::TakenOver:
            return QStringLiteral(
                "同じグループ名の別のけるびらが代わりに入りました（つなぎ直しません）");
        case LinkFault::NotTls:
            return QStringLiteral("ブローカーのこのポートは TLS ではありません（mqtt:// で）");
        case LinkFault::NoLibrary:
            return QStringLiteral("MQTT のライブラリ（libmosquitto）がありません");
    }
    return {};
}

LinkFault FaultOfSystemError(int error, bool wasConnected) {
    switch (error) {
        case ECONNREFUSED:
#ifdef _WIN32
        case WSAECONNREFUSED:
#endif
            return LinkFault::Refused;
        case EHOSTUNREACH:
        case ENETUNREACH:
        case ENETDOWN:
#ifdef _WIN32
        case WSAEHOSTUNREACH:
        case WSAENETUNREACH:
        case WSAENETDOWN:
#endif
            return LinkFault::Unreachable;
        case ETIMEDOUT:
#ifdef _WIN32
        case WSAETIMEDOUT:
#endif
            return wasConnected ? LinkFault::Lost : LinkFault::Silent;
        default: return wasConnected ? LinkFault::Lost : LinkFault::Refused;
    }
}

LinkFault FaultOfRefusal(int code) {
    switch (code) {
        case 0: return LinkFault::None;
        case 4:     // 3.1.1: bad user name or password
        case 0x86:  // 5: bad user name or password
            return LinkFault::BadLogin;
        case 3:     // 3.1.1: server unavailable
        case 0x88:  // 5: server unavailable
        case 0x89:  // 5: server busy
        case 0x97:  // 5: quota exceeded
            return LinkFault::Busy;
        default:  // not authorised, banned, client identifier refused, ...
            return LinkFault::NotAllowed;
    }
}

LinkFault FaultOfTlsMessage(const QString& message) {
    // What OpenSSL says when the other end answers the greeting with no TLS, or with nothing.
    if (message.contains(QLatin1String("wrong version number")) ||
        message.contains(QLatin1String("unexpected eof while reading")) ||
        message.contains(QLatin1String("packet length too long")))
        return LinkFault::NotTls;
    if (message.contains(QLatin1String("host name verification failed")))
        return LinkFault::WrongHost;
    if (message.contains(QLatin1String("certificate verify failed"))) return LinkFault::Untrusted;
    if (message.contains(QLatin1String("OpenSSL Error")) ||
        message.contains(QLatin1String("TLS"), Qt::CaseSensitive))
        return LinkFault::Tls;
    return LinkFault::None;
}

LinkFault FaultOfTlsLineEnd(bool closed, int error) {
    switch (error) {
        case ECONNRESET:
        case EPIPE:
#ifdef _WIN32
        case WSAECONNRESET:
        case WSAECONNABORTED:
#endif
            return LinkFault::NotTls;
        default:
            // Refused, unreachable or timed out: the line never stood.
            if (FaultOfSystemError(error, false) != LinkFault::Refused || error == ECONNREFUSED)
                return LinkFault::None;
#ifdef _WIN32
            if (error == WSAECONNREFUSED) return LinkFault::None;
#endif
            return closed ? LinkFault::NotTls : LinkFault::None;
    }
}

}  // namespace ClassLink
