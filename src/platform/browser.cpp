#include "platform/browser.h"

#include <QDesktopServices>

namespace browser {

bool open(const QString &address)
{
    const QUrl url = webAddress(address);
    if (!url.isValid())
        return false;
    QDesktopServices::openUrl(url);
    return true;
}

} // namespace browser
