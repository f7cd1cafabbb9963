#include "core/printabletext.h"

namespace printabletext {

namespace {

constexpr char32_t zeroWidthNonJoiner = 0x200C;
constexpr char32_t zeroWidthJoiner = 0x200D;

bool isPrintable(char32_t c)
{
    if (c == zeroWidthNonJoiner || c == zeroWidthJoiner)
        return true;
    switch (QChar::category(c)) {
    case QChar::Other_Control:
    case QChar::Other_Format:
    case QChar::Other_Surrogate:
        return false;
    default:
        return true;
    }
}

// Calls `take` with each code point; a lone surrogate is given as it is.
template <typename Take> void forEachCodePoint(QStringView text, Take take)
{
    for (qsizetype i = 0; i < text.size(); ++i) {
        const QChar c = text[i];
        if (c.isHighSurrogate() && i + 1 < text.size() && text[i + 1].isLowSurrogate()) {
            if (!take(QChar::surrogateToUcs4(c, text[i + 1])))
                return;
            ++i;
        } else if (!take(char32_t(c.unicode()))) {
            return;
        }
    }
}

} // namespace

std::optional<char32_t> firstUnprintable(QStringView text)
{
    std::optional<char32_t> found;
    forEachCodePoint(text, [&](char32_t c) {
        if (!isPrintable(c))
            found = c;
        return !found;
    });
    return found;
}

qsizetype length(QStringView text)
{
    qsizetype count = 0;
    forEachCodePoint(text, [&](char32_t) { return ++count, true; });
    return count;
}

QString codePoint(char32_t character)
{
    return QStringLiteral("U+%1").arg(uint(character), 4, 16, QLatin1Char('0')).toUpper();
}

QString visible(QStringView text, qsizetype most)
{
    QString out;
    qsizetype count = 0;
    forEachCodePoint(text, [&](char32_t c) {
        if (count++ == most) {
            out += u'…';
            return false;
        }
        if (isPrintable(c))
            out += QStringView(QChar::fromUcs4(c));
        else
            out += u'<' + codePoint(c) + u'>';
        return true;
    });
    return out;
}

} // namespace printabletext
