#include "menus/accelerators.h"
#include "menus/gbktext.h"

#include <QSet>
#include <QStringEncoder>
#include <QTest>
#include <random>

using menus::assignAccelerators;
using menus::MenuEntry;

namespace {

const QString kPool = QStringLiteral("1234567890ABCDEFGHIJKLMNOPQRSTUVWXYZ");

QList<MenuEntry> entries(const QStringList &captions)
{
    QList<MenuEntry> level;
    for (const QString &caption : captions)
        level.append({caption, true});
    return level;
}

bool takesPart(const MenuEntry &e)
{
    return e.visible && !e.caption.isEmpty() && e.caption != QStringLiteral("-");
}

QChar upperAscii(QChar c)
{
    return c.unicode() < 0x80 ? c.toUpper() : c;
}

// The accelerator pass written out step by step, every pass run in full, for comparison.
namespace reference {

QString markOf(const QString &s)
{
    QString mark;
    for (int i = 0; i < s.size(); ++i) {
        if (s[i] == u'&' && i + 1 < s.size()) {
            ++i;
            if (s[i] != u'&')
                mark = s[i].isHighSurrogate() && i + 1 < s.size() ? s.mid(i, 2) : s.mid(i, 1);
        }
        if (s[i].isHighSurrogate())
            ++i;
    }
    return mark;
}

QString stripped(const QString &s, bool farEast)
{
    QList<bool> drop(s.size(), false);
    for (int i = 0; i < s.size(); ++i) {
        if (s[i] != u'&')
            continue;
        const bool group = farEast && i > 0 && i + 2 < s.size() && s[i - 1] == u'(' &&
                           s[i + 2] == u')' && !s[i + 1].isSurrogate() &&
                           !gbk::isDoubleByte(s[i + 1].unicode());
        for (int k = group ? i - 1 : i; k <= (group ? i + 2 : i); ++k)
            drop[k] = true;
    }
    QString out;
    for (int i = 0; i < s.size(); ++i)
        if (!drop[i])
            out += s[i];
    return out;
}

QString farEastForm(const QString &s, QChar x)
{
    const QString group = QStringLiteral("(&") + x + QStringLiteral(")");
    if (s.endsWith(QStringLiteral("...")))
        return s.chopped(3) + group + QStringLiteral("...");
    return s + group;
}

QStringList assign(const QList<MenuEntry> &level, bool farEast)
{
    QStringList caps;
    for (const MenuEntry &e : level)
        caps << e.caption;
    QString pool = kPool;
    QList<int> queue; // front is index 0
    for (int e = 0; e < level.size(); ++e) {
        if (!takesPart(level[e]))
            continue;
        const QString mark = markOf(caps[e]);
        const QChar k = mark.size() == 1 ? upperAscii(mark[0]) : QChar();
        if (mark.isEmpty()) {
            queue.prepend(e);
        } else if (kPool.contains(k) && pool.contains(k)) {
            pool.remove(k);
        } else if (kPool.contains(k)) {
            caps[e] = stripped(caps[e], farEast);
            queue.prepend(e);
        }
    }
    const QString firstPool = pool;
    QList<QPair<int, QChar>> best;
    int bestCount = -1;
    for (int pass = 0; pass < queue.size(); ++pass) {
        QString p = firstPool;
        QList<QPair<int, QChar>> marked;
        QList<int> markedInQueue, unmarked;
        for (int q = queue.size() - 1; q >= 0; --q) {
            QChar found;
            for (QChar c : caps[queue[q]])
                if (!gbk::isDoubleByte(c.unicode()) && p.contains(upperAscii(c))) {
                    found = c;
                    break;
                }
            if (found.isNull()) {
                unmarked.prepend(queue[q]);
                continue;
            }
            p.remove(upperAscii(found));
            marked.append({queue[q], found});
            markedInQueue.prepend(queue[q]);
        }
        if (marked.size() > bestCount) {
            bestCount = int(marked.size());
            best = marked;
            for (int e : unmarked)
                best.append({e, QChar()});
            pool = p;
        }
        if (unmarked.isEmpty())
            break;
        queue = markedInQueue + unmarked;
    }
    QStringList out = caps;
    for (const auto &[e, c] : best) {
        if (c.isNull())
            continue;
        out[e] = farEast && gbk::containsDoubleByte(caps[e])
                     ? farEastForm(caps[e], upperAscii(c))
                     : caps[e].left(caps[e].indexOf(c)) + u'&' + caps[e].mid(caps[e].indexOf(c));
    }
    for (const auto &[e, c] : best) {
        if (!farEast || pool.isEmpty() || out[e].contains(u'&'))
            continue;
        if (gbk::containsDoubleByte(caps[e]))
            out[e] = farEastForm(caps[e], pool.back());
        pool.chop(1);
    }
    return out;
}

} // namespace reference

// A random level of captions built from a small alphabet, so marks collide often.
QList<MenuEntry> randomLevel(std::mt19937 &rng)
{
    static const QStringList pieces = {
        QStringLiteral("中"), QStringLiteral("报"),  QStringLiteral("日"), QStringLiteral("a"),
        QStringLiteral("B"),  QStringLiteral("c"),   QStringLiteral("X"),  QStringLiteral("q"),
        QStringLiteral("1"),  QStringLiteral("0"),   QStringLiteral("&"),  QStringLiteral("&"),
        QStringLiteral("("),  QStringLiteral(")"),   QStringLiteral("."),  QStringLiteral(" "),
        QStringLiteral("(&"), QStringLiteral("..."), QStringLiteral("😀"),  QStringLiteral("€")};
    QList<MenuEntry> level(int(rng() % 81));
    const int letters = int(rng() % pieces.size()) + 1; // sometimes only a few kinds of piece
    for (MenuEntry &e : level) {
        for (int n = int(rng() % 7); n > 0; --n)
            e.caption += rng() % 8 ? pieces[int(rng() % letters)] : QString(kPool[rng() % 36]);
        if (rng() % 20 == 0)
            e.caption = QStringLiteral("-");
        e.visible = rng() % 15 != 0;
    }
    return level;
}

QList<MenuEntry> withCaptions(QList<MenuEntry> level, const QStringList &captions)
{
    for (int i = 0; i < level.size(); ++i)
        level[i].caption = captions[i];
    return level;
}

// Whether out is base with one mark added, in either form, or base itself.
bool isBaseWithMark(const QString &base, const QString &out)
{
    if (out == base)
        return true;
    if (out.size() == base.size() + 4) {
        const QChar x = out[out.endsWith(QStringLiteral("...")) ? out.size() - 5 : out.size() - 2];
        return kPool.contains(x) && reference::farEastForm(base, x) == out;
    }
    if (out.size() != base.size() + 1)
        return false;
    int p = 0;
    while (p < base.size() && base[p] == out[p])
        ++p;
    return out[p] == u'&' && out.mid(p + 1) == base.mid(p) && p < base.size() &&
           kPool.contains(upperAscii(base[p]));
}

} // namespace

class TestAccelerators : public QObject
{
    Q_OBJECT

private slots:
    void gbkText_data();
    void gbkText();
    void doubleByteTableMatchesEncoder();
    void fixedLevels_data();
    void fixedLevels();
    void farEastCompletionRunsFromPoolEnd();
    void characterFreedByEmptiedCaptionIsHandedOn();
    void randomLevels();
};

void TestAccelerators::gbkText_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("bytes");
    QTest::addColumn<bool>("doubleByte");
    QTest::newRow("paper with mark") << QStringLiteral("人民日报(&Z)") << 12 << true;
    QTest::newRow("ascii") << QStringLiteral("BBC News") << 8 << false;
    QTest::newRow("euro is one byte") << QStringLiteral("€") << 1 << false;
    QTest::newRow("full-width letter") << QStringLiteral("Ａ") << 2 << true;
    QTest::newRow("emoji stands as one ?") << QStringLiteral("a😀") << 2 << false;
    QTest::newRow("lone surrogate") << QString(QChar(0xD800)) << 1 << false;
    QTest::newRow("empty") << QString() << 0 << false;
}

void TestAccelerators::gbkText()
{
    QFETCH(QString, text);
    QFETCH(int, bytes);
    QFETCH(bool, doubleByte);
    QCOMPARE(gbk::byteLength(text), bytes);
    QCOMPARE(gbk::containsDoubleByte(text), doubleByte);
}

void TestAccelerators::doubleByteTableMatchesEncoder()
{
    // Character by character, unlike the build-time generator's bulk conversion.
    QStringEncoder encoder("GBK");
    QVERIFY(encoder.isValid());
    for (char32_t c = 0; c < 0x10000; ++c) {
        const bool twoBytes =
            !QChar::isSurrogate(c) && QByteArray(encoder(QString(QChar(char16_t(c))))).size() == 2;
        if (gbk::isDoubleByte(c) != twoBytes)
            QFAIL(qPrintable(u"U+%1"_qs.arg(quint32(c), 4, 16, QLatin1Char('0'))));
    }
    QVERIFY(!gbk::isDoubleByte(0x10000) && !gbk::isDoubleByte(0x4E00 + 0x10000));
}

void TestAccelerators::fixedLevels_data()
{
    QTest::addColumn<QStringList>("captions");
    QTest::addColumn<bool>("farEast");
    QTest::addColumn<QStringList>("expected");
    // The captions as written here, in UTF-8.
    const auto texts = [](std::initializer_list<const char *> utf8) {
        QStringList list;
        for (const char *text : utf8)
            list.append(QString::fromUtf8(text));
        return list;
    };
    auto row = [&texts](const char *name, std::initializer_list<const char *> in, bool farEast,
                        std::initializer_list<const char *> out) {
        QTest::newRow(name) << texts(in) << farEast << texts(out);
    };
    row("menu bar", {"国内报纸", "国外报纸", "工具", "帮助"}, true,
        {"国内报纸(&W)", "国外报纸(&X)", "工具(&Y)", "帮助(&Z)"});
    row("tools", {"设置...", "去除任务栏图标", "报纸统计..."}, true,
        {"设置(&X)...", "去除任务栏图标(&Y)", "报纸统计(&Z)..."});
    row("help", {"关于..."}, true, {"关于(&Z)..."});
    row("pop-up", {"关于...", "退出"}, true, {"关于(&Y)...", "退出(&Z)"});
    row("digits lead a Chinese name", {"21世纪经济报道", "人民日报"}, true,
        {"21世纪经济报道(&2)", "人民日报(&Z)"});
    row("Latin name in far-east", {"China Daily", "人民日报"}, true,
        {"&China Daily", "人民日报(&Z)"});
    row("plain locale", {"China Daily", "Chicago Tribune", "人民日报", "Times"}, false,
        {"&China Daily", "C&hicago Tribune", "人民日报", "&Times"});
    row("first of equally good passes kept", {"abc", "ad", "dd", "dba"}, false,
        {"&abc", "a&d", "dd", "d&ba"});
    row("existing marks kept", {"&Open", "E&xit", "Save"}, false, {"&Open", "E&xit", "&Save"});
    row("&& is no mark", {"A&&B", "&Apple"}, false, {"A&&&B", "&Apple"});
    row("last mark counts", {"&a&b", "&Bee"}, false, {"&a&b", "B&ee"});
    row("conflict removes every &", {"&Bee", "&Bob&&"}, false, {"&Bee", "B&ob"});
    row("conflict removes group", {"报(&B)", "日(&B)c报"}, true, {"报(&B)", "日c报(&C)"});
    row("group kept as parenthesis outside far-east", {"&Bee", "x(&B)"}, false, {"&Bee", "&x(B)"});
    row("mark outside the pool", {"&-dash", "&报纸", "A"}, true, {"&-dash", "&报纸", "&A"});
    row("no part taken", {"", "-", "a"}, false, {"", "-", "&a"});
    row("emoji caption", {"😀", "a😀", "&😀", "中😀"}, true, {"😀", "&a😀", "&😀", "中😀(&Z)"});
}

void TestAccelerators::fixedLevels()
{
    QFETCH(QStringList, captions);
    QFETCH(bool, farEast);
    QFETCH(QStringList, expected);
    QCOMPARE(assignAccelerators(entries(captions), farEast), expected);
}

void TestAccelerators::farEastCompletionRunsFromPoolEnd()
{
    QStringList captions;
    for (int i = 0; i < 40; ++i)
        captions << QStringLiteral("报纸");
    QList<MenuEntry> level = entries(captions);
    level.insert(20, {QStringLiteral("隐藏"), false});
    const QStringList out = assignAccelerators(level, true);
    QCOMPARE(out[20], QStringLiteral("隐藏"));
    QStringList visible = out;
    visible.removeAt(20);
    for (int fromBottom = 0; fromBottom < 40; ++fromBottom) {
        const QString want = fromBottom < 36 ? QStringLiteral("报纸(&") + kPool[35 - fromBottom] +
                                                   QStringLiteral(")")
                                             : QStringLiteral("报纸");
        QCOMPARE(visible[39 - fromBottom], want);
    }
}

void TestAccelerators::characterFreedByEmptiedCaptionIsHandedOn()
{
    // "(&A)" loses its group to the holder of A and is left empty, yet at first it uses up Z.
    QStringList captions{QStringLiteral("&A")};
    for (int i = 0; i < 35; ++i)
        captions << QStringLiteral("报");
    captions << QStringLiteral("(&A)");
    const QStringList out = assignAccelerators(entries(captions), true);
    QCOMPARE(out[36], QString());
    QCOMPARE(out[35], QStringLiteral("报(&Y)"));
    QCOMPARE(out[2], QStringLiteral("报(&1)"));
    QCOMPARE(out[1], QStringLiteral("报(&Z)"));
}

void TestAccelerators::randomLevels()
{
    std::mt19937 rng(20240604);
    for (int round = 0; round < 4000; ++round) {
        const bool farEast = round % 2 == 0;
        const QList<MenuEntry> level = randomLevel(rng);
        const QStringList out = assignAccelerators(level, farEast);
        QCOMPARE(out, reference::assign(withCaptions(level, reference::assign(level, farEast)),
                                        farEast));
        QCOMPARE(assignAccelerators(withCaptions(level, out), farEast), out);
        QSet<QChar> marks;
        for (int i = 0; i < level.size(); ++i) {
            if (!takesPart(level[i])) {
                QCOMPARE(out[i], level[i].caption);
                continue;
            }
            const QString in = level[i].caption;
            QVERIFY2(isBaseWithMark(in, out[i]) ||
                         isBaseWithMark(reference::stripped(in, farEast), out[i]),
                     qPrintable(in + QStringLiteral(" -> ") + out[i]));
            const QString mark = reference::markOf(out[i]);
            if (mark.size() != 1 || !kPool.contains(upperAscii(mark[0])))
                continue;
            QVERIFY2(!marks.contains(upperAscii(mark[0])), qPrintable(out.join(u'|')));
            marks.insert(upperAscii(mark[0]));
        }
    }
}

QTEST_APPLESS_MAIN(TestAccelerators)
#include "tst_accelerators.moc"
