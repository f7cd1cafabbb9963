// libFuzzer target for the accelerator pass. The first byte chooses how the rest is read:
// bit 0 set, as UTF-16 (so lone surrogates occur), else as UTF-8. Captions are separated by
// newlines; a caption starting with a tab is invisible. Every level runs in both locales.
#include "menus/accelerators.h"

#include <QSet>
#include <cstdint>
#include <cstdlib>

namespace {

const QString kPool = QStringLiteral("1234567890ABCDEFGHIJKLMNOPQRSTUVWXYZ");

QList<menus::MenuEntry> levelFrom(const uint8_t *data, size_t size)
{
    const bool utf16 = size > 0 && (data[0] & 1);
    const char *text = reinterpret_cast<const char *>(data + (size > 0));
    const qsizetype length = qsizetype(size > 0 ? size - 1 : 0);
    const QString all = utf16 ? QString(reinterpret_cast<const QChar *>(text), length / 2)
                              : QString::fromUtf8(text, length);
    QList<menus::MenuEntry> level;
    for (const QString &caption : all.split(u'\n')) {
        const bool hidden = caption.startsWith(u'\t');
        level.append({hidden ? caption.mid(1) : caption, !hidden});
    }
    return level;
}

// The pool character a caption is marked with, upper-cased; null when it has none.
QChar poolMark(const QString &caption)
{
    QChar mark;
    for (qsizetype i = 0; i + 1 < caption.size(); ++i) {
        if (caption[i] == u'&' && caption[++i] != u'&')
            mark = caption[i].unicode() < 0x80 ? caption[i].toUpper() : QChar(u'?');
    }
    return kPool.contains(mark) ? mark : QChar();
}

void check(bool ok)
{
    if (!ok)
        std::abort();
}

void checkLevel(QList<menus::MenuEntry> level, bool farEast)
{
    const QStringList out = menus::assignAccelerators(level, farEast);
    check(out.size() == level.size());
    QSet<QChar> marks;
    for (qsizetype i = 0; i < level.size(); ++i) {
        const bool takesPart = level[i].visible && !level[i].caption.isEmpty() &&
                               level[i].caption != QStringLiteral("-");
        check(takesPart || out[i] == level[i].caption);
        const QChar mark = poolMark(out[i]);
        if (takesPart && !mark.isNull()) {
            check(!marks.contains(mark));
            marks.insert(mark);
        }
        level[i].caption = out[i];
    }
    check(menus::assignAccelerators(level, farEast) == out);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const QList<menus::MenuEntry> level = levelFrom(data, size);
    checkLevel(level, true);
    checkLevel(level, false);
    return 0;
}
