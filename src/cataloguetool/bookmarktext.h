#pragma once

#include <QByteArrayView>
#include <QString>

// The bytes of a bookmark file as text, by the character set it declares
// (a byte-order mark or a META tag's charset), else as UTF-8, else as
// GB18030: an older Chinese file often names no character set at all.
namespace bookmarktext {

struct Decoded
{
    QString text; // every byte that fails to decode as U+FFFD
    // The character set the file was read as: "UTF-8", "GB18030", "GBK", ...
    QString encoding;
    // Whether every byte decoded; a file that fails is not to be imported,
    // since its names would be stored with U+FFFD in them.
    bool whole = false;
    // Whether the file names its character set.
    bool declared = false;
};

Decoded decode(QByteArrayView bytes);

} // namespace bookmarktext
