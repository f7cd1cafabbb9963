#pragma once

#include <QString>
#include <QStringView>

// Text is held as Unicode, but a few rules count bytes or double-byte characters the way the
// text's GBK (code page 936) form would. These functions answer such questions without
// converting whole strings.
//
// A code point that GBK cannot hold (an emoji, a lone surrogate, most scripts outside Chinese)
// stands in the GBK form as a single "?": it counts as one byte and is never double-byte.
namespace gbk {

// Whether the code point takes two bytes in GBK.
bool isDoubleByte(char32_t codePoint);

// Length of the code point that starts at index i of text, in UTF-16 units: 2 for a complete
// surrogate pair, otherwise 1. Stepping by it never stops inside a pair.
qsizetype unitsAt(QStringView text, qsizetype i);

// Code point starting at index i (a lone surrogate is returned as itself).
char32_t codePointAt(QStringView text, qsizetype i);

// Whether any character of text is double-byte in GBK.
bool containsDoubleByte(QStringView text);

// Number of bytes of the GBK form of text.
qsizetype byteLength(QStringView text);

} // namespace gbk
