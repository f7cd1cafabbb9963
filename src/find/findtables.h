#pragma once

#include <QHash>
#include <QList>
#include <QString>
#include <QStringList>
#include <memory>
#include <span>
#include <vector>

// The sections of the find data file, which makefindtables writes and
// Tables reads.
namespace findtables {
inline const QString charactersSection = QStringLiteral("[characters]");
inline const QString wordsSection = QStringLiteral("[words]");
inline const QString traditionalSection = QStringLiteral("[traditional]");
} // namespace findtables

namespace find {

// A pinyin syllable without tone ("chang"), by its number in Tables.
using Syllable = quint16;

// The readings of characters and words and the traditional-to-simplified
// characters the find engine matches by, read from the data file the build
// generates. Without the file the tables are empty: pinyin and traditional
// characters are then not matched, and everything else still is.
class Tables final
{
public:
    // The tables in the data file at `path`; empty, with one warning, when it
    // is missing or unreadable.
    static std::shared_ptr<const Tables> load(const QString &path);
    // The tables from dataFile(), read once, at the first call.
    static std::shared_ptr<const Tables> shared();

    bool isEmpty() const { return m_syllables.isEmpty(); }
    qsizetype syllableCount() const { return m_syllables.size(); }
    const QString &syllable(Syllable s) const { return m_syllables.at(s); }

    // Every reading of `c` (simplified), the most common first.
    std::span<const Syllable> readings(QChar c) const;
    // The simplified form of `c`, or `c` itself.
    QChar simplified(QChar c) const { return m_traditional.value(c.unicode(), c); }
    // The reading each character of `name` (simplified) has in it, one
    // syllable per UTF-16 unit, noReading for a unit without one: the words
    // of the word list by longest match from the left, then each remaining
    // character's most common reading.
    std::vector<Syllable> primaryReadings(QStringView name) const;

    static constexpr Syllable noReading = 0xFFFF;

private:
    void parse(const QByteArray &text);
    void takeCharacters(QStringView line);
    void takeWord(QStringView line);
    Syllable idOf(QStringView syllable);
    std::vector<Syllable> syllablesOf(QStringView text);

    QStringList m_syllables;
    QHash<QString, Syllable> m_ids;
    // Per BMP character: offset into m_characterReadings << 8 | count.
    std::vector<quint32> m_characterIndex;
    std::vector<Syllable> m_characterReadings;
    QHash<QString, std::vector<Syllable>> m_words;
    qsizetype m_longestWord = 0;
    QHash<char16_t, QChar> m_traditional;
};

// Where the data file is: KELVANE_DATA_DIR when set; else beside the
// starter catalogue relative to the program (<prefix>/share/kelvane), else
// in the build tree, where the build writes it.
QString dataFile();

// A name's primary reading as syllables separated by spaces ("chang sha wan
// bao"); characters without a reading stand as themselves.
QString primaryReading(const Tables &tables, QStringView name);

} // namespace find
