#include "find/usagerecord.h"

#include <QDir>
#include <QFile>

namespace find {

QString usageRecordPath()
{
    // A relative XDG_STATE_HOME counts as unset, as for the other XDG folders.
    QString state = qEnvironmentVariable("XDG_STATE_HOME");
    if (state.isEmpty() || QDir::isRelativePath(state))
        state = QDir::home().filePath(QStringLiteral(".local/state"));
    return QDir(state).filePath(QStringLiteral("kelvane/usage.json"));
}

bool forgetUsage()
{
    const QString path = usageRecordPath();
    return !QFile::exists(path) || QFile::remove(path);
}

} // namespace find
