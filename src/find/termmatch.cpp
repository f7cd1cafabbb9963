#include "find/termmatch.h"

#include <bit>

namespace find {

namespace {

// The longest key a term is spelled by readings: one bit per position.
constexpr qsizetype longestSpelledKey = 63;

bool isLetter(QChar c)
{
    return c >= u'a' && c <= u'z';
}

// ü is typed as v or u.
bool sameLetter(QChar a, QChar b)
{
    const auto plain = [](QChar c) { return c == u'v' ? QChar(u'u') : c; };
    return plain(a) == plain(b);
}

bool hasTwoLetterInitial(const QString &syllable)
{
    return syllable.size() > 2 && syllable[1] == u'h' &&
           (syllable[0] == u'z' || syllable[0] == u'c' || syllable[0] == u's');
}

} // namespace

quint32 letterMask(QStringView text)
{
    quint32 mask = 0;
    for (const QChar c : text)
        if (isLetter(c))
            mask |= 1u << (c == u'v' ? u'u' - u'a' : c.unicode() - u'a');
    return mask;
}

Term::Term(QString text, const Tables &tables) : m_text(std::move(text))
{
    m_key = m_text;
    m_key.remove(u'\'');
    m_size = m_key.size();
    m_letters = letterMask(m_key);
    m_bits = unitBits(m_text);
    m_spellable = m_letters != 0 && m_size <= longestSpelledKey && !tables.isEmpty();
    if (!m_spellable)
        return;
    m_steps.assign(tables.syllableCount() * m_size, 0);
    for (qsizetype s = 0; s < tables.syllableCount(); ++s)
        for (qsizetype at = 0; at < m_size; ++at)
            m_steps[s * m_size + at] = stepsFor(tables.syllable(Syllable(s)), at);
}

// Where the syllable takes the key from position `at`: past its initial,
// past the whole syllable, or to the end when the rest of the key starts it.
quint64 Term::stepsFor(const QString &syllable, qsizetype at) const
{
    qsizetype common = 0;
    const qsizetype rest = m_size - at;
    while (common < syllable.size() && common < rest &&
           sameLetter(syllable[common], m_key[at + common]))
        ++common;
    if (common == 0)
        return 0;
    quint64 steps = quint64(1) << (at + 1);
    if (common == rest)
        steps |= quint64(1) << m_size;
    if (common == syllable.size())
        steps |= quint64(1) << (at + common);
    if (common >= 2 && hasTwoLetterInitial(syllable))
        steps |= quint64(1) << (at + 2);
    return steps;
}

quint64 Term::sameCharacter(quint64 reach, QChar c) const
{
    quint64 next = 0;
    for (; reach; reach &= reach - 1) {
        const int at = std::countr_zero(reach);
        if (at < m_size && m_key[at] == c)
            next |= quint64(2) << at;
    }
    return next;
}

quint64 Term::advance(Syllable syllable, quint64 reach) const
{
    const quint64 *row = m_steps.data() + qsizetype(syllable) * m_size;
    quint64 next = 0;
    for (; reach; reach &= reach - 1)
        next |= row[std::countr_zero(reach)];
    return next;
}

Reach Term::match(QStringView text, const Syllable *readings, quint32 letters) const
{
    if (!m_spellable || (m_letters & ~letters) != 0)
        return Reach::None;
    const quint64 whole = quint64(1) << m_size;
    // The key positions reached so far, by any reading and by primary ones;
    // position 0 always, since the run may start at any character.
    quint64 any = 1;
    quint64 primary = 1;
    bool found = false;
    for (const QChar c : text) {
        const quint16 count = *readings++;
        if (c.isSpace())
            continue;
        quint64 nextAny = 1 | sameCharacter(any, c);
        quint64 nextPrimary = 1 | sameCharacter(primary, c);
        if (count > 0)
            nextPrimary |= advance(readings[0], primary);
        for (quint16 i = 0; i < count; ++i)
            nextAny |= advance(readings[i], any);
        readings += count;
        if (nextPrimary & whole)
            return Reach::Primary;
        found = found || (nextAny & whole);
        any = nextAny & ~whole;
        primary = nextPrimary & ~whole;
    }
    return found ? Reach::Secondary : Reach::None;
}

} // namespace find
