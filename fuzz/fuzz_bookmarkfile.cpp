// libFuzzer target for the bookmark file reader that an import runs on any
// file it is given. Whatever the bytes, reading ends without a crash, and a
// file written from what was read is read back to the same bookmarks.
#include "cataloguetool/bookmarkfile.h"

#include <cstdint>
#include <cstdlib>

namespace {

void check(bool ok)
{
    if (!ok)
        std::abort();
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const QString text = QString::fromUtf8(reinterpret_cast<const char *>(data), qsizetype(size));
    const bookmarkfile::ReadResult result = bookmarkfile::read(text);
    QList<bookmarkfile::Entry> entries;
    for (const bookmarkfile::Bookmark &mark : result.bookmarks)
        entries.append({half::Half::Domestic, mark.folder, mark.name, mark.address});
    const bookmarkfile::ReadResult again = bookmarkfile::read(bookmarkfile::write(entries));
    check(again.isBookmarkFile);
    check(again.bookmarks.size() == entries.size());
    for (qsizetype i = 0; i < entries.size(); ++i) {
        check(again.bookmarks.at(i).name == entries.at(i).name);
        check(again.bookmarks.at(i).address == entries.at(i).address.trimmed());
    }
    return 0;
}
