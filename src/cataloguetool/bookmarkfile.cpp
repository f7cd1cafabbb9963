#include "cataloguetool/bookmarkfile.h"

#include <algorithm>
#include <cstring>
#include <type_traits>
#include <vector>

namespace bookmarkfile {

namespace {

bool isAsciiLetter(QChar c)
{
    return (c >= u'a' && c <= u'z') || (c >= u'A' && c <= u'Z');
}

bool isBlank(QChar c)
{
    return c == u' ' || c == u'\t' || c == u'\n' || c == u'\r' || c == u'\f';
}

// One tag as the scanner met it: its lower-case name, whether it closes, its
// HREF (the only attribute the reader needs) and where it ends.
struct Tag
{
    QString name;
    bool closing = false;
    QString href;
    qsizetype end = -1; // one past the '>'; -1 when the text ends inside the tag
};

// Skips a quoted or bare attribute value starting at `pos`; returns where it
// ends, or -1 when the text ends first.
qsizetype valueEnd(QStringView text, qsizetype pos, QStringView *value)
{
    const QChar quote = text.at(pos);
    if (quote == u'"' || quote == u'\'') {
        const qsizetype close = text.indexOf(quote, pos + 1);
        if (close < 0)
            return -1;
        *value = text.mid(pos + 1, close - pos - 1);
        return close + 1;
    }
    qsizetype end = pos;
    while (end < text.size() && !isBlank(text.at(end)) && text.at(end) != u'>')
        ++end;
    *value = text.mid(pos, end - pos);
    return end;
}

// Reads the tag that starts with "<" at `start` (followed by a letter or "/").
Tag readTag(QStringView text, qsizetype start)
{
    Tag tag;
    qsizetype pos = start + 1;
    if (pos < text.size() && text.at(pos) == u'/') {
        tag.closing = true;
        ++pos;
    }
    const qsizetype nameStart = pos;
    while (pos < text.size() && (isAsciiLetter(text.at(pos)) || text.at(pos).isDigit()))
        ++pos;
    tag.name = text.mid(nameStart, pos - nameStart).toString().toLower();
    while (pos < text.size()) {
        const QChar c = text.at(pos);
        if (c == u'>') {
            tag.end = pos + 1;
            return tag;
        }
        if (isBlank(c) || c == u'/') {
            ++pos;
            continue;
        }
        const qsizetype attrStart = pos;
        while (pos < text.size() && !isBlank(text.at(pos)) && text.at(pos) != u'=' &&
               text.at(pos) != u'>')
            ++pos;
        const QStringView attribute = text.mid(attrStart, pos - attrStart);
        while (pos < text.size() && isBlank(text.at(pos)))
            ++pos;
        if (pos >= text.size() || text.at(pos) != u'=')
            continue;
        ++pos;
        while (pos < text.size() && isBlank(text.at(pos)))
            ++pos;
        if (pos >= text.size())
            break;
        QStringView value;
        pos = valueEnd(text, pos, &value);
        if (pos < 0)
            break;
        if (attribute.compare(u"href", Qt::CaseInsensitive) == 0)
            tag.href = unescaped(value);
    }
    return tag; // the text ended inside the tag
}

// The reader's state while it walks the tags of a file once.
class Reader
{
public:
    void text(QStringView part)
    {
        if (m_mode != Mode::Outside)
            m_text += part;
    }

    void tag(const Tag &tag, QStringView raw)
    {
        const QString &name = tag.name;
        if (name == u"a" && tag.closing) {
            finishItem();
        } else if (name == u"h3" && tag.closing) {
            finishItem();
        } else if (name == u"a") {
            finishItem();
            m_mode = Mode::InBookmark;
            m_href = tag.href;
        } else if (name == u"h3") {
            finishItem();
            m_mode = Mode::InFolderName;
        } else if (name == u"dl") {
            finishItem();
            openList(tag.closing);
        } else if (name == u"dt" || name == u"dd" || name == u"h1" || name == u"title") {
            finishItem();
        } else {
            // Any other tag inside a name is part of it, as a bookmark tool
            // that does not escape names writes it.
            text(raw);
        }
    }

    void sawDoctype() { m_sawDoctype = true; }

    ReadResult result()
    {
        // A bookmark whose end tag never came (a truncated file) is dropped:
        // its name may be cut short.
        ReadResult result;
        result.isBookmarkFile = m_sawDoctype || (m_sawList && (m_sawFolder || !m_marks.isEmpty()));
        result.bookmarks = std::move(m_marks);
        return result;
    }

private:
    enum class Mode
    {
        Outside,
        InFolderName,
        InBookmark
    };

    struct Level
    {
        QString folder;
        Half half = Half::None;
    };

    void finishItem()
    {
        if (m_mode == Mode::InBookmark) {
            Bookmark mark;
            mark.name = unescaped(m_text);
            mark.address = m_href.trimmed();
            if (!m_levels.empty()) {
                mark.folder = m_levels.back().folder;
                mark.half = m_levels.back().half;
            }
            m_marks.append(std::move(mark));
        } else if (m_mode == Mode::InFolderName) {
            m_pendingFolder = unescaped(m_text).trimmed();
            m_hasPendingFolder = true;
            m_sawFolder = true;
        }
        m_mode = Mode::Outside;
        m_text.clear();
        m_href.clear();
    }

    void openList(bool closing)
    {
        m_sawList = true;
        if (closing) {
            if (!m_levels.empty())
                m_levels.pop_back();
            m_hasPendingFolder = false;
            return;
        }
        Level level = m_levels.empty() ? Level{} : m_levels.back();
        if (m_hasPendingFolder) {
            const Half named = half::ofFolder(m_pendingFolder);
            if (level.half == Half::None)
                level.half = named;
            level.folder = named == Half::None ? m_pendingFolder : QString();
        }
        m_hasPendingFolder = false;
        m_levels.push_back(std::move(level));
    }

    Mode m_mode = Mode::Outside;
    QString m_text;
    QString m_href;
    QString m_pendingFolder;
    bool m_hasPendingFolder = false;
    bool m_sawDoctype = false;
    bool m_sawList = false;
    bool m_sawFolder = false;
    std::vector<Level> m_levels;
    QList<Bookmark> m_marks;
};

// The character that a reference such as "amp", "#38" or "#x26" stands
// for, or a null QChar list when it is none we know.
QString referenced(QStringView name)
{
    if (name.startsWith(u'#')) {
        bool ok = false;
        const bool hex = name.size() > 1 && (name.at(1) == u'x' || name.at(1) == u'X');
        const uint code = hex ? name.mid(2).toUInt(&ok, 16) : name.mid(1).toUInt(&ok, 10);
        if (!ok)
            return {};
        // Nothing that is no character: NUL, surrogates, beyond Unicode.
        if (code == 0 || (code >= 0xD800 && code <= 0xDFFF) || code > 0x10FFFF)
            return QString(QChar::ReplacementCharacter);
        const char32_t character = code;
        return QString::fromUcs4(&character, 1);
    }
    static const struct
    {
        const char16_t *name;
        char16_t character;
    } named[] = {{u"amp", u'&'},  {u"lt", u'<'},    {u"gt", u'>'},
                 {u"quot", u'"'}, {u"apos", u'\''}, {u"nbsp", u'\u00A0'}};
    for (const auto &entry : named)
        if (name == QStringView(entry.name))
            return QString(QChar(entry.character));
    return {};
}

} // namespace

ReadResult read(QStringView text)
{
    Reader reader;
    qsizetype pos = 0;
    while (pos < text.size()) {
        const qsizetype open = text.indexOf(u'<', pos);
        if (open < 0) {
            reader.text(text.mid(pos));
            break;
        }
        reader.text(text.mid(pos, open - pos));
        const QStringView rest = text.mid(open);
        if (rest.startsWith(u"<!--")) {
            const qsizetype close = text.indexOf(u"-->", open + 4);
            if (close < 0)
                break;
            pos = close + 3;
            continue;
        }
        if (rest.startsWith(u"<!")) {
            const qsizetype close = text.indexOf(u'>', open);
            if (close < 0)
                break;
            if (text.mid(open, close - open)
                    .contains(u"NETSCAPE-Bookmark-file", Qt::CaseInsensitive))
                reader.sawDoctype();
            pos = close + 1;
            continue;
        }
        const bool isTag = rest.size() > 1 && (isAsciiLetter(rest.at(1)) || rest.at(1) == u'/');
        if (!isTag) {
            reader.text(text.mid(open, 1));
            pos = open + 1;
            continue;
        }
        const Tag tag = readTag(text, open);
        if (tag.end < 0)
            break; // the file ends inside a tag
        reader.tag(tag, text.mid(open, tag.end - open));
        pos = tag.end;
    }
    return reader.result();
}

namespace {

// The entity for one of the characters that must be escaped, or null.
const char *entityFor(char16_t c)
{
    switch (c) {
    case u'&':
        return "&amp;";
    case u'<':
        return "&lt;";
    case u'>':
        return "&gt;";
    case u'"':
        return "&quot;";
    default:
        return nullptr;
    }
}

void appendView(QString &out, QStringView text)
{
    out.append(text);
}

// QByteArray::append goes through insert(), which weighs aliasing and
// position at every call, and an exported line takes seven appends: the
// bytes are copied in place instead, the buffer growing by doubling.
void appendView(QByteArray &out, QByteArrayView text)
{
    const qsizetype at = out.size();
    if (out.capacity() < at + text.size())
        out.reserve(std::max(2 * out.capacity(), at + text.size() + 64));
    out.resize(at + text.size());
    std::memcpy(out.data() + at, text.data(), size_t(text.size()));
}

// The same rule over UTF-16 and over UTF-8: the four characters are ASCII,
// so no byte of another character is one of them.
template <typename Out, typename View> void appendEscapedTo(Out &out, View text)
{
    qsizetype plain = 0;
    for (qsizetype i = 0; i < text.size(); ++i) {
        char16_t c = 0;
        if constexpr (std::is_same_v<View, QStringView>)
            c = text[i].unicode();
        else
            c = static_cast<unsigned char>(text[i]);
        const char *entity = entityFor(c);
        if (!entity)
            continue;
        appendView(out, text.sliced(plain, i - plain));
        if constexpr (std::is_same_v<View, QStringView>)
            out.append(QLatin1StringView(entity));
        else
            appendView(out, entity);
        plain = i + 1;
    }
    appendView(out, text.sliced(plain));
}

} // namespace

QString escaped(QStringView text)
{
    QString out;
    out.reserve(text.size() + 16);
    appendEscapedTo(out, text);
    return out;
}

QString unescaped(QStringView text)
{
    qsizetype amp = text.indexOf(u'&');
    if (amp < 0)
        return text.toString();
    QString out;
    out.reserve(text.size());
    qsizetype pos = 0;
    while (amp >= 0) {
        out += text.mid(pos, amp - pos);
        // A reference is short; a lone "&" in a long text is only an "&".
        const qsizetype semicolon = text.mid(amp, 12).indexOf(u';');
        const QString character =
            semicolon > 1 ? referenced(text.mid(amp + 1, semicolon - 1)) : QString();
        if (character.isEmpty()) {
            out += u'&';
            pos = amp + 1;
        } else {
            out += character;
            pos = amp + semicolon + 1;
        }
        amp = text.indexOf(u'&', pos);
    }
    out += text.mid(pos);
    return out;
}

QByteArray header()
{
    return QByteArrayLiteral("<!DOCTYPE NETSCAPE-Bookmark-file-1>\n"
                             "<!-- This is an automatically generated file.\n"
                             "     It will be read and overwritten.\n"
                             "     DO NOT EDIT! -->\n"
                             "<META HTTP-EQUIV=\"Content-Type\" CONTENT=\"text/html; "
                             "charset=UTF-8\">\n"
                             "<TITLE>Bookmarks</TITLE>\n"
                             "<H1>Bookmarks</H1>\n"
                             "<DL><p>\n");
}

QByteArray footer()
{
    return QByteArrayLiteral("</DL><p>\n");
}

void appendHalfStart(QByteArray &out, Half half)
{
    out += "    <DT><H3>" + half::folder(half).toUtf8() + "</H3>\n    <DL><p>\n";
}

void appendHalfEnd(QByteArray &out)
{
    out += "    </DL><p>\n";
}

void appendFolderStart(QByteArray &out, QByteArrayView name)
{
    out += "        <DT><H3>";
    appendEscapedTo(out, name);
    out += "</H3>\n        <DL><p>\n";
}

void appendFolderEnd(QByteArray &out)
{
    out += "        </DL><p>\n";
}

void appendBookmark(QByteArray &out, QByteArrayView name, QByteArrayView address)
{
    appendView(out, "            <DT><A HREF=\"");
    appendEscapedTo(out, address);
    appendView(out, "\">");
    appendEscapedTo(out, name);
    appendView(out, "</A>\n");
}

QString write(const QList<Entry> &entries)
{
    QByteArray out = header();
    const Entry *previous = nullptr;
    for (const Entry &entry : entries) {
        const bool newHalf = !previous || entry.half != previous->half;
        if (newHalf || entry.folder != previous->folder) {
            if (previous)
                appendFolderEnd(out);
            if (previous && newHalf)
                appendHalfEnd(out);
            if (newHalf)
                appendHalfStart(out, entry.half);
            appendFolderStart(out, entry.folder.toUtf8());
        }
        appendBookmark(out, entry.name.toUtf8(), entry.address.toUtf8());
        previous = &entry;
    }
    if (previous) {
        appendFolderEnd(out);
        appendHalfEnd(out);
    }
    return QString::fromUtf8(out + footer());
}

} // namespace bookmarkfile
