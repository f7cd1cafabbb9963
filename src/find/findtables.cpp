#include "find/findtables.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStringTokenizer>
#include <QtDebug>

namespace find {

namespace {

enum class Section
{
    None,
    Characters,
    Words,
    Traditional
};

Section sectionOf(QStringView line, Section current)
{
    if (line == findtables::charactersSection)
        return Section::Characters;
    if (line == findtables::wordsSection)
        return Section::Words;
    if (line == findtables::traditionalSection)
        return Section::Traditional;
    return current;
}

} // namespace

std::shared_ptr<const Tables> Tables::load(const QString &path)
{
    auto tables = std::make_shared<Tables>();
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        qWarning("kelvane: cannot read the find tables '%s' (%s): pinyin and traditional "
                 "characters are not matched",
                 qPrintable(path), qPrintable(file.errorString()));
        return tables;
    }
    tables->parse(file.readAll());
    if (tables->isEmpty())
        qWarning("kelvane: the find tables '%s' hold no readings: pinyin is not matched",
                 qPrintable(path));
    return tables;
}

std::shared_ptr<const Tables> Tables::shared()
{
    static const std::shared_ptr<const Tables> tables = load(dataFile());
    return tables;
}

void Tables::parse(const QByteArray &bytes)
{
    m_characterIndex.assign(0x10000, 0);
    const QString text = QString::fromUtf8(bytes);
    Section section = Section::None;
    // Line by line, without a list of all the lines: what a first find
    // takes stays in the program's memory.
    for (const QStringView line : QStringView(text).tokenize(u'\n', Qt::SkipEmptyParts)) {
        if (line.startsWith(u'#'))
            continue;
        const Section next = sectionOf(line, section);
        if (next != section) {
            section = next;
            continue;
        }
        switch (section) {
        case Section::Characters:
            takeCharacters(line);
            break;
        case Section::Words:
            takeWord(line);
            break;
        case Section::Traditional:
            for (qsizetype i = 0; i + 1 < line.size(); i += 2)
                m_traditional.insert(line[i].unicode(), line[i + 1]);
            break;
        case Section::None:
            break;
        }
    }
}

// "chang zhang<TAB>长苌": the characters that have these readings.
void Tables::takeCharacters(QStringView line)
{
    const qsizetype tab = line.indexOf(u'\t');
    if (tab < 0)
        return;
    const std::vector<Syllable> syllables = syllablesOf(line.left(tab));
    if (syllables.empty() || syllables.size() > 0xFF)
        return;
    const quint32 entry = quint32(m_characterReadings.size()) << 8 | quint32(syllables.size());
    m_characterReadings.insert(m_characterReadings.end(), syllables.begin(), syllables.end());
    for (const QChar c : line.mid(tab + 1))
        m_characterIndex[c.unicode()] = entry;
}

// "长沙<TAB>chang sha": a word and one syllable per character.
void Tables::takeWord(QStringView line)
{
    const qsizetype tab = line.indexOf(u'\t');
    if (tab < 2)
        return;
    std::vector<Syllable> syllables = syllablesOf(line.mid(tab + 1));
    if (qsizetype(syllables.size()) != tab)
        return;
    m_longestWord = std::max(m_longestWord, tab);
    m_words.insert(line.left(tab).toString(), std::move(syllables));
}

Syllable Tables::idOf(QStringView syllable)
{
    const QString key = syllable.toString();
    const auto known = m_ids.constFind(key);
    if (known != m_ids.cend())
        return *known;
    const Syllable id = Syllable(m_syllables.size());
    m_syllables.append(key);
    m_ids.insert(key, id);
    return id;
}

std::vector<Syllable> Tables::syllablesOf(QStringView text)
{
    std::vector<Syllable> out;
    for (const QStringView part : text.split(u' ', Qt::SkipEmptyParts))
        if (m_syllables.size() < noReading)
            out.push_back(idOf(part));
    return out;
}

std::span<const Syllable> Tables::readings(QChar c) const
{
    if (m_characterIndex.empty())
        return {};
    const quint32 entry = m_characterIndex[c.unicode()];
    return {m_characterReadings.data() + (entry >> 8), entry & 0xFF};
}

std::vector<Syllable> Tables::primaryReadings(QStringView name) const
{
    std::vector<Syllable> out;
    out.reserve(name.size());
    qsizetype i = 0;
    while (i < name.size()) {
        qsizetype length = std::min(m_longestWord, name.size() - i);
        for (; length >= 2; --length) {
            const auto word = m_words.constFind(name.mid(i, length).toString());
            if (word != m_words.cend()) {
                out.insert(out.end(), word->begin(), word->end());
                break;
            }
        }
        if (length < 2) {
            const std::span<const Syllable> own = readings(name[i]);
            out.push_back(own.empty() ? noReading : own.front());
            length = 1;
        }
        i += length;
    }
    return out;
}

QString dataFile()
{
    const QString name = QStringLiteral("findtables.txt");
    const QString fromEnvironment = qEnvironmentVariable("KELVANE_DATA_DIR");
    if (!fromEnvironment.isEmpty())
        return QDir(fromEnvironment).filePath(name);
    const QString installed =
        QDir::cleanPath(QCoreApplication::applicationDirPath() + u'/' +
                        QStringLiteral(KELVANE_DATA_FROM_BINDIR) + u'/' + name);
    if (QFileInfo::exists(installed))
        return installed;
    return QStringLiteral(KELVANE_BUILD_DATA_DIR "/") + name;
}

QString primaryReading(const Tables &tables, QStringView name)
{
    const std::vector<Syllable> syllables = tables.primaryReadings(name);
    QStringList parts;
    for (qsizetype i = 0; i < name.size(); ++i)
        parts.append(syllables[i] == Tables::noReading ? name.mid(i, 1).toString()
                                                       : tables.syllable(syllables[i]));
    return parts.join(u' ');
}

} // namespace find
