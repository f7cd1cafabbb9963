#include "find/findindex.h"

#include "find/termmatch.h"
#include "find/textfold.h"

namespace find {

Index::Index(const QList<Entry> &entries, const Tables &tables) : m_tables(tables)
{
    for (qsizetype s = 0; s < tables.syllableCount(); ++s)
        m_syllableLetters.push_back(letterMask(tables.syllable(Syllable(s))));
    m_rows.reserve(entries.size());
    m_readings.reserve(entries.size() * 16);
    for (const Entry &entry : entries) {
        Row row;
        row.name = appendField(folded(entry.name, tables));
        const QString host = hostOf(entry.address);
        row.host = appendText(host);
        row.hostSize = quint32(host.size());
        row.hostBits = unitBits(host);
        row.province = provinceOf(entry.province);
        m_rows.push_back(row);
    }
    m_text.squeeze();
}

quint32 Index::appendText(const QString &text)
{
    const quint32 at = quint32(m_text.size());
    m_text += text;
    return at;
}

Field Index::appendField(const QString &folded)
{
    Field field{appendText(folded), quint32(folded.size()), quint32(m_readings.size()),
                letterMask(folded), unitBits(folded)};
    const std::vector<Syllable> primary = m_tables.primaryReadings(folded);
    for (qsizetype i = 0; i < folded.size(); ++i) {
        const std::span<const Syllable> own = m_tables.readings(folded[i]);
        const Syllable first = primary[i];
        const qsizetype countAt = qsizetype(m_readings.size());
        m_readings.push_back(0);
        if (first != Tables::noReading)
            m_readings.push_back(first);
        for (const Syllable s : own)
            if (s != first)
                m_readings.push_back(s);
        m_readings[countAt] = Syllable(qsizetype(m_readings.size()) - countAt - 1);
        for (qsizetype at = countAt + 1; at < qsizetype(m_readings.size()); ++at)
            field.letters |= m_syllableLetters[m_readings[at]];
    }
    return field;
}

quint32 Index::provinceOf(const QString &province)
{
    const QString key = folded(province, m_tables);
    const auto known = m_provinceIds.constFind(key);
    if (known != m_provinceIds.cend())
        return *known;
    const quint32 id = quint32(m_provinces.size());
    m_provinces.push_back(appendField(key));
    m_provinceIds.insert(key, id);
    return id;
}

} // namespace find
