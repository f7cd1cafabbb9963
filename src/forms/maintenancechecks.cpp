#include "forms/maintenancechecks.h"

namespace maintenancechecks {

QString addProblem(const NewPaper &paper)
{
    if (paper.name.isEmpty())
        return QStringLiteral("报纸名称不能为空");
    if (paper.address.isEmpty())
        return QStringLiteral("报纸链接不能为空");
    if (paper.kind.isEmpty())
        return QStringLiteral("所属国家不能为空");
    // Exactly one of an existing province and a new one says where the paper goes.
    if (paper.province.isEmpty() && paper.newProvince.isEmpty())
        return QStringLiteral("纸所属省市和新省市不能同时为空");
    if (!paper.province.isEmpty() && !paper.newProvince.isEmpty())
        return QStringLiteral("纸所属省市和新省市不能同时不为空");
    return {};
}

QString findProblem(const QString &name, const QString &kind)
{
    if (name.isEmpty())
        return QStringLiteral("报纸名称不能为空！");
    if (kind.isEmpty())
        return QStringLiteral("报纸所属国家不能为空！");
    return {};
}

} // namespace maintenancechecks
