// Writes the find engine's data file from a pinyin word list, a traditional-to-simplified
// character table and the hand-checked place names. Run once at build time, so that the
// program reads a small file of its own instead of the packaged dictionaries.
//   makefindtables WORDS TRADITIONAL PLACENAMES OUTPUT
// WORDS: "word pin'yin score" lines (the word list's text dump); TRADITIONAL: "繁<TAB>简 [...]"
// lines; PLACENAMES: "name syllable ..." lines, '#' starting a comment.
#include "find/findtables.h"

#include <QFile>
#include <QHash>
#include <QMap>
#include <QStringList>
#include <QtEndian>
#include <bit>
#include <cstdio>

namespace {

struct Reading
{
    QString syllable;
    double score = 0;
};

struct Source
{
    QHash<QChar, QList<Reading>> characters; // every reading with its best score
    QHash<QString, Reading> words;           // the best-scored reading of each word
};

bool isSyllable(QStringView text)
{
    return !text.isEmpty() &&
           std::all_of(text.begin(), text.end(), [](QChar c) { return c >= u'a' && c <= u'z'; });
}

bool allInBmp(QStringView text)
{
    return std::none_of(text.begin(), text.end(), [](QChar c) { return c.isSurrogate(); });
}

void addCharacterReading(QList<Reading> &readings, const Reading &reading)
{
    for (Reading &known : readings) {
        if (known.syllable == reading.syllable) {
            known.score = std::max(known.score, reading.score);
            return;
        }
    }
    readings.append(reading);
}

// One "word pin'yin score" line into `source`; lines of any other shape are skipped.
void takeWordLine(QStringView line, Source &source)
{
    const QList<QStringView> fields = line.split(u' ', Qt::SkipEmptyParts);
    if (fields.size() != 3 || !allInBmp(fields[0]))
        return;
    const QString word = fields[0].toString();
    const QString syllables = fields[1].toString();
    const Reading reading{syllables, fields[2].toDouble()};
    const QStringList parts = syllables.split(u'\'');
    if (parts.size() != word.size() || !std::all_of(parts.begin(), parts.end(), isSyllable))
        return;
    if (word.size() == 1) {
        addCharacterReading(source.characters[word.front()], reading);
        return;
    }
    const auto known = source.words.constFind(word);
    if (known == source.words.cend() || known->score < reading.score)
        source.words.insert(word, reading);
}

QList<QByteArray> linesOf(const char *path)
{
    QFile file(QString::fromLocal8Bit(path));
    if (!file.open(QIODevice::ReadOnly)) {
        std::fprintf(stderr, "makefindtables: cannot read %s\n", path);
        std::exit(1);
    }
    return file.readAll().split('\n');
}

// Each character's syllables, the best-scored first.
QMap<QChar, QStringList> characterReadings(const Source &source)
{
    QMap<QChar, QStringList> out;
    for (auto it = source.characters.cbegin(); it != source.characters.cend(); ++it) {
        QList<Reading> readings = it.value();
        std::stable_sort(readings.begin(), readings.end(),
                         [](const Reading &a, const Reading &b) { return a.score > b.score; });
        QStringList &syllables = out[it.key()];
        for (const Reading &reading : readings)
            syllables.append(reading.syllable);
    }
    return out;
}

// The words whose reading is not simply their characters' first readings: only those
// change what a name reads as.
QMap<QString, QString> differingWords(const Source &source,
                                      const QMap<QChar, QStringList> &characters)
{
    QMap<QString, QString> out;
    for (auto it = source.words.cbegin(); it != source.words.cend(); ++it) {
        const QStringList parts = it->syllable.split(u'\'');
        bool differs = false;
        for (qsizetype i = 0; i < parts.size(); ++i) {
            const QStringList readings = characters.value(it.key().at(i));
            differs = differs || readings.isEmpty() || readings.front() != parts.at(i);
        }
        if (differs)
            out.insert(it.key(), parts.join(u' '));
    }
    return out;
}

void takePlaceNames(const char *path, QMap<QString, QString> &words)
{
    for (const QByteArray &raw : linesOf(path)) {
        const QString line = QString::fromUtf8(raw).trimmed();
        if (line.isEmpty() || line.startsWith(u'#'))
            continue;
        const qsizetype space = line.indexOf(u' ');
        const QString name = line.left(space);
        const QString reading = line.mid(space + 1).simplified();
        if (space < 0 || reading.split(u' ').size() != name.size()) {
            std::fprintf(stderr, "makefindtables: bad place name line: %s\n", raw.constData());
            std::exit(1);
        }
        words.insert(name, reading);
    }
}

// Traditional characters with their one simplified form (the table's first choice).
QString traditionalPairs(const char *path)
{
    QString pairs;
    for (const QByteArray &raw : linesOf(path)) {
        const QString line = QString::fromUtf8(raw);
        const QList<QStringView> fields = QStringView(line).split(u'\t');
        if (fields.size() != 2 || fields[0].size() != 1 || fields[0].front().isSurrogate())
            continue;
        const QChar simplified = fields[1].isEmpty() ? QChar() : fields[1].front();
        if (simplified.isNull() || simplified.isSurrogate() || simplified == fields[0].front())
            continue;
        pairs.append(fields[0].front()).append(simplified);
    }
    return pairs;
}

// Little-endian numbers and arrays, each array on a multiple of 4.
class Writer
{
public:
    template <typename T> void number(T value)
    {
        value = qToLittleEndian(value);
        m_bytes.append(reinterpret_cast<const char *>(&value), sizeof value);
    }
    template <typename T> void array(const std::vector<T> &values)
    {
        m_bytes.append(QByteArray((4 - m_bytes.size() % 4) % 4, '\0'));
        for (const T value : values)
            number(value);
    }
    void bytes(const QByteArray &bytes) { array(std::vector<char>(bytes.begin(), bytes.end())); }
    const QByteArray &written() const { return m_bytes; }

private:
    QByteArray m_bytes;
};

// The tables in the data file's layout (findtables.h).
QByteArray tablesData(const QMap<QChar, QStringList> &characters,
                      const QMap<QString, QString> &words, const QString &traditional)
{
    using namespace findtables;
    const QByteArray notice = QByteArrayLiteral(
        "Kelvane's find tables, generated by makefindtables at build time; do not edit.\n"
        "Readings from libime-data's pinyin word list (LGPL-2.1+) and a hand-checked list of\n"
        "place names; traditional characters from OpenCC's TSCharacters table (Apache-2.0).\n");
    QStringList syllables;
    QHash<QString, quint16> ids;
    const auto idOf = [&](const QString &syllable) {
        const auto known = ids.constFind(syllable);
        if (known != ids.cend())
            return *known;
        syllables.append(syllable);
        return ids[syllable] = quint16(syllables.size() - 1);
    };

    std::vector<quint32> characterIndex(bmpSize, 0);
    std::vector<quint16> characterReadings;
    for (auto it = characters.cbegin(); it != characters.cend(); ++it) {
        if (it.value().size() > 0xFF)
            continue;
        characterIndex[it.key().unicode()] =
            quint32(characterReadings.size()) << 8 | quint32(it.value().size());
        for (const QString &syllable : it.value())
            characterReadings.push_back(idOf(syllable));
    }
    std::vector<char16_t> traditionalTable(bmpSize, 0);
    for (qsizetype i = 0; i + 1 < traditional.size(); i += 2)
        traditionalTable[traditional[i].unicode()] = traditional[i + 1].unicode();

    std::vector<quint32> wordEntries;
    std::vector<char16_t> wordUnits;
    std::vector<quint16> wordReadings;
    std::vector<quint32> hashes;
    quint32 longestWord = 0;
    for (auto it = words.cbegin(); it != words.cend(); ++it) {
        const QStringList parts = it.value().split(u' ', Qt::SkipEmptyParts);
        if (parts.size() != it.key().size())
            continue;
        wordEntries.insert(wordEntries.end(), {quint32(wordUnits.size()), quint32(parts.size()),
                                               quint32(wordReadings.size())});
        for (const QChar c : it.key())
            wordUnits.push_back(c.unicode());
        for (const QString &syllable : parts)
            wordReadings.push_back(idOf(syllable));
        hashes.push_back(wordHash(it.key()));
        longestWord = std::max(longestWord, quint32(parts.size()));
    }
    // At most half full, so that a probe ends soon at a free slot.
    std::vector<quint32> wordSlots(std::bit_ceil(std::max<std::size_t>(2 * hashes.size(), 2)), 0);
    const quint32 mask = quint32(wordSlots.size() - 1);
    for (std::size_t n = 0; n < hashes.size(); ++n) {
        quint32 slot = hashes[n] & mask;
        while (wordSlots[slot] != 0)
            slot = (slot + 1) & mask;
        wordSlots[slot] = quint32(n + 1);
    }

    std::vector<quint32> syllableEnds;
    QByteArray syllableText;
    for (const QString &syllable : syllables) {
        syllableText += syllable.toLatin1();
        syllableEnds.push_back(quint32(syllableText.size()));
    }
    static_assert(headerFields == 9, "the header below lists every field of findtables::Header");
    Writer out;
    out.bytes(QByteArray(magic, sizeof magic));
    for (const qsizetype field :
         {notice.size(), syllables.size(), syllableText.size(), qsizetype(characterReadings.size()),
          qsizetype(hashes.size()), qsizetype(wordSlots.size()), qsizetype(wordUnits.size()),
          qsizetype(wordReadings.size()), qsizetype(longestWord)})
        out.number(quint32(field));
    out.bytes(notice);
    out.array(syllableEnds);
    out.bytes(syllableText);
    out.array(characterIndex);
    out.array(characterReadings);
    out.array(traditionalTable);
    out.array(wordSlots);
    out.array(wordEntries);
    out.array(wordUnits);
    out.array(wordReadings);
    return out.written();
}

} // namespace

int main(int argc, char **argv)
{
    if (argc != 5) {
        std::fprintf(stderr, "usage: makefindtables WORDS TRADITIONAL PLACENAMES OUTPUT\n");
        return 2;
    }
    Source source;
    for (const QByteArray &line : linesOf(argv[1]))
        takeWordLine(QString::fromUtf8(line), source);
    const QMap<QChar, QStringList> characters = characterReadings(source);
    QMap<QString, QString> words = differingWords(source, characters);
    takePlaceNames(argv[3], words);
    const QByteArray text = tablesData(characters, words, traditionalPairs(argv[2]));
    QFile out(QString::fromLocal8Bit(argv[4]));
    if (!out.open(QIODevice::WriteOnly) || out.write(text) != text.size() || !out.flush()) {
        std::fprintf(stderr, "makefindtables: cannot write %s\n", argv[4]);
        return 1;
    }
    return 0;
}
