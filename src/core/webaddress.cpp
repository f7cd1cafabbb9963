#include "core/webaddress.h"

#include "core/printabletext.h"

#include <QRegularExpression>

namespace browser {

namespace {

bool hasWebScheme(const QString &text)
{
    static const QRegularExpression scheme(QStringLiteral("^https?://"),
                                           QRegularExpression::CaseInsensitiveOption);
    return scheme.match(text).hasMatch();
}

// A bare host: starts with a letter or digit (of any script) and names a
// dotted host before any port or path, e.g. "www.people.com.cn",
// "人民网.中国" or "news.example.org:8080/today". The ideographic and
// full-width full stops separate labels as "." does.
bool looksLikeHost(const QString &text)
{
    static const QRegularExpression host(
        QStringLiteral("^[\\p{L}\\p{N}][\\p{L}\\p{N}\\p{M}-]*([.\\x{3002}\\x{FF0E}\\x{FF61}][\\p{L}"
                       "\\p{N}\\p{M}-]+)+"
                       "[.\\x{3002}\\x{FF0E}\\x{FF61}]?(:[0-9]+)?([/?#].*)?$"));
    return host.match(text).hasMatch();
}

// Control and format characters never reach the desktop, not even to be
// encoded: a right-to-left override or a zero-width space would make the
// address read as another one. Nor does text that is not valid UTF-16.
bool isClean(const QString &text)
{
    return !printabletext::firstUnprintable(text);
}

} // namespace

QUrl webAddress(const QString &address)
{
    const QString text = address.trimmed();
    if (text.isEmpty() || !isClean(text))
        return {};
    QString candidate = text;
    if (looksLikeHost(text))
        candidate = QStringLiteral("http://") + text;
    else if (!hasWebScheme(text))
        return {};
    const QUrl url(candidate, QUrl::TolerantMode);
    const QString scheme = url.scheme();
    if (!url.isValid() || (scheme != u"http" && scheme != u"https") || url.host().isEmpty())
        return {};
    return url;
}

QString shownHost(const QString &address)
{
    const QString host = webAddress(address).host();
    return host.isEmpty() ? address : host;
}

} // namespace browser
