// The find engine: one keystroke's search while `renminribao` and `rmrb` are
// typed a key at a time, over the shipped catalogue and 100,000 generated
// papers, against a plain case-insensitive substring scan of the same names
// and hosts; and the first find (index and tables loaded) against a later one.
#include "corebenchmarkmain.h"
#include "find/findengine.h"
#include "find/findtables.h"
#include "generatedcatalogue.h"
#include "timing.h"

#include <QFile>
#include <QUrl>
#include <algorithm>
#include <benchmark/benchmark.h>
#include <chrono>
#include <filesystem>
#include <sqlite3.h>

namespace {

constexpr int generatedPapers = 100'000;
constexpr qsizetype shownLimit = 20;

QList<find::Entry> shippedEntries()
{
    const auto script = std::filesystem::path(__FILE__).parent_path() / "../database/padr.sql";
    sqlite3 *db = nullptr;
    sqlite3_open(":memory:", &db);
    QFile file(QString::fromStdString(script.string()));
    if (!file.open(QIODevice::ReadOnly))
        qFatal("database/padr.sql not found");
    sqlite3_exec(db, file.readAll().constData(), nullptr, nullptr, nullptr);
    QList<find::Entry> entries;
    for (const char *table : {"pinternal", "poverseas"}) {
        sqlite3_stmt *rows = nullptr;
        const QByteArray sql = QByteArray("select pcity, pname, purl from ") + table;
        sqlite3_prepare_v2(db, sql.constData(), -1, &rows, nullptr);
        const auto text = [rows](int column) {
            return QString::fromUtf8(
                reinterpret_cast<const char *>(sqlite3_column_text(rows, column)));
        };
        while (sqlite3_step(rows) == SQLITE_ROW)
            entries.append({text(1), text(0), text(2), table[1] == 'i'});
        sqlite3_finalize(rows);
    }
    sqlite3_close(db);
    return entries;
}

QList<find::Entry> largeEntries()
{
    QList<find::Entry> entries = shippedEntries();
    const qsizetype shipped = entries.size();
    for (int i = 0; i < generatedPapers; ++i)
        entries.append({GeneratedCatalogue::realisticName(i, 0.1), entries.at(i % shipped).province,
                        QStringLiteral("https://www.paper%1.com.cn/").arg(i), true});
    return entries;
}

// The yardstick: every name and host searched for the text, case ignored.
class PlainScan
{
public:
    explicit PlainScan(const QList<find::Entry> &entries)
    {
        for (const find::Entry &entry : entries) {
            m_names.append(entry.name);
            m_hosts.append(QUrl(entry.address).host());
        }
    }
    QList<qsizetype> search(const QString &text) const
    {
        QList<qsizetype> found;
        for (qsizetype i = 0; i < m_names.size(); ++i)
            if (m_names.at(i).contains(text, Qt::CaseInsensitive) ||
                m_hosts.at(i).contains(text, Qt::CaseInsensitive))
                found.append(i);
        return found;
    }

private:
    QStringList m_names;
    QStringList m_hosts;
};

// Both words typed a key at a time, 31 times over, each key's search timed
// for the engine and then for the scan (so that the machine's drift falls on
// both). The engine sees the keys in the order typed, as in the find window.
// Reports the median and the largest of the per-key ratios of the medians,
// and the 95th percentile of all the engine's searches.
void BM_TypingKeyByKey(benchmark::State &state)
{
    const QList<find::Entry> entries = largeEntries();
    find::Engine engine;
    engine.setEntries(entries);
    engine.search(QStringLiteral("x"), shownLimit); // the index, built once
    const PlainScan scan(entries);
    const QStringList keys = {QStringLiteral("renminribao"), QStringLiteral("rmrb")};
    std::vector<double> ratios;
    std::vector<double> allFinds;
    for (auto _ : state) {
        // Per word and number of keys typed: the times of each round.
        std::vector<std::vector<double>> finds(15);
        std::vector<std::vector<double>> scans(15);
        for (int round = 0; round < 31; ++round) {
            std::size_t key = 0;
            for (const QString &word : keys) {
                for (qsizetype typed = 1; typed <= word.size(); ++typed, ++key) {
                    const QString text = word.left(typed);
                    finds[key].push_back(secondsOf(
                        [&] { benchmark::DoNotOptimize(engine.search(text, shownLimit)); }));
                    scans[key].push_back(
                        secondsOf([&] { benchmark::DoNotOptimize(scan.search(text)); }));
                }
            }
        }
        for (std::size_t key = 0; key < finds.size(); ++key) {
            ratios.push_back(median(finds[key]) / median(scans[key]));
            allFinds.insert(allFinds.end(), finds[key].begin(), finds[key].end());
        }
    }
    std::sort(allFinds.begin(), allFinds.end());
    state.counters["median_key_ratio"] = median(ratios);
    state.counters["slowest_key_ratio"] = *std::max_element(ratios.begin(), ratios.end());
    state.counters["p95_ms"] = allFinds[allFinds.size() * 95 / 100] * 1e3;
    state.counters["one"] = 1;
    state.counters["aim_ms"] = 5;
}

// One key of `renminribao` or `rmrb` (argument: the word, then how many keys)
// searched alone, over every paper: the engine's work without narrowing.
void BM_FindKeystroke(benchmark::State &state)
{
    static const QList<find::Entry> entries = largeEntries();
    static const find::Engine engine = [] {
        find::Engine built;
        built.setEntries(entries);
        return built;
    }();
    const QString word =
        state.range(0) == 0 ? QStringLiteral("renminribao") : QStringLiteral("rmrb");
    const QString text = word.left(state.range(1));
    for (auto _ : state) {
        // A different text first, so that each search scans every paper.
        state.PauseTiming();
        engine.search(QStringLiteral("-"), shownLimit);
        state.ResumeTiming();
        benchmark::DoNotOptimize(engine.search(text, shownLimit));
    }
}

void BM_PlainScanKeystroke(benchmark::State &state)
{
    static const QList<find::Entry> entries = largeEntries();
    static const PlainScan scan(entries);
    const QString word =
        state.range(0) == 0 ? QStringLiteral("renminribao") : QStringLiteral("rmrb");
    const QString text = word.left(state.range(1));
    for (auto _ : state)
        benchmark::DoNotOptimize(scan.search(text));
}

void keystrokes(benchmark::internal::Benchmark *bench)
{
    for (int keys = 1; keys <= 11; ++keys)
        bench->Args({0, keys});
    for (int keys = 1; keys <= 4; ++keys)
        bench->Args({1, keys});
}

// The first find after start-up on the shipped catalogue: the tables read
// from the data file and the index built, then the search.
void BM_FirstFind(benchmark::State &state)
{
    const QList<find::Entry> entries = shippedEntries();
    for (auto _ : state) {
        find::Engine engine;
        engine.setTables(find::Tables::load(find::dataFile()));
        engine.setEntries(entries);
        benchmark::DoNotOptimize(engine.search(QStringLiteral("rmrb"), shownLimit));
    }
}

void BM_LaterFind(benchmark::State &state)
{
    find::Engine engine;
    engine.setEntries(shippedEntries());
    engine.search(QStringLiteral("r"), shownLimit);
    for (auto _ : state)
        benchmark::DoNotOptimize(engine.search(QStringLiteral("rmrb"), shownLimit));
}

} // namespace

BENCHMARK(BM_TypingKeyByKey)->Iterations(1)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_FindKeystroke)->Apply(keystrokes)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_PlainScanKeystroke)->Apply(keystrokes)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_FirstFind)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_LaterFind)->Unit(benchmark::kMicrosecond);

int main(int argc, char **argv)
{
    return runCoreBenchmarks(argc, argv);
}
