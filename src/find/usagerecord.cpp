#include "find/usagerecord.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>
#include <optional>

namespace find {

UsageRecord::UsageRecord(QString path) : m_path(std::move(path)) {}

QString UsageRecord::defaultPath()
{
    const QString state = qEnvironmentVariable("XDG_STATE_HOME");
    const QString base =
        QDir::isAbsolutePath(state) ? state : QDir::homePath() + QStringLiteral("/.local/state");
    return base + QStringLiteral("/kelvane/usage.json");
}

UsageRecord &UsageRecord::atDefaultPath()
{
    static std::optional<UsageRecord> record;
    const QString path = defaultPath();
    if (!record || record->path() != path)
        record.emplace(path);
    return *record;
}

bool UsageRecord::forgetDefault()
{
    return UsageRecord(defaultPath()).forget();
}

Usage UsageRecord::usageOf(bool domestic, const QString &name) const
{
    if (!m_read)
        load();
    return m_items.value(usageKey(domestic, name)).usage;
}

std::function<Usage(qsizetype)> UsageRecord::usageOfEntries(const QList<Entry> &entries) const
{
    refresh();
    return [this, &entries](qsizetype entry) {
        const Entry &paper = entries.at(entry);
        return usageOf(paper.domestic, paper.name);
    };
}

void UsageRecord::recordOpened(bool domestic, const QString &name, qint64 when)
{
    refresh();
    UsageItem &item = m_items[usageKey(domestic, name)];
    item.domestic = domestic;
    item.name = name; // the name it was last opened by
    ++item.usage.count;
    item.usage.lastOpened = when;
    if (save())
        m_stamp = stampNow();
}

bool UsageRecord::forget()
{
    m_items.clear();
    m_stamp = {};
    m_read = true;
    if (!QFileInfo::exists(m_path) || QFile::remove(m_path))
        return true;
    warn(QStringLiteral("cannot remove it"));
    return false;
}

UsageRecord::Stamp UsageRecord::stampNow() const
{
    const QFileInfo file(m_path);
    if (!file.exists())
        return {};
    return {file.size(), file.lastModified()};
}

void UsageRecord::refresh() const
{
    if (!m_read || stampNow() != m_stamp)
        load();
}

void UsageRecord::load() const
{
    m_read = true;
    m_items.clear();
    m_stamp = stampNow();
    if (m_stamp.size < 0)
        return; // nothing opened yet
    QFile file(m_path);
    if (!file.open(QIODevice::ReadOnly)) {
        warn(QStringLiteral("cannot read it (%1)").arg(file.errorString()));
        return;
    }
    const std::optional<QList<UsageItem>> items = readUsage(file.readAll());
    if (!items) {
        warn(QStringLiteral("it is damaged"));
        return;
    }
    for (const UsageItem &item : *items)
        m_items.insert(usageKey(item.domestic, item.name), item);
}

bool UsageRecord::save()
{
    QDir().mkpath(QFileInfo(m_path).absolutePath());
    QSaveFile file(m_path);
    if (file.open(QIODevice::WriteOnly) && file.write(writeUsage(m_items.values())) >= 0 &&
        file.commit())
        return true;
    warn(QStringLiteral("cannot write it (%1)").arg(file.errorString()));
    return false;
}

// One warning for the record's life: a file that stays damaged or
// unwritable is not reported at every paper.
void UsageRecord::warn(const QString &text) const
{
    if (m_warned)
        return;
    m_warned = true;
    qWarning("kelvane: the usage record %s is ignored: %s", qPrintable(m_path), qPrintable(text));
}

} // namespace find
