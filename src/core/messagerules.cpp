#include "core/messagerules.h"

namespace messagerules {

namespace {
bool isBlankOrControl(QChar c)
{
    return c.unicode() <= 32;
}
} // namespace

QString trimProviderMessage(const QString &message)
{
    qsizetype end = message.size();
    while (end > 0 && (message.at(end - 1) == u'.' || isBlankOrControl(message.at(end - 1))))
        --end;
    return message.left(end);
}

QString withFullStop(const QString &message)
{
    if (!message.isEmpty() && message.back().unicode() > u'.')
        return message + u'.';
    return message;
}

QString componentMessage(const QString &component, const QString &text)
{
    return component + QStringLiteral(": ") + text;
}

QString trimmed(const QString &text)
{
    qsizetype begin = 0;
    qsizetype end = text.size();
    while (begin < end && isBlankOrControl(text.at(begin)))
        ++begin;
    while (end > begin && isBlankOrControl(text.at(end - 1)))
        --end;
    return text.mid(begin, end - begin);
}

} // namespace messagerules

namespace messagerules {

QString lastChanceText(const QString &kind, const QString &module, const void *address,
                       const QString &message)
{
    const QString pointer = QStringLiteral("%1").arg(reinterpret_cast<quintptr>(address),
                                                     int(sizeof(void *) * 2), 16, QChar(u'0'));
    return QStringLiteral("Exception %1 in module %2 at %3.\n%4\n")
        .arg(kind, module, pointer.toUpper(), withFullStop(message));
}

} // namespace messagerules
