#pragma once

#include <QString>
#include <QStringView>
#include <optional>

// Which texts may be shown as they are: in the menus, in a terminal, in one
// line of a list. A plain rule, shared by the address rule and the import.
namespace printabletext {

// The first character that has no place in a shown text, if any: a control character (Unicode Cc:
// NUL, ESC, a line break, TAB) or a format character (Cf: the bidirectional overrides and isolates,
// U+200B, U+FEFF, the soft hyphen, ...), or half of a surrogate pair. The zero-width non-joiner and
// joiner (U+200C, U+200D) are allowed: Persian and Indic names and emoji sequences need them.
std::optional<char32_t> firstUnprintable(QStringView text);

// The number of characters (code points, not UTF-16 units).
qsizetype length(QStringView text);

// "U+202E": how a message names a character.
QString codePoint(char32_t character);

// The text with every unprintable character written as its code point in
// angle brackets, cut to `most` characters with "…": safe to echo to a
// terminal whatever it holds.
QString visible(QStringView text, qsizetype most);

} // namespace printabletext
