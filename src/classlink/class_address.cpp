#include "classlink/class_address.h"

#include <QFile>
#include <QUrl>
#include <QUrlQuery>

namespace ClassLink {

namespace {

constexpr int LongestLevel = 64;

ClassAddress Refused(const QString& why) {
    ClassAddress address;
    address.error = why;
    return address;
}

}  // namespace

bool IsTopicLevel(const QString& name) {
    if (name.isEmpty() || name.size() > LongestLevel) return false;
    for (const QChar c : name)
        if (c == u'/' || c == u'+' || c == u'#' || c.category() == QChar::Other_Control)
            return false;
    return true;
}

ClassAddress ParseClassAddress(const QString& text) {
    const QUrl url(text.trimmed(), QUrl::StrictMode);
    if (!url.isValid()) return Refused(QStringLiteral("not an address: ") + WithoutPassword(text));
    ClassAddress address;
    if (url.scheme() == QLatin1String("mqtts"))
        address.tls = true;
    else if (url.scheme() != QLatin1String("mqtt"))
        return Refused(QStringLiteral("the address must begin with mqtt:// or mqtts://"));
    address.host = url.host();
    if (address.host.isEmpty()) return Refused(QStringLiteral("the address names no broker"));
    address.port = url.port(address.tls ? 8883 : 1883);
    address.user = url.userName();
    address.password = url.password();
    address.className = url.path().mid(1);
    if (!IsTopicLevel(address.className))
        return Refused(QStringLiteral("the address names no class (mqtt://HOST/CLASS)"));
    address.caFile = QUrlQuery(url).queryItemValue(QStringLiteral("cafile"),
                                                   QUrl::FullyDecoded);
    if (!address.caFile.isEmpty() && !address.tls)
        return Refused(QStringLiteral("cafile is for mqtts:// addresses"));
    return address;
}

QString WithoutPassword(const QString& url) {
    // By hand rather than through QUrl: the text may be no address at all. A password may
    // hold any character, "/", "@" and "?" too: all from the first ":" after the scheme to
    // the last "@" is taken for it, whatever else it may then hide.
    const qsizetype scheme = url.indexOf(QLatin1String("://"));
    const qsizetype colon = url.indexOf(QLatin1Char(':'), scheme < 0 ? 0 : scheme + 3);
    const qsizetype at = url.lastIndexOf(QLatin1Char('@'));
    if (colon < 0 || at < colon) return url;
    return url.left(colon + 1) + QStringLiteral("***") + url.mid(at);
}

void TakePassword(ClassAddress& address, const QString& file, bool named) {
    if (address.user.isEmpty() || !address.password.isEmpty() || file.isEmpty()) return;
    QFile f(file);
    if (!f.open(QIODevice::ReadOnly)) {
        if (named) address.error = QStringLiteral("cannot read the password file ") + file;
        return;
    }
    const QByteArray line = f.readLine(4096);
    address.password = QString::fromUtf8(line).remove(QLatin1Char('\n')).remove(QLatin1Char('\r'));
}

}  // namespace ClassLink
