#pragma once

#include "find/findtables.h"

#include <QString>
#include <algorithm>
#include <vector>

// One typed term matched against a name's characters and their readings.
namespace find {

// How a term matched: through characters and primary readings only, or
// only through a character's other reading.
enum class Reach
{
    None,
    Primary,
    Secondary
};

// The letters a-z in `text` as bits (ü, written v, counts as u).
quint32 letterMask(QStringView text);

// Each UTF-16 unit of `text` as one bit of 64 (its value modulo 64): a
// text whose bits do not cover a part's cannot hold it.
inline quint64 unitBits(QStringView text)
{
    quint64 bits = 0;
    for (const QChar c : text)
        bits |= quint64(1) << (c.unicode() % 64);
    return bits;
}

// Whether `text` holds `part`, compared unit for unit. Names and hosts are
// short: a plain loop beats a general search's set-up on each of them.
inline bool holds(QStringView text, QStringView part)
{
    const qsizetype size = part.size();
    if (size == 0)
        return true;
    const char16_t *in = text.utf16();
    const char16_t *wanted = part.utf16();
    for (qsizetype at = 0, last = text.size() - size; at <= last; ++at)
        if (in[at] == wanted[0] && std::equal(wanted + 1, wanted + size, in + at + 1))
            return true;
    return false;
}

class Term final
{
public:
    // `text` is folded (see textfold.h). Prepares the term's steps over
    // every syllable of `tables`, so that matching a name is a walk over its
    // characters with a few table look-ups each.
    Term(QString text, const Tables &tables);

    // The term as typed, for substrings of names and hosts.
    const QString &text() const { return m_text; }
    // The term without IME apostrophes: what characters and readings consume.
    const QString &key() const { return m_key; }
    // unitBits() of text().
    quint64 bits() const { return m_bits; }

    // Whether a run of `text`'s characters (`readings`: per UTF-16 unit a
    // count, then that many syllables, the primary first) spells the term:
    // each character by itself, its full reading or its initial (b, zh), the
    // last one by any start of a reading. `letters` is letterMask() of the
    // text and all its readings, a quick refusal.
    Reach match(QStringView text, const Syllable *readings, quint32 letters) const;

private:
    quint64 stepsFor(const QString &syllable, qsizetype at) const;
    quint64 sameCharacter(quint64 reach, QChar c) const;
    quint64 advance(Syllable syllable, quint64 reach) const;

    QString m_text;
    QString m_key;
    quint32 m_letters = 0;
    quint64 m_bits = 0;
    qsizetype m_size = 0;
    bool m_spellable = false;
    // Per syllable and position in the key: the positions reached after the
    // syllable (bit m_size: the whole key).
    std::vector<quint64> m_steps;
};

} // namespace find
