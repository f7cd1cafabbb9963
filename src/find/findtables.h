#pragma once

#include <QFile>
#include <QString>
#include <QStringList>
#include <QStringView>
#include <memory>
#include <span>
#include <vector>

// The layout of the find data file, which makefindtables writes and Tables
// maps. The file is used as it lies: a first find (and the desktop search's
// provider, started for one question) reads no text and builds no table.
// Every number is little-endian, every array starts on a multiple of 4.
//   "KVFIND02", then the header's numbers, then the arrays in this order:
//   notice: the sources and their licences, UTF-8 (noticeBytes)
//   syllableEnds: u32 per syllable, where its letters end in syllableText
//   syllableText: the syllables' ASCII letters, one after another
//   characterIndex: u32 per BMP character, offset << 8 | count into characterReadings
//   characterReadings: u16 syllables, each character's most common first
//   traditional: u16 per BMP character, its simplified form, or 0
//   wordSlots: u32 per slot (a power of two), word number + 1, or 0 for none;
//              a word sits at wordHash() or the first free slot after it
//   words: u32 triples: where its UTF-16 units start in wordUnits, how many,
//          and where its readings (one per unit) start in wordReadings
//   wordUnits: u16; wordReadings: u16 syllables
namespace findtables {

inline constexpr char magic[8] = {'K', 'V', 'F', 'I', 'N', 'D', '0', '2'};
inline constexpr quint32 bmpSize = 0x10000;

struct Header
{
    quint32 noticeBytes = 0;
    quint32 syllableCount = 0;
    quint32 syllableBytes = 0;
    quint32 characterReadingCount = 0;
    quint32 wordCount = 0;
    quint32 wordSlotCount = 0;
    quint32 wordUnitCount = 0;
    quint32 wordReadingCount = 0;
    quint32 longestWord = 0;
};
inline constexpr int headerFields = sizeof(Header) / sizeof(quint32);

// FNV-1a over the UTF-16 units: the words' keys are the build's own, so a
// plain hash does, and it costs the first find next to nothing.
inline quint32 wordHash(QStringView word)
{
    quint32 hash = 2166136261u;
    for (const QChar c : word) {
        hash ^= c.unicode();
        hash *= 16777619u;
    }
    return hash;
}

} // namespace findtables

namespace find {

// A pinyin syllable without tone ("chang"), by its number in Tables.
using Syllable = quint16;

// The readings of characters and words and the traditional-to-simplified
// characters the find engine matches by, from the data file the build
// generates, mapped into memory. Without the file, or with a damaged one,
// the tables are empty: pinyin and traditional characters are then not
// matched, and everything else still is.
class Tables final
{
public:
    // The tables in the data file at `path`; empty, with one warning, when it
    // is missing, unreadable or damaged.
    static std::shared_ptr<const Tables> load(const QString &path);
    // The tables from dataFile(), read once, at the first call.
    static std::shared_ptr<const Tables> shared();

    bool isEmpty() const { return m_syllables.isEmpty(); }
    qsizetype syllableCount() const { return m_syllables.size(); }
    const QString &syllable(Syllable s) const { return m_syllables.at(s); }

    // Every reading of `c` (simplified), the most common first.
    std::span<const Syllable> readings(QChar c) const;
    // The simplified form of `c`, or `c` itself.
    QChar simplified(QChar c) const
    {
        const char16_t to = m_traditional.empty() ? 0 : m_traditional[c.unicode()];
        return to ? QChar(to) : c;
    }
    // The reading each character of `name` (simplified) has in it, one
    // syllable per UTF-16 unit, noReading for a unit without one: the words
    // of the word list by longest match from the left, then each remaining
    // character's most common reading.
    std::vector<Syllable> primaryReadings(QStringView name) const;

    static constexpr Syllable noReading = 0xFFFF;

private:
    QString take(uchar *data, qint64 size);
    std::span<const Syllable> wordReadings(QStringView word) const;

    QFile m_file; // mapped while the tables live
    QStringList m_syllables;
    std::span<const quint32> m_characterIndex;
    std::span<const Syllable> m_characterReadings;
    std::span<const char16_t> m_traditional;
    std::span<const quint32> m_wordSlots;
    std::span<const quint32> m_words;
    std::span<const char16_t> m_wordUnits;
    std::span<const Syllable> m_wordReadings;
    qsizetype m_longestWord = 0;
};

// Where the data file is: KELVANE_DATA_DIR when set; else beside the
// starter catalogue relative to the program (<prefix>/share/kelvane), else
// in the build tree, where the build writes it.
QString dataFile();

// A name's primary reading as syllables separated by spaces ("chang sha wan
// bao"); characters without a reading stand as themselves.
QString primaryReading(const Tables &tables, QStringView name);

} // namespace find
