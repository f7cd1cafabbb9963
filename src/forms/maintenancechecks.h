#pragma once

#include <QString>

// The maintenance window's input checks, in the order the user meets them.
// Each takes trimmed inputs and gives the message of the first check that
// fails, or an empty text when all pass.
namespace maintenancechecks {

// The inputs of the add action: an empty province is "none chosen".
struct NewPaper
{
    QString name;
    QString address;
    QString kind;
    QString province;
    QString newProvince;
};

QString addProblem(const NewPaper &paper);
QString findProblem(const QString &name, const QString &kind);

} // namespace maintenancechecks
