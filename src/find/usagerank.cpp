#include "find/usagerank.h"

#include <algorithm>

namespace find {

bool usedMore(const Usage &a, const Usage &b)
{
    if (a.count != b.count)
        return a.count > b.count;
    return a.lastOpened > b.lastOpened;
}

QList<qsizetype> mostOpened(qsizetype count, const std::function<Usage(qsizetype)> &usage,
                            qsizetype limit)
{
    QList<std::pair<qsizetype, Usage>> opened;
    for (qsizetype i = 0; i < count; ++i) {
        const Usage used = usage(i);
        if (used.count > 0)
            opened.append({i, used});
    }
    std::stable_sort(opened.begin(), opened.end(),
                     [](const auto &a, const auto &b) { return usedMore(a.second, b.second); });
    QList<qsizetype> found;
    for (qsizetype i = 0; i < opened.size() && i < limit; ++i)
        found.append(opened.at(i).first);
    return found;
}

} // namespace find
