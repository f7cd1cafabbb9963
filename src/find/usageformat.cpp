#include "find/usageformat.h"

#include "core/asciifold.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QSet>
#include <limits>

namespace find {

namespace {

constexpr int recordVersion = 1;
const QString versionKey = QStringLiteral("version");
const QString papersKey = QStringLiteral("papers");
const QString halfKey = QStringLiteral("half");
const QString nameKey = QStringLiteral("name");
const QString countKey = QStringLiteral("count");
const QString lastOpenedKey = QStringLiteral("lastOpened");
const QString domesticHalf = QStringLiteral("domestic");
const QString foreignHalf = QStringLiteral("foreign");

// A whole number held by a JSON value; JSON numbers are doubles, so a
// fraction or a number out of range is no whole number.
std::optional<qint64> wholeNumber(const QJsonValue &value)
{
    if (!value.isDouble())
        return std::nullopt;
    const double number = value.toDouble();
    constexpr double largest = 9007199254740992.0; // 2^53: every whole double below is exact
    if (number < 0 || number > largest || number != double(qint64(number)))
        return std::nullopt;
    return qint64(number);
}

std::optional<UsageItem> readItem(const QJsonValue &value)
{
    const QJsonObject paper = value.toObject();
    const QString half = paper.value(halfKey).toString();
    const QString name = paper.value(nameKey).toString();
    const std::optional<qint64> count = wholeNumber(paper.value(countKey));
    const std::optional<qint64> lastOpened = wholeNumber(paper.value(lastOpenedKey));
    if ((half != domesticHalf && half != foreignHalf) || name.isEmpty() || !count || *count < 1 ||
        *count > std::numeric_limits<int>::max() || !lastOpened)
        return std::nullopt;
    return UsageItem{half == domesticHalf, name, {int(*count), *lastOpened}};
}

} // namespace

QString usageKey(bool domestic, const QString &name)
{
    // Papers are known by half and name as the catalogue compares names.
    return (domestic ? domesticHalf : foreignHalf) + u'\n' + asciiLowered(name);
}

QByteArray writeUsage(const QList<UsageItem> &items)
{
    QJsonArray papers;
    for (const UsageItem &item : items)
        papers.append(QJsonObject{{halfKey, item.domestic ? domesticHalf : foreignHalf},
                                  {nameKey, item.name},
                                  {countKey, item.usage.count},
                                  {lastOpenedKey, double(item.usage.lastOpened)}});
    return QJsonDocument(QJsonObject{{versionKey, recordVersion}, {papersKey, papers}}).toJson();
}

std::optional<QList<UsageItem>> readUsage(const QByteArray &text)
{
    QJsonParseError error;
    const QJsonDocument document = QJsonDocument::fromJson(text, &error);
    const QJsonObject record = document.object();
    if (error.error != QJsonParseError::NoError || !document.isObject() ||
        wholeNumber(record.value(versionKey)) != recordVersion ||
        !record.value(papersKey).isArray())
        return std::nullopt;
    QList<UsageItem> items;
    QSet<QString> keys;
    for (const QJsonValue &value : record.value(papersKey).toArray()) {
        std::optional<UsageItem> item = readItem(value);
        if (!item || keys.contains(usageKey(item->domestic, item->name)))
            return std::nullopt;
        keys.insert(usageKey(item->domestic, item->name));
        items.append(std::move(*item));
    }
    return items;
}

} // namespace find
