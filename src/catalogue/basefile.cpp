#include "catalogue/basefile.h"

#include "core/failure.h"

#include <QCryptographicHash>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>

namespace basefile {

namespace {

const QByteArray mark = QByteArrayLiteral("kelvane starter base, md5 ");

void appendEscaped(QByteArray &out, const QString &text)
{
    for (const char c : text.toUtf8()) {
        switch (c) {
        case '\\':
            out += "\\\\";
            break;
        case '\t':
            out += "\\t";
            break;
        case '\n':
            out += "\\n";
            break;
        case '\r':
            out += "\\r";
            break;
        default:
            out += c;
        }
    }
}

// A field as written; none when it holds an escape that was never written.
std::optional<QString> unescaped(QByteArrayView field)
{
    if (!field.contains('\\'))
        return QString::fromUtf8(field);
    QByteArray bytes;
    bytes.reserve(field.size());
    for (qsizetype i = 0; i < field.size(); ++i) {
        if (field[i] != '\\') {
            bytes += field[i];
            continue;
        }
        if (++i == field.size())
            return std::nullopt;
        switch (field[i]) {
        case '\\':
            bytes += '\\';
            break;
        case 't':
            bytes += '\t';
            break;
        case 'n':
            bytes += '\n';
            break;
        case 'r':
            bytes += '\r';
            break;
        default:
            return std::nullopt;
        }
    }
    return QString::fromUtf8(bytes);
}

// "D" or "F", then the province, name and address between tabs.
std::optional<mergerules::Paper> paperOf(QByteArrayView line)
{
    if (line.size() < 2 || (line[0] != 'D' && line[0] != 'F') || line[1] != '\t')
        return std::nullopt;
    std::optional<QString> fields[3];
    qsizetype from = 2;
    for (int i = 0; i < 3; ++i) {
        const qsizetype tab = i < 2 ? line.indexOf('\t', from) : line.size();
        if (tab < 0 || (i == 2 && line.sliced(from).contains('\t')))
            return std::nullopt;
        fields[i] = unescaped(line.sliced(from, tab - from));
        if (!fields[i])
            return std::nullopt;
        from = tab + 1;
    }
    return mergerules::Paper{line[0] == 'D', *fields[0], *fields[1], *fields[2]};
}

} // namespace

QString pathFor(const QString &cataloguePath)
{
    const QFileInfo catalogue(cataloguePath);
    return catalogue.dir().filePath(catalogue.completeBaseName() + QStringLiteral(".base"));
}

// The digest tells a changed starter from the one merged, at every start,
// so it must cost next to nothing; it need not resist a forger, since
// whoever can replace the installed starter can replace the program too.
// MD5 takes a tenth of SHA-256's instructions.
QByteArray digestOf(const QByteArray &starterSql)
{
    return QCryptographicHash::hash(starterSql, QCryptographicHash::Md5).toHex();
}

QByteArray encode(const QByteArray &digest, const Papers &papers)
{
    QByteArray out = mark + digest + '\n';
    for (const mergerules::Paper &paper : papers) {
        out += paper.domestic ? "D\t" : "F\t";
        appendEscaped(out, paper.province);
        out += '\t';
        appendEscaped(out, paper.name);
        out += '\t';
        appendEscaped(out, paper.address);
        out += '\n';
    }
    return out;
}

bool isBase(const QByteArray &head)
{
    return head.startsWith(mark);
}

std::optional<Papers> decode(const QByteArray &bytes)
{
    if (!isBase(bytes) || !bytes.endsWith('\n'))
        return std::nullopt;
    Papers papers;
    qsizetype from = bytes.indexOf('\n') + 1;
    for (qsizetype end; (end = bytes.indexOf('\n', from)) >= 0; from = end + 1) {
        const std::optional<mergerules::Paper> paper =
            paperOf(QByteArrayView(bytes).sliced(from, end - from));
        if (!paper)
            return std::nullopt;
        papers.append(*paper);
    }
    return papers;
}

QByteArray recordedDigest(const QString &path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return {};
    const QByteArray line = file.readLine(mark.size() + 80).trimmed();
    return isBase(line) ? line.mid(mark.size()) : QByteArray();
}

std::optional<Papers> read(const QString &path)
{
    QFile file(path);
    if (!file.exists())
        return std::nullopt;
    if (!file.open(QIODevice::ReadOnly))
        throw Failure(
            QStringLiteral("Could not read the base file '%1': %2").arg(path, file.errorString()));
    std::optional<Papers> papers = decode(file.readAll());
    if (!papers)
        throw Failure(QStringLiteral("The base file '%1' is damaged").arg(path));
    return papers;
}

// QSaveFile writes beside the file, syncs, then renames over the old base in
// one step.
void write(const QString &path, const QByteArray &digest, const Papers &papers)
{
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(encode(digest, papers)) < 0 ||
        !file.commit())
        throw Failure(
            QStringLiteral("Could not write the base file '%1': %2").arg(path, file.errorString()));
}

} // namespace basefile
