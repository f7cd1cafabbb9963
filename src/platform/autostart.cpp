#include "platform/autostart.h"

#include "core/failure.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>
#include <QStandardPaths>

namespace autostart {

namespace {

// The Exec key's quoting: a path with a blank or a reserved character is
// put in double quotes, with \ " ` $ escaped inside them; a % is doubled, as
// a single one would start a field code. Then the file's string rules apply
// to the whole value: every backslash is doubled again, and a line break or
// tab is written as \n, \t or \r, so that the entry stays one line.
QString execArgument(const QString &path)
{
    static const QString reserved = QStringLiteral(" \t\n\r\"'\\><~|&;$*?#()`=%");
    const bool plain =
        std::none_of(path.cbegin(), path.cend(), [](QChar c) { return reserved.contains(c); });
    if (plain)
        return path;
    QString quoted;
    for (const QChar c : path) {
        if (c == u'"' || c == u'`' || c == u'$' || c == u'\\')
            quoted += u'\\';
        quoted += c;
    }
    quoted.replace(u'%', QStringLiteral("%%"));
    quoted.replace(u'\\', QStringLiteral("\\\\"));
    quoted.replace(u'\n', QStringLiteral("\\n"));
    quoted.replace(u'\t', QStringLiteral("\\t"));
    quoted.replace(u'\r', QStringLiteral("\\r"));
    return u'"' + quoted + u'"';
}

} // namespace

QString entryPath(const QString &configHome)
{
    return QDir::cleanPath(configHome + QStringLiteral("/autostart/kelvane.desktop"));
}

QByteArray entryText(const QString &programPath)
{
    return QStringLiteral("[Desktop Entry]\n"
                          "Type=Application\n"
                          "Name=Kelvane\n"
                          "Name[zh_CN]=Kelvane 网上读报\n"
                          "Comment=Read newspapers on the web from a menu bar\n"
                          "Exec=%1\n"
                          "Icon=kelvane\n"
                          "Terminal=false\n"
                          "X-GNOME-Autostart-enabled=true\n")
        .arg(execArgument(programPath))
        .toUtf8();
}

QString configHome()
{
    return QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation);
}

void set(bool on, const QString &programPath, const QString &configHome)
{
    const QString path = entryPath(configHome);
    if (!on) {
        if (QFileInfo::exists(path) && !QFile::remove(path))
            throw Failure(QStringLiteral("Could not remove the autostart entry '%1'").arg(path));
        return;
    }
    QSaveFile file(path);
    if (!QDir().mkpath(QFileInfo(path).absolutePath()) || !file.open(QIODevice::WriteOnly) ||
        file.write(entryText(programPath)) < 0 || !file.commit())
        throw Failure(QStringLiteral("Could not write the autostart entry '%1': %2")
                          .arg(path, file.errorString()));
}

} // namespace autostart
