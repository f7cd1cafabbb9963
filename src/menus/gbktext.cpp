#include "menus/gbktext.h"

#include <array>
#include <cstdint>

namespace gbk {
namespace {

// One bit per BMP character: set where GBK holds the character in two bytes. Generated at build
// time from Qt's GBK encoder (see gbktable/makegbktable.cpp).
constexpr std::array<std::uint64_t, 0x10000 / 64> doubleByteBits{
#include "gbkdoublebyte.inc"
};

} // namespace

bool isDoubleByte(char32_t codePoint)
{
    return codePoint < 0x10000 && (doubleByteBits[codePoint / 64] >> (codePoint % 64) & 1) != 0;
}

qsizetype unitsAt(QStringView text, qsizetype i)
{
    const bool pair =
        i + 1 < text.size() && text[i].isHighSurrogate() && text[i + 1].isLowSurrogate();
    return pair ? 2 : 1;
}

char32_t codePointAt(QStringView text, qsizetype i)
{
    if (unitsAt(text, i) == 2)
        return QChar::surrogateToUcs4(text[i], text[i + 1]);
    return text[i].unicode();
}

bool containsDoubleByte(QStringView text)
{
    for (const QChar c : text) {
        if (isDoubleByte(c.unicode()))
            return true;
    }
    return false;
}

qsizetype byteLength(QStringView text)
{
    qsizetype bytes = 0;
    for (qsizetype i = 0; i < text.size(); i += unitsAt(text, i))
        bytes += isDoubleByte(codePointAt(text, i)) ? 2 : 1;
    return bytes;
}

} // namespace gbk
