#include "menus/accelerators.h"

#include "menus/gbktext.h"

#include <QtAlgorithms>
#include <algorithm>
#include <array>
#include <optional>
#include <vector>

namespace menus {
namespace {

// The characters that can mark an item, in the order the far-east completion takes them from
// the end. A set of them is a bit mask, bit i standing for kPool[i].
constexpr char kPool[] = "1234567890ABCDEFGHIJKLMNOPQRSTUVWXYZ";
constexpr int kPoolSize = 36;
using PoolSet = quint64;
constexpr PoolSet kFullPool = (PoolSet(1) << kPoolSize) - 1;

PoolSet bit(int index)
{
    return PoolSet(1) << index;
}

int lastInPool(PoolSet pool)
{
    return 63 - int(qCountLeadingZeroBits(pool));
}

// Index in the pool of a character compared by its upper case; -1 when it is no pool character.
// Only ASCII letters and digits count, as no other character is single-byte in GBK.
int poolIndex(char32_t c)
{
    if (c >= 'a' && c <= 'z')
        c -= 'a' - 'A';
    if (c >= 'A' && c <= 'Z')
        return 10 + int(c - 'A');
    if (c >= '1' && c <= '9')
        return int(c - '1');
    return c == '0' ? 9 : -1;
}

bool takesPart(const MenuEntry &entry)
{
    return entry.visible && !entry.caption.isEmpty() && entry.caption != QLatin1String("-");
}

// The character after the last "&" of the caption; "&&" stands for a plain "&" and marks nothing.
std::optional<char32_t> existingMark(QStringView caption)
{
    std::optional<char32_t> mark;
    qsizetype i = 0;
    while (i < caption.size()) {
        if (caption[i] == u'&' && i + 1 < caption.size()) {
            ++i;
            if (caption[i] != u'&')
                mark = gbk::codePointAt(caption, i);
        }
        i += gbk::unitsAt(caption, i);
    }
    return mark;
}

// Whether the "&" at index i is the one of a group "(&X)" whose X is a single-byte character.
bool inMarkGroup(QStringView caption, qsizetype i)
{
    if (i == 0 || i + 2 >= caption.size())
        return false;
    const QChar x = caption[i + 1];
    return caption[i - 1] == u'(' && caption[i + 2] == u')' && !x.isSurrogate() &&
           !gbk::isDoubleByte(x.unicode());
}

// Removes every mark: a whole "(&X)" group in a far-east locale, any other "&" alone.
QString removeMarks(QStringView caption, bool farEast)
{
    QString out;
    out.reserve(caption.size());
    for (qsizetype i = 0; i < caption.size(); ++i) {
        if (caption[i] != u'&') {
            out.append(caption[i]);
        } else if (farEast && inMarkGroup(caption, i)) {
            out.chop(1); // the "(" just copied
            i += 2;
        }
    }
    return out;
}

QString withFarEastMark(const QString &caption, int index)
{
    const QString group = QLatin1String("(&") + QLatin1Char(kPool[index]) + QLatin1Char(')');
    if (caption.endsWith(QLatin1String("...")))
        return caption.left(caption.size() - 3) + group + QLatin1String("...");
    return caption + group;
}

struct Candidate
{
    int index = 0;          // in the pool
    qsizetype position = 0; // of its first occurrence in the caption
};

// An item waiting for a character, with everything the passes need worked out once.
struct Waiting
{
    int entry = 0;
    QString caption; // as it stands after the first loop
    bool doubleByte = false;
    PoolSet candidateSet = 0;
    std::vector<Candidate> candidates; // left to right, each pool character once
};

struct FirstLoop
{
    PoolSet pool = kFullPool;
    std::vector<Waiting> waiting; // in menu order
};

// Valid existing marks take their characters; conflicting ones are removed and their items
// wait like unmarked ones. A mark outside the pool leaves its item out of the rest.
FirstLoop runFirstLoop(const QList<MenuEntry> &level, bool farEast, QStringList &captions)
{
    FirstLoop loop;
    for (int e = 0; e < level.size(); ++e) {
        if (!takesPart(level[e]))
            continue;
        const std::optional<char32_t> mark = existingMark(level[e].caption);
        const int index = mark ? poolIndex(*mark) : -1;
        if (mark && index < 0)
            continue;
        if (mark && (loop.pool & bit(index))) {
            loop.pool &= ~bit(index);
            continue;
        }
        if (mark)
            captions[e] = removeMarks(captions[e], farEast);
        Waiting item;
        item.entry = e;
        item.caption = captions[e];
        loop.waiting.push_back(std::move(item));
    }
    return loop;
}

void findCandidates(Waiting &item, PoolSet pool)
{
    item.doubleByte = gbk::containsDoubleByte(item.caption);
    for (qsizetype i = 0; i < item.caption.size(); ++i) {
        const int index = poolIndex(item.caption[i].unicode());
        if (index >= 0 && (pool & bit(index)) && !(item.candidateSet & bit(index))) {
            item.candidateSet |= bit(index);
            item.candidates.push_back({index, i});
        }
    }
}

// The size of a maximum matching between waiting items and pool characters. No pass can mark
// more items, as a pass gives each item one character and each character to one item.
class MatchingBound
{
public:
    MatchingBound(const std::vector<Waiting> &items, PoolSet pool) : itemChar_(items.size(), -1)
    {
        for (int w = 0; w < int(items.size()); ++w) {
            for (const Candidate &c : items[w].candidates)
                itemsWith_[c.index].push_back(w);
        }
        for (int c = 0; c < kPoolSize; ++c) {
            visited_.fill(false);
            visited_[c] = true;
            if ((pool & bit(c)) && augment(c))
                ++size_;
        }
    }
    std::size_t size() const { return size_; }

private:
    // Kuhn's augmenting path from character c; a free item is tried before any rematching.
    bool augment(int c)
    {
        for (int item : itemsWith_[c]) {
            if (itemChar_[item] < 0) {
                itemChar_[item] = c;
                return true;
            }
        }
        for (int item : itemsWith_[c]) {
            const int other = itemChar_[item];
            if (visited_[other])
                continue;
            visited_[other] = true;
            if (augment(other)) {
                itemChar_[item] = c;
                return true;
            }
        }
        return false;
    }

    std::array<std::vector<int>, kPoolSize> itemsWith_;
    std::array<bool, kPoolSize> visited_{};
    std::vector<int> itemChar_;
    std::size_t size_ = 0;
};

struct PassResult
{
    std::vector<std::pair<int, Candidate>> marks; // waiting item and its character, in order
    std::vector<int> unmarked;                    // in queue order
    PoolSet pool = 0;
};

const Candidate *firstFree(const Waiting &item, PoolSet pool)
{
    if (!(item.candidateSet & pool))
        return nullptr;
    return &*std::find_if(item.candidates.begin(), item.candidates.end(),
                          [pool](const Candidate &c) { return pool & bit(c.index); });
}

// One pass, from the end of the queue to its front.
PassResult runPass(const std::vector<Waiting> &items, const std::vector<int> &queue, PoolSet pool)
{
    PassResult result;
    for (auto it = queue.rbegin(); it != queue.rend(); ++it) {
        if (const Candidate *c = firstFree(items[*it], pool)) {
            pool &= ~bit(c->index);
            result.marks.push_back({*it, *c});
        } else {
            result.unmarked.push_back(*it);
        }
    }
    std::reverse(result.unmarked.begin(), result.unmarked.end());
    result.pool = pool;
    return result;
}

// The queue for the next pass: the unmarked items move to its end, both parts keeping their order.
std::vector<int> nextQueue(const PassResult &pass)
{
    std::vector<int> queue;
    queue.reserve(pass.marks.size() + pass.unmarked.size());
    for (auto it = pass.marks.rbegin(); it != pass.marks.rend(); ++it)
        queue.push_back(it->first);
    queue.insert(queue.end(), pass.unmarked.begin(), pass.unmarked.end());
    return queue;
}

// Runs the passes, each from the pool left by the first loop, and keeps the first one that marks
// the most items. It stops early, with the same outcome, once no later pass can do better: the
// best one reaches the matching bound, or the queue stops changing so every pass would repeat.
PassResult bestPass(const std::vector<Waiting> &items, PoolSet pool)
{
    std::vector<int> queue(items.size());
    for (std::size_t i = 0; i < items.size(); ++i)
        queue[i] = int(items.size() - 1 - i); // bottom item first
    PassResult best{{}, queue, pool};
    const std::size_t bound = MatchingBound(items, pool).size();
    for (std::size_t pass = 0; pass < items.size() && best.marks.size() < bound; ++pass) {
        PassResult result = runPass(items, queue, pool);
        std::vector<int> next = nextQueue(result);
        if (result.marks.size() > best.marks.size())
            best = std::move(result);
        if (next == queue)
            break;
        queue = std::move(next);
    }
    return best;
}

QString markedCaption(const Waiting &item, const Candidate &c, bool farEast)
{
    if (farEast && item.doubleByte)
        return withFarEastMark(item.caption, c.index);
    QString caption = item.caption;
    caption.insert(c.position, u'&');
    return caption;
}

// Items still without a mark take the pool's characters from its end. Only a caption with a
// double-byte character shows it; any other uses it up all the same.
void completeFarEast(const std::vector<Waiting> &items, const PassResult &best,
                     QStringList &captions)
{
    PoolSet pool = best.pool;
    for (auto w = best.unmarked.begin(); pool && w != best.unmarked.end(); ++w) {
        const Waiting &item = items[*w];
        if (item.caption.contains(u'&'))
            continue;
        const int index = lastInPool(pool);
        pool &= ~bit(index);
        if (item.doubleByte)
            captions[item.entry] = withFarEastMark(item.caption, index);
    }
}

// One application of the rules to the level.
QStringList markLevel(const QList<MenuEntry> &level, bool farEast)
{
    QStringList captions;
    captions.reserve(level.size());
    for (const MenuEntry &entry : level)
        captions.append(entry.caption);

    FirstLoop loop = runFirstLoop(level, farEast, captions);
    for (Waiting &item : loop.waiting)
        findCandidates(item, loop.pool);
    const PassResult best = bestPass(loop.waiting, loop.pool);
    for (const auto &[w, c] : best.marks)
        captions[loop.waiting[w].entry] = markedCaption(loop.waiting[w], c, farEast);
    if (farEast)
        completeFarEast(loop.waiting, best, captions);
    return captions;
}

} // namespace

// A single application can leave the level unsettled: a character used up by a caption that
// cannot show it, or held by an item whose caption lost its mark and became empty, is free
// again next time and goes to another item. The second application gives the captions the
// menu keeps from then on, so reopening a menu never changes them. On a level that is already
// settled it changes nothing.
QStringList assignAccelerators(const QList<MenuEntry> &level, bool farEast)
{
    QList<MenuEntry> once = level;
    const QStringList captions = markLevel(level, farEast);
    for (qsizetype i = 0; i < once.size(); ++i)
        once[i].caption = captions[i];
    return markLevel(once, farEast);
}

} // namespace menus
