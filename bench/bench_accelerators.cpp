#include "menus/accelerators.h"

#include <benchmark/benchmark.h>
#include <random>

namespace {

// A level of paper names as a large province menu holds them: mostly Chinese, about one in four
// Latin, some starting with digits.
QList<menus::MenuEntry> paperLevel(int size)
{
    static const QStringList chinese = {
        QStringLiteral("人民"), QStringLiteral("日报"), QStringLiteral("晚报"),
        QStringLiteral("都市"), QStringLiteral("经济"), QStringLiteral("时报"),
        QStringLiteral("南方"), QStringLiteral("周末"), QStringLiteral("商报"),
        QStringLiteral("青年"), QStringLiteral("参考"), QStringLiteral("消息")};
    static const QStringList latin = {
        QStringLiteral("China"),    QStringLiteral("Daily"),   QStringLiteral("Times"),
        QStringLiteral("Global"),   QStringLiteral("Post"),    QStringLiteral("Herald"),
        QStringLiteral("Morning"),  QStringLiteral("News"),    QStringLiteral("Weekly"),
        QStringLiteral("Business"), QStringLiteral("Journal"), QStringLiteral("Express")};
    std::mt19937 rng(size);
    QList<menus::MenuEntry> level(size);
    for (menus::MenuEntry &entry : level) {
        const bool isLatin = rng() % 4 == 0;
        const QStringList &words = isLatin ? latin : chinese;
        if (rng() % 10 == 0)
            entry.caption = QString::number(rng() % 100);
        for (int n = 0; n < 2; ++n) {
            if (isLatin && !entry.caption.isEmpty())
                entry.caption += u' ';
            entry.caption += words[int(rng() % words.size())];
        }
    }
    return level;
}

void BM_AssignAccelerators(benchmark::State &state)
{
    const QList<menus::MenuEntry> level = paperLevel(int(state.range(0)));
    for (auto _ : state)
        benchmark::DoNotOptimize(menus::assignAccelerators(level, true));
    state.SetItemsProcessed(state.iterations() * state.range(0));
    state.counters["ns_per_item"] =
        benchmark::Counter(double(state.iterations() * state.range(0)),
                           benchmark::Counter::kIsRate | benchmark::Counter::kInvert);
}

} // namespace

BENCHMARK(BM_AssignAccelerators)->Arg(36)->Arg(1000)->Arg(10000)->Unit(benchmark::kMicrosecond);

BENCHMARK_MAIN();
