#include "cataloguetool/commands.h"

#include "cataloguetool/commandsupport.h"
#include "cataloguetool/output.h"
#include "core/failure.h"

namespace cataloguetool {

namespace {

const QCommandLineOption helpOption(QStringList{QStringLiteral("h"), QStringLiteral("help")},
                                    QStringLiteral("Shows this help."));

QString helpOf(const Command &command, QCommandLineParser &parser)
{
    // The parser's first line names the program as it was started, without
    // the command: the usage line is written here instead.
    const QString text = parser.helpText();
    QString usage = QStringLiteral("Usage: ") + programName + u' ' + command.name +
                    QStringLiteral(" [options]");
    for (qsizetype i = 0; i + 1 < command.positional.size(); i += 2)
        usage += u' ' + command.positional.at(i);
    return usage + text.mid(text.indexOf(u'\n'));
}

QList<Command> commands()
{
    return {listCommand(),   searchCommand(), exportCommand(),
            importCommand(), checkCommand(),  mergeCommand()};
}

QString overview()
{
    QString text = QStringLiteral("Usage: %1 [--catalogue FILE] COMMAND [options]\n\n"
                                  "Works on the newspaper catalogue from the command line.\n\n"
                                  "Options:\n"
                                  "  --catalogue FILE  The catalogue file to work on.\n"
                                  "  -h, --help        Shows this help.\n"
                                  "  -v, --version     Shows the version.\n\n"
                                  "Commands:\n")
                       .arg(programName);
    for (const Command &command : commands())
        text += QStringLiteral("  %1  %2\n").arg(command.name.leftJustified(7), command.summary);
    text += QStringLiteral("\n%1 COMMAND --help shows a command's options.\n").arg(programName);
    return text;
}

int runCommand(const Command &command, const QStringList &arguments)
{
    QCommandLineParser parser;
    parser.setApplicationDescription(command.summary);
    parser.addOption(catalogueOption);
    parser.addOption(helpOption);
    parser.addOptions(command.options);
    for (qsizetype i = 0; i + 1 < command.positional.size(); i += 2)
        parser.addPositionalArgument(command.positional.at(i), command.positional.at(i + 1));
    if (!parser.parse(QStringList{programName} + arguments))
        throw UsageError(parser.errorText());
    if (parser.isSet(helpOption)) {
        out() << helpOf(command, parser);
        return exitOk;
    }
    // An unset shell variable must not mean the user's own catalogue.
    if (parser.isSet(catalogueOption) && parser.value(catalogueOption).isEmpty())
        throw UsageError(QStringLiteral("--catalogue needs a file name"));
    return command.run(parser);
}

int dispatch(const QStringList &arguments)
{
    QCommandLineParser parser;
    parser.addOption(catalogueOption);
    parser.addOption(helpOption);
    const QCommandLineOption versionOption(
        QStringList{QStringLiteral("v"), QStringLiteral("version")},
        QStringLiteral("Shows the version."));
    parser.addOption(versionOption);
    parser.addPositionalArgument(QStringLiteral("command"), QStringLiteral("The command."));
    parser.setOptionsAfterPositionalArgumentsMode(QCommandLineParser::ParseAsPositionalArguments);
    if (!parser.parse(arguments))
        throw UsageError(parser.errorText());
    QStringList rest = parser.positionalArguments();
    if (rest.isEmpty()) {
        if (parser.isSet(versionOption)) {
            out() << programName << u' ' << QStringLiteral(KELVANE_VERSION) << u'\n';
            return exitOk;
        }
        if (parser.isSet(helpOption)) {
            out() << overview();
            return exitOk;
        }
        throw UsageError(QStringLiteral("no command given"));
    }
    const QString name = rest.takeFirst();
    if (parser.isSet(catalogueOption))
        rest.prepend(QStringLiteral("--catalogue=") + parser.value(catalogueOption));
    for (const Command &command : commands())
        if (command.name == name)
            return runCommand(command, rest);
    throw UsageError(QStringLiteral("unknown command '%1'").arg(name));
}

} // namespace

int run(const QStringList &arguments)
{
    out().setEncoding(QStringConverter::Utf8);
    err().setEncoding(QStringConverter::Utf8);
    int code = exitOk;
    try {
        code = dispatch(arguments);
        finishStandardOutput();
    } catch (const UsageError &error) {
        err() << programName << QStringLiteral(": ") << error.message() << u'\n'
              << QStringLiteral("Run '%1 --help' for the commands and '%1 COMMAND --help' for "
                                "a command's options.\n")
                     .arg(programName);
        code = exitUsage;
    } catch (const Failure &failure) {
        out().flush();
        err() << programName << QStringLiteral(": ") << failure.message() << u'\n';
        code = exitFailure;
    }
    out().flush();
    err().flush();
    return code;
}

} // namespace cataloguetool
