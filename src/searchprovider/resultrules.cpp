#include "searchprovider/resultrules.h"

#include "core/webaddress.h"

#include <QUrl>
#include <algorithm>

namespace searchprovider {

namespace {

const QChar separator = u'/';

QString encoded(const QString &text)
{
    return QString::fromLatin1(QUrl::toPercentEncoding(text));
}

QString decoded(QStringView text)
{
    return QUrl::fromPercentEncoding(text.toLatin1());
}

} // namespace

QString resultId(const find::Entry &paper)
{
    return (paper.domestic ? u"d"_qs : u"f"_qs) + separator + encoded(paper.province) + separator +
           encoded(paper.name);
}

std::optional<PaperKey> paperKeyOf(const QString &id)
{
    const QList<QStringView> parts = QStringView(id).split(separator);
    if (parts.size() != 3 || (parts[0] != u"d" && parts[0] != u"f"))
        return std::nullopt;
    return PaperKey{parts[0] == u"d", decoded(parts[1]), decoded(parts[2])};
}

bool isPaper(const find::Entry &paper, const PaperKey &key)
{
    return paper.name == key.name && paper.domestic == key.domestic &&
           paper.province == key.province;
}

QString description(const find::Entry &paper)
{
    const QString host = browser::shownHost(paper.address);
    if (paper.province.isEmpty() || host.isEmpty())
        return paper.province + host;
    return paper.province + u" · " + host;
}

QString queryOf(const QStringList &terms)
{
    return terms.join(u' ');
}

double relevance(find::Tier tier, qsizetype position)
{
    // Less than a tier's step in all, so no hit passes one of a better tier.
    const double lower = 0.001 * double(std::clamp<qsizetype>(position, 0, 99));
    return 1.0 - 0.1 * double(tier) - lower;
}

int matchCategory(find::Tier tier)
{
    // org.kde.krunner1's match types.
    constexpr int exactMatch = 100;
    constexpr int possibleMatch = 30;
    return tier == find::Tier::Equal ? exactMatch : possibleMatch;
}

} // namespace searchprovider
