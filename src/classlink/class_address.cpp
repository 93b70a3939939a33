#include "classlink/class_address.h"

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
    if (!url.isValid()) return Refused(QStringLiteral("not an address: ") + text);
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

}  // namespace ClassLink
