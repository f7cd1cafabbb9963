#include "forms/paperopening.h"

#include "core/browser.h"
#include "find/usagerecord.h"
#include "platform/messagebox.h"

namespace paperopening {

void open(bool domestic, const QString &name, const QString &address)
{
    switch (browser::open(address)) {
    case browser::Opening::Opened:
        find::UsageRecord::atDefaultPath().recordOpened(domestic, name);
        break;
    case browser::Opening::NotWebAddress:
        messagebox::showInformation(QStringLiteral("此报纸的链接不是网址，无法打开！"));
        break;
    case browser::Opening::NoHandler:
        messagebox::showInformation(
            QStringLiteral("无法打开网址 %1，请检查系统是否已设置默认浏览器！").arg(address));
        break;
    }
}

} // namespace paperopening
