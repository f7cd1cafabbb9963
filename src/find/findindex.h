#pragma once

#include "find/findengine.h"
#include "find/findtables.h"

#include <QHash>
#include <QString>
#include <vector>

// What a search scans: every entry's folded name with its readings, its
// host and its province, in compact arrays built once from the entries.
namespace find {

// A piece of folded text in the index, with its readings (per UTF-16 unit
// a count, then that many syllables, the primary first), letterMask() of
// both and unitBits() of the text.
struct Field
{
    quint32 text = 0;
    quint32 size = 0;
    quint32 readings = 0;
    quint32 letters = 0;
    quint64 bits = 0;
};

struct Row
{
    Field name;
    quint64 hostBits = 0;
    quint32 host = 0;
    quint32 hostSize = 0;
    quint32 province = 0; // into provinces()
};

class Index final
{
public:
    Index(const QList<Entry> &entries, const Tables &tables);

    const std::vector<Row> &rows() const { return m_rows; }
    const std::vector<Field> &provinces() const { return m_provinces; }
    QStringView text(const Field &field) const { return textAt(field.text, field.size); }
    QStringView host(const Row &row) const { return textAt(row.host, row.hostSize); }
    const Syllable *readings(const Field &field) const
    {
        return m_readings.data() + field.readings;
    }
    const Tables &tables() const { return m_tables; }

private:
    QStringView textAt(quint32 at, quint32 size) const { return QStringView(m_text).mid(at, size); }
    quint32 appendText(const QString &text);
    Field appendField(const QString &folded);
    quint32 provinceOf(const QString &province);

    const Tables &m_tables;
    std::vector<quint32> m_syllableLetters;
    QString m_text;
    std::vector<Syllable> m_readings;
    std::vector<Row> m_rows;
    std::vector<Field> m_provinces;
    QHash<QString, quint32> m_provinceIds;
};

} // namespace find
