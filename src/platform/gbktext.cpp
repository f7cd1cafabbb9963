#include "platform/gbktext.h"

#include <QStringEncoder>
#include <bitset>

namespace gbk {
namespace {

using DoubleByteTable = std::bitset<0x10000>;

// Encodes every non-ASCII BMP character once, each followed by a newline, and reads back which
// ones came out as two bytes. Newline cannot occur inside a GBK character (lead bytes are
// 0x81..0xFE, trail bytes 0x40..0xFE), so the output splits cleanly. One bulk conversion takes
// a few milliseconds; converting character by character takes thirty times longer.
DoubleByteTable buildTable()
{
    DoubleByteTable table;
    QStringEncoder encoder("GBK");
    if (!encoder.isValid()) {
        // Without a GBK codec, assume every BMP character beyond ASCII is a Chinese one.
        for (char32_t c = 0x80; c < 0x10000; ++c)
            table[c] = !QChar::isSurrogate(c);
        return table;
    }
    QString all;
    all.reserve(2 * 0x10000);
    for (char32_t c = 0x80; c < 0x10000; ++c) {
        if (!QChar::isSurrogate(c))
            all.append(QChar(char16_t(c))).append(QLatin1Char('\n'));
    }
    const QByteArray bytes = encoder.encode(all);
    char32_t c = 0x80;
    qsizetype start = 0;
    for (qsizetype i = 0; i < bytes.size(); ++i) {
        if (bytes[i] != '\n')
            continue;
        table[c] = (i - start == 2);
        start = i + 1;
        c = (c + 1 == 0xD800) ? 0xE000 : c + 1;
    }
    return table;
}

const DoubleByteTable &doubleByteTable()
{
    static const DoubleByteTable table = buildTable();
    return table;
}

} // namespace

bool isDoubleByte(char32_t codePoint)
{
    return codePoint >= 0x80 && codePoint < 0x10000 && doubleByteTable()[codePoint];
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
