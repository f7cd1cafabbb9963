#include "app/commandline.h"

#include "platform/hotkey.h"

#include <QCommandLineParser>
#include <QFileInfo>

namespace commandline {

namespace {

const QString version = QStringLiteral("Kelvane 1.0");

// The options QApplication and its X11 platform read from the command line,
// with one dash or two. The style and the qmljsdebugger also come as
// -name=value.
const QStringList qtOptionsWithValue = {u"platform"_qs,
                                        u"platformpluginpath"_qs,
                                        u"platformtheme"_qs,
                                        u"plugin"_qs,
                                        u"qwindowgeometry"_qs,
                                        u"geometry"_qs,
                                        u"qwindowtitle"_qs,
                                        u"title"_qs,
                                        u"qwindowicon"_qs,
                                        u"icon"_qs,
                                        u"session"_qs,
                                        u"style"_qs,
                                        u"stylesheet"_qs,
                                        u"display"_qs,
                                        u"name"_qs,
                                        u"visual"_qs};
const QStringList qtFlags = {u"reverse"_qs, u"widgetcount"_qs, u"sync"_qs,
                             u"nograb"_qs,  u"dograb"_qs,      u"testability"_qs};
const QStringList qtOptionsWithEquals = {u"style"_qs, u"stylesheet"_qs, u"qmljsdebugger"_qs};
// Ours that take their value from the next argument: a value that looks
// like one of Qt's options is still ours.
const QStringList ownOptionsWithValue = {u"--catalogue"_qs, u"--autostart"_qs, u"--find-hotkey"_qs};

struct Split
{
    QStringList own;
    QString qtPlatform;
    QString qtDisplay;
    QString missingValue; // a Qt option given last, without its value
};

Outcome outcome(Action action, const QString &text = {})
{
    Outcome made;
    made.action = action;
    made.text = text;
    return made;
}

QString qtOptionName(const QString &argument)
{
    if (!argument.startsWith(u'-') || argument == u"--")
        return {};
    return argument.mid(argument.startsWith(u"--") ? 2 : 1);
}

Split splitQtOptions(const QStringList &arguments)
{
    Split split;
    for (qsizetype i = 0; i < arguments.size(); ++i) {
        const QString &argument = arguments[i];
        const QString name = i == 0 ? QString() : qtOptionName(argument);
        if (argument == u"--") {
            split.own << arguments.mid(i);
            break;
        }
        if (ownOptionsWithValue.contains(argument) && i + 1 < arguments.size()) {
            split.own << argument << arguments[++i];
        } else if (qtOptionsWithValue.contains(name)) {
            if (i + 1 == arguments.size()) {
                split.missingValue = argument;
                break;
            }
            const QString &value = arguments[++i];
            if (name == u"platform")
                split.qtPlatform = value;
            else if (name == u"display")
                split.qtDisplay = value;
        } else if (!qtFlags.contains(name) &&
                   !qtOptionsWithEquals.contains(name.section(u'=', 0, 0))) {
            split.own << argument;
        }
    }
    return split;
}

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
    const QCommandLineOption find(
        QStringLiteral("find"),
        QStringLiteral("Opens the find window (找报纸), with TEXT when given after the options; "
                       "a running program opens it."));
    const QCommandLineOption findHotkey(
        QStringLiteral("find-hotkey"),
        QStringLiteral("Sets the key that opens the find window from any program (default %1), "
                       "or turns it off; a running program takes it at its next start.")
            .arg(hotkey::defaultText()),
        QStringLiteral("KEY|off"));
    const QCommandLineOption forgetUsage(
        QStringLiteral("forget-usage"),
        QStringLiteral("Forgets which papers were opened and how often, then exits."));
    parser.addOptions({help, showVersion, catalogue, autostart, find, findHotkey, forgetUsage});
    parser.addPositionalArgument(QStringLiteral("TEXT"),
                                 QStringLiteral("With --find: the text to find."),
                                 QStringLiteral("[TEXT]"));

    // Named after the program as typed, whether or not the application
    // object exists yet (before it, the parser knows no name).
    QString usage = parser.helpText();
    usage.replace(0, usage.indexOf(QStringLiteral(" [options]")),
                  QStringLiteral("Usage: ") +
                      QFileInfo(arguments.value(0, QStringLiteral("kelvane"))).fileName());
    const auto refuse = [&](const QString &why) {
        return outcome(Action::Refuse, why + u'\n' + usage);
    };
    const Split split = splitQtOptions(arguments);
    if (!split.missingValue.isEmpty())
        return refuse(QStringLiteral("Missing value after '%1'.").arg(split.missingValue));
    if (!parser.parse(split.own))
        return refuse(parser.errorText());
    if (!parser.isSet(find) && !parser.positionalArguments().isEmpty())
        return refuse(
            QStringLiteral("Unexpected argument '%1'.").arg(parser.positionalArguments().first()));
    if (parser.isSet(help))
        return outcome(Action::Print, usage);
    if (parser.isSet(showVersion))
        return outcome(Action::Print, version + u'\n');
    if (parser.isSet(autostart)) {
        const QString value = parser.value(autostart);
        if (value != QLatin1String("on") && value != QLatin1String("off"))
            return refuse(QStringLiteral("--autostart takes on or off, not '%1'.").arg(value));
        Outcome autostartOutcome = outcome(Action::Autostart);
        autostartOutcome.autostartOn = value == QLatin1String("on");
        return autostartOutcome;
    }
    if (parser.isSet(findHotkey)) {
        const hotkey::Choice choice = hotkey::parse(parser.value(findHotkey));
        if (!choice.error.isEmpty())
            return refuse(QStringLiteral("--find-hotkey takes one key with its modifiers, such "
                                         "as %1, or off. %2")
                              .arg(hotkey::defaultText(), choice.error));
        return outcome(Action::SetHotkey, choice.off ? QStringLiteral("off") : choice.key->text);
    }
    if (parser.isSet(forgetUsage))
        return outcome(Action::ForgetUsage);
    if (parser.isSet(catalogue) && parser.value(catalogue).isEmpty())
        return refuse(QStringLiteral("--catalogue needs a file name."));
    Outcome run = outcome(Action::Run);
    run.catalogue = parser.value(catalogue);
    run.qtPlatform = split.qtPlatform;
    run.qtDisplay = split.qtDisplay;
    run.find = parser.isSet(find);
    run.findText = parser.positionalArguments().join(u' ');
    return run;
}

} // namespace commandline
