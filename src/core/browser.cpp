#include "core/browser.h"

#include <QProcess>
#include <utility>

namespace browser {

namespace {

std::function<bool(const QUrl &)> &opener()
{
    static std::function<bool(const QUrl &)> set;
    return set;
}

// The encoded form: what a browser's address bar would send, one argument
// that starts with the scheme, so the opener never reads it as an option.
bool openWithDesktop(const QUrl &url)
{
    return QProcess::startDetached(QStringLiteral("xdg-open"),
                                   {QString::fromLatin1(url.toEncoded())});
}

} // namespace

Opening open(const QString &address)
{
    const QUrl url = webAddress(address);
    if (!url.isValid())
        return Opening::NotWebAddress;
    const bool taken = opener() ? opener()(url) : openWithDesktop(url);
    return taken ? Opening::Opened : Opening::NoHandler;
}

std::function<bool(const QUrl &)> setOpener(std::function<bool(const QUrl &)> opener)
{
    return std::exchange(browser::opener(), std::move(opener));
}

} // namespace browser
