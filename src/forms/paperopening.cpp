#include "forms/paperopening.h"

#include "find/usagerecord.h"
#include "platform/browser.h"
#include "platform/messagebox.h"

#include <optional>

namespace paperopening {

find::UsageRecord &usageRecord()
{
    static std::optional<find::UsageRecord> record;
    const QString path = find::UsageRecord::defaultPath();
    if (!record || record->path() != path)
        record.emplace(path);
    return *record;
}

void open(bool domestic, const QString &name, const QString &address)
{
    switch (browser::open(address)) {
    case browser::Opening::Opened:
        usageRecord().recordOpened(domestic, name);
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
