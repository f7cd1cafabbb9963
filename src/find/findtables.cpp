#include "find/findtables.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QSysInfo>
#include <QtDebug>
#include <QtEndian>
#include <algorithm>
#include <bit>

namespace find {

namespace {

using findtables::bmpSize;

// Walks the file's arrays in order, each on a multiple of 4, and says
// whether the file holds them all.
class Layout
{
public:
    Layout(uchar *data, qint64 size) : m_data(data), m_size(size) {}

    template <typename T> std::span<T> next(quint64 count)
    {
        m_at = (m_at + 3) & ~quint64(3);
        if (!m_fits || m_at > quint64(m_size) || count > (quint64(m_size) - m_at) / sizeof(T)) {
            m_fits = false;
            return {};
        }
        T *first = reinterpret_cast<T *>(m_data + m_at);
        m_at += count * sizeof(T);
        // The file is little-endian; a big-endian host reads its own copy turned round.
        if constexpr (QSysInfo::ByteOrder == QSysInfo::BigEndian && sizeof(T) > 1)
            for (T &value : std::span<T>(first, count))
                value = qFromLittleEndian(value);
        return {first, count};
    }
    bool fits() const { return m_fits; }

private:
    uchar *m_data;
    qint64 m_size;
    quint64 m_at = 0;
    bool m_fits = true;
};

bool within(std::span<const quint32> offsets, quint64 total)
{
    return std::all_of(offsets.begin(), offsets.end(), [&](quint32 end) { return end <= total; });
}

bool syllablesKnown(std::span<const Syllable> readings, qsizetype syllableCount)
{
    return std::all_of(readings.begin(), readings.end(),
                       [&](Syllable s) { return qsizetype(s) < syllableCount; });
}

} // namespace

std::shared_ptr<const Tables> Tables::load(const QString &path)
{
    auto tables = std::make_shared<Tables>();
    tables->m_file.setFileName(path);
    QString trouble;
    if (!tables->m_file.open(QIODevice::ReadOnly)) {
        trouble = tables->m_file.errorString();
    } else {
        const qint64 size = tables->m_file.size();
        uchar *data = tables->m_file.map(0, size,
                                         QSysInfo::ByteOrder == QSysInfo::BigEndian
                                             ? QFileDevice::MapPrivateOption
                                             : QFileDevice::NoOptions);
        trouble = data ? tables->take(data, size) : tables->m_file.errorString();
    }
    if (!trouble.isEmpty()) {
        qWarning("kelvane: cannot read the find tables '%s' (%s): pinyin and traditional "
                 "characters are not matched",
                 qPrintable(path), qPrintable(trouble));
        return std::make_shared<Tables>();
    }
    return tables;
}

std::shared_ptr<const Tables> Tables::shared()
{
    static const std::shared_ptr<const Tables> tables = load(dataFile());
    return tables;
}

// Checks everything a lookup will follow, once, so that a damaged file is
// refused here rather than read out of bounds later.
QString Tables::take(uchar *data, qint64 size)
{
    if (size < qint64(sizeof findtables::magic) ||
        !std::equal(std::begin(findtables::magic), std::end(findtables::magic), data))
        return QStringLiteral("not a find tables file of this version");
    Layout layout(data + sizeof findtables::magic, size - qint64(sizeof findtables::magic));
    const std::span<quint32> fields = layout.next<quint32>(findtables::headerFields);
    if (!layout.fits())
        return QStringLiteral("it is cut short");
    static_assert(findtables::headerFields == 9, "every field of findtables::Header, in order");
    const findtables::Header header{fields[0], fields[1], fields[2], fields[3], fields[4],
                                    fields[5], fields[6], fields[7], fields[8]};
    layout.next<uchar>(header.noticeBytes);
    const std::span<const quint32> syllableEnds = layout.next<quint32>(header.syllableCount);
    const std::span<const uchar> syllableText = layout.next<uchar>(header.syllableBytes);
    m_characterIndex = layout.next<quint32>(bmpSize);
    m_characterReadings = layout.next<Syllable>(header.characterReadingCount);
    m_traditional = layout.next<char16_t>(bmpSize);
    m_wordSlots = layout.next<quint32>(header.wordSlotCount);
    m_words = layout.next<quint32>(quint64(header.wordCount) * 3);
    m_wordUnits = layout.next<char16_t>(header.wordUnitCount);
    m_wordReadings = layout.next<Syllable>(header.wordReadingCount);
    m_longestWord = header.longestWord;
    if (!layout.fits())
        return QStringLiteral("it is cut short");
    bool sound = header.syllableCount < noReading &&
                 std::is_sorted(syllableEnds.begin(), syllableEnds.end()) &&
                 within(syllableEnds, syllableText.size()) &&
                 std::has_single_bit(header.wordSlotCount) &&
                 within(m_wordSlots, header.wordCount) &&
                 std::find(m_wordSlots.begin(), m_wordSlots.end(), 0u) != m_wordSlots.end() &&
                 syllablesKnown(m_characterReadings, header.syllableCount) &&
                 syllablesKnown(m_wordReadings, header.syllableCount);
    for (const quint32 entry : m_characterIndex)
        sound = sound && (entry >> 8) + (entry & 0xFF) <= m_characterReadings.size();
    for (std::size_t w = 0; sound && w < m_words.size(); w += 3)
        sound = quint64(m_words[w]) + m_words[w + 1] <= m_wordUnits.size() &&
                quint64(m_words[w + 2]) + m_words[w + 1] <= m_wordReadings.size() &&
                m_words[w + 1] <= header.longestWord;
    if (!sound)
        return QStringLiteral("it is damaged");
    quint32 start = 0;
    for (const quint32 end : syllableEnds) {
        m_syllables.append(QString::fromLatin1(
            reinterpret_cast<const char *>(syllableText.data()) + start, end - start));
        start = end;
    }
    return {};
}

std::span<const Syllable> Tables::readings(QChar c) const
{
    if (m_characterIndex.empty())
        return {};
    const quint32 entry = m_characterIndex[c.unicode()];
    return m_characterReadings.subspan(entry >> 8, entry & 0xFF);
}

std::span<const Syllable> Tables::wordReadings(QStringView word) const
{
    if (m_wordSlots.empty())
        return {};
    const quint32 mask = quint32(m_wordSlots.size() - 1);
    for (quint32 slot = findtables::wordHash(word) & mask;; slot = (slot + 1) & mask) {
        const quint32 number = m_wordSlots[slot];
        if (number == 0)
            return {};
        const quint32 *entry = &m_words[(number - 1) * 3];
        if (entry[1] == quint32(word.size()) &&
            std::equal(word.begin(), word.end(), m_wordUnits.begin() + entry[0],
                       [](QChar a, char16_t b) { return a.unicode() == b; }))
            return m_wordReadings.subspan(entry[2], entry[1]);
    }
}

std::vector<Syllable> Tables::primaryReadings(QStringView name) const
{
    std::vector<Syllable> out;
    out.reserve(name.size());
    qsizetype i = 0;
    while (i < name.size()) {
        qsizetype length = std::min(m_longestWord, name.size() - i);
        for (; length >= 2; --length) {
            const std::span<const Syllable> word = wordReadings(name.mid(i, length));
            if (!word.empty()) {
                out.insert(out.end(), word.begin(), word.end());
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
    const QString name = QStringLiteral("findtables.bin");
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
