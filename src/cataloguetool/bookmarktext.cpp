#include "cataloguetool/bookmarktext.h"

#include <QStringConverter>
#include <QStringDecoder>

namespace bookmarktext {

namespace {

// Where a browser looks for a declaration: a byte-order mark, or a META tag
// naming a charset in the first kilobyte.
bool declaresCharset(QByteArrayView bytes)
{
    if (QStringConverter::encodingForData(bytes))
        return true;
    const QByteArray head =
        bytes.first(qMin(bytes.size(), qsizetype(1024))).toByteArray().toLower();
    const qsizetype meta = head.indexOf("<meta");
    return meta >= 0 && head.indexOf("charset", meta) >= 0;
}

// By reference: a decoder moved after its first use counts its errors where
// it was made.
Decoded decodeAs(QStringDecoder &decoder, QByteArrayView bytes, bool declared)
{
    Decoded decoded;
    decoded.text = decoder.decode(bytes);
    decoded.encoding = QString::fromLatin1(decoder.name());
    decoded.whole = !decoder.hasError();
    decoded.declared = declared;
    return decoded;
}

} // namespace

Decoded decode(QByteArrayView bytes)
{
    if (declaresCharset(bytes)) {
        QStringDecoder declared = QStringDecoder::decoderForHtml(bytes);
        // A character set we cannot read counts as none named.
        if (declared.isValid())
            return decodeAs(declared, bytes, true);
    }
    QStringDecoder unicode(QStringDecoder::Utf8);
    Decoded utf8 = decodeAs(unicode, bytes, false);
    if (utf8.whole)
        return utf8;
    QStringDecoder chinese("GB18030");
    if (!chinese.isValid())
        return utf8;
    Decoded gb18030 = decodeAs(chinese, bytes, false);
    return gb18030.whole ? gb18030 : utf8;
}

} // namespace bookmarktext
