#include "platform/browser.h"

#include <QDesktopServices>

namespace browser {

Opening open(const QString &address)
{
    const QUrl url = webAddress(address);
    if (!url.isValid())
        return Opening::NotWebAddress;
    return QDesktopServices::openUrl(url) ? Opening::Opened : Opening::NoHandler;
}

} // namespace browser
