#include "app/commandline.h"

#include <QCommandLineParser>
#include <QFileInfo>

namespace commandline {

namespace {

const QString version = QStringLiteral("Kelvane 1.0");

} // namespace

Outcome parse(const QStringList &arguments)
{
    QCommandLineParser parser;
    parser.setApplicationDescription(
        QStringLiteral("Reads newspapers on the web from a thin menu-bar window."));
    const QCommandLineOption help(QStringList{QStringLiteral("h"), QStringLiteral("help")},
                                  QStringLiteral("Displays this help."));
    const QCommandLineOption showVersion(QStringLiteral("version"),
                                         QStringLiteral("Displays the version."));
    const QCommandLineOption catalogue(
        QStringLiteral("catalogue"),
        QStringLiteral("Works on the catalogue FILE instead of the usual one."),
        QStringLiteral("FILE"));
    const QCommandLineOption autostart(
        QStringLiteral("autostart"),
        QStringLiteral("Starts the program at login (on) or no longer (off), then exits."),
        QStringLiteral("on|off"));
    parser.addOptions({help, showVersion, catalogue, autostart});

    // Named after the program as typed, whether or not the application
    // object exists yet (before it, the parser knows no name).
    QString usage = parser.helpText();
    usage.replace(0, usage.indexOf(QStringLiteral(" [options]")),
                  QStringLiteral("Usage: ") +
                      QFileInfo(arguments.value(0, QStringLiteral("kelvane"))).fileName());
    const auto refuse = [&](const QString &why) {
        return Outcome{Action::Refuse, {}, false, why + u'\n' + usage};
    };
    if (!parser.parse(arguments))
        return refuse(parser.errorText());
    if (!parser.positionalArguments().isEmpty())
        return refuse(
            QStringLiteral("Unexpected argument '%1'.").arg(parser.positionalArguments().first()));
    if (parser.isSet(help))
        return {Action::Print, {}, false, usage};
    if (parser.isSet(showVersion))
        return {Action::Print, {}, false, version + u'\n'};
    if (parser.isSet(autostart)) {
        const QString value = parser.value(autostart);
        if (value != QLatin1String("on") && value != QLatin1String("off"))
            return refuse(QStringLiteral("--autostart takes on or off, not '%1'.").arg(value));
        return {Action::Autostart, {}, value == QLatin1String("on"), {}};
    }
    if (parser.isSet(catalogue) && parser.value(catalogue).isEmpty())
        return refuse(QStringLiteral("--catalogue needs a file name."));
    return {Action::Run, parser.value(catalogue), false, {}};
}

} // namespace commandline
