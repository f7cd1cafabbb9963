#include "core/webaddress.h"

#include <QRegularExpression>

namespace browser {

namespace {

bool hasScheme(const QString &text)
{
    static const QRegularExpression scheme(QStringLiteral("^[A-Za-z][A-Za-z0-9+.-]*:"));
    return scheme.match(text).hasMatch();
}

// A bare host: starts with a letter or digit and names a dotted host before
// any path, e.g. "www.people.com.cn" or "news.example.org/today".
bool looksLikeHost(const QString &text)
{
    static const QRegularExpression host(
        QStringLiteral("^[A-Za-z0-9][A-Za-z0-9-]*(\\.[A-Za-z0-9-]+)+(:[0-9]+)?([/?#].*)?$"));
    return host.match(text).hasMatch();
}

} // namespace

QUrl webAddress(const QString &address)
{
    const QString text = address.trimmed();
    if (text.isEmpty() || text.contains(u' '))
        return {};
    QString candidate = text;
    if (looksLikeHost(text))
        candidate = QStringLiteral("http://") + text;
    else if (!hasScheme(text))
        return {};
    const QUrl url(candidate, QUrl::StrictMode);
    const QString scheme = url.scheme().toLower();
    if (!url.isValid() || (scheme != u"http" && scheme != u"https") || url.host().isEmpty())
        return {};
    return url;
}

} // namespace browser
