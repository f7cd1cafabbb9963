// libFuzzer target for the address check that stands between a catalogue row
// and the desktop. The first byte chooses how the rest is read: bit 0 set, as
// UTF-16 (so lone surrogates occur), else as UTF-8. Whatever the text, an
// address that passes is an http or https URL with a host, and nothing else
// ever reaches the desktop.
#include "core/webaddress.h"

#include <cstdint>
#include <cstdlib>

namespace {

void check(bool ok)
{
    if (!ok)
        std::abort();
}

QString textFrom(const uint8_t *data, size_t size)
{
    const bool utf16 = size > 0 && (data[0] & 1);
    const char *text = reinterpret_cast<const char *>(data + (size > 0));
    const qsizetype length = qsizetype(size > 0 ? size - 1 : 0);
    return utf16 ? QString(reinterpret_cast<const QChar *>(text), length / 2)
                 : QString::fromUtf8(text, length);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const QString address = textFrom(data, size);
    const QUrl url = browser::webAddress(address);
    if (!url.isValid())
        return 0;
    const QString scheme = url.scheme();
    check(scheme == u"http" || scheme == u"https");
    check(!url.host().isEmpty());
    const QString shown = url.toString(QUrl::FullyEncoded); // as the desktop is given it
    check(shown.startsWith(scheme + QStringLiteral("://")));
    for (const QChar c : shown)
        check(c.unicode() > 0x20 && c.unicode() < 0x7f);
    // What was accepted is accepted again as the same address.
    check(browser::webAddress(shown).toString(QUrl::FullyEncoded) == shown);
    return 0;
}
