#include "cataloguetool/commandsupport.h"

#include "catalogue/cataloguelocation.h"
#include "catalogue/connectionsettings.h"
#include "cataloguetool/output.h"

namespace cataloguetool {

QTextStream &out()
{
    static QTextStream stream(&standardOutput());
    return stream;
}

QTextStream &err()
{
    static QTextStream stream(stderr);
    return stream;
}

const QCommandLineOption catalogueOption(QStringList{QStringLiteral("catalogue")},
                                         QStringLiteral("The catalogue file to work on."),
                                         QStringLiteral("FILE"));

QString path(const Paper &paper)
{
    return half::folder(paper.half) + u'/' + paper.province + u'/' + paper.name;
}

QString requiredChoice(const QCommandLineParser &parser, const QCommandLineOption &option,
                       const QStringList &choices, const QString &fallback)
{
    if (!parser.isSet(option))
        return fallback;
    const QString value = parser.value(option);
    if (!choices.contains(value))
        throw UsageError(
            QStringLiteral("--%1 takes %2, not '%3'")
                .arg(option.names().constLast(), choices.join(QStringLiteral(" or ")), value));
    return value;
}

papers::Format formatFrom(const QString &word)
{
    if (word == u"json")
        return papers::Format::Json;
    if (word == u"csv")
        return papers::Format::Csv;
    return papers::Format::Text;
}

int positiveNumber(const QCommandLineParser &parser, const QCommandLineOption &option, int most)
{
    bool ok = false;
    const int value = parser.value(option).toInt(&ok);
    if (!ok || value < 1 || value > most)
        throw UsageError(QStringLiteral("--%1 takes a whole number from 1 to %2, not '%3'")
                             .arg(option.names().constFirst())
                             .arg(most)
                             .arg(parser.value(option)));
    return value;
}

OpenCatalogue::OpenCatalogue(const QCommandLineParser &parser, Access access)
    : m_access(access), m_connection(connectionsettings::longForm, access)
{
    m_path = cataloguelocation::resolve(parser.value(catalogueOption)).path;
    m_connection.open();
}

OpenCatalogue::~OpenCatalogue()
{
    if (m_access == Access::ReadWrite && m_connection.isOpen())
        m_connection.emptyLog();
}

} // namespace cataloguetool
