// Building the newspaper menus on a large catalogue (the main window's
// creation) against building the same menu tree from a list in memory.
// `bench_menus --memory=catalogue|memory` prints the resident-set growth of
// one build instead, in KiB.
#include "catalogue/catalogueconnection.h"
#include "catalogue/cataloguequery.h"
#include "catalogue/connectionsettings.h"
#include "forms/mainfrm.h"
#include "forms/newspapermenus.h"
#include "generatedcatalogue.h"
#include "platform/application.h"
#include "platform/messagebox.h"

#include <QFile>
#include <QMenu>
#include <benchmark/benchmark.h>
#include <cstdio>
#include <memory>

namespace {

// 100,000 papers in 1,000 provinces, half in each table.
const GeneratedCatalogue::Shape shape{50'000, 500, 0.25};

struct Province
{
    QString name;
    QStringList papers;
};

// The catalogue's rows as the menus hold them, read once, outside the timing.
QList<Province> readProvinces(const QString &table)
{
    CatalogueConnection connection(connectionsettings::shortForm);
    CatalogueQuery query(QStringLiteral("ADOQuery1"), connection);
    QList<Province> provinces;
    for (query.open(statements::distinctProvinces(table)); !query.eof(); query.next())
        provinces.append({query.fieldAsText(QStringLiteral("pcity")), {}});
    for (Province &province : provinces) {
        query.open(statements::papersInProvince(table, province.name));
        for (; !query.eof(); query.next())
            province.papers.append(query.fieldAsText(QStringLiteral("pname")));
    }
    return provinces;
}

// The same tree of items as the program builds, with no database.
std::unique_ptr<QMenu> buildInMemory(const QList<Province> &provinces)
{
    auto top = std::make_unique<QMenu>();
    for (const Province &province : provinces) {
        auto *item = new QMenu(newspapermenus::literalCaption(province.name), top.get());
        item->menuAction()->setData(province.name);
        top->addMenu(item);
        for (const QString &name : province.papers) {
            auto *paper = new QAction(newspapermenus::literalCaption(name), item);
            paper->setData(name);
            item->addAction(paper);
            QObject::connect(paper, &QAction::triggered, paper, [] {});
        }
    }
    return top;
}

void BM_MainWindowOnCatalogue(benchmark::State &state)
{
    GeneratedCatalogue catalogue(shape);
    for (auto _ : state) {
        TMainForm form;
        benchmark::DoNotOptimize(&form);
    }
    state.SetItemsProcessed(state.iterations() * shape.papers * 2);
}

void BM_MenuTreeInMemory(benchmark::State &state)
{
    GeneratedCatalogue catalogue(shape);
    const QList<Province> domestic = readProvinces(catalogue::domesticTable);
    const QList<Province> foreign = readProvinces(catalogue::foreignTable);
    for (auto _ : state) {
        auto first = buildInMemory(domestic);
        auto second = buildInMemory(foreign);
        benchmark::DoNotOptimize(first.get());
        benchmark::DoNotOptimize(second.get());
    }
    state.SetItemsProcessed(state.iterations() * shape.papers * 2);
}

void BM_ReadCatalogueOnly(benchmark::State &state)
{
    GeneratedCatalogue catalogue(shape);
    for (auto _ : state) {
        benchmark::DoNotOptimize(readProvinces(catalogue::domesticTable));
        benchmark::DoNotOptimize(readProvinces(catalogue::foreignTable));
    }
}

long residentKiB()
{
    QFile statm(QStringLiteral("/proc/self/statm"));
    if (!statm.open(QIODevice::ReadOnly))
        return 0;
    const QList<QByteArray> fields = statm.readAll().split(' ');
    return fields.size() > 1 ? fields.at(1).toLong() * 4 : 0;
}

// The resident-set growth of one build, kept alive while it is measured.
int measureMemory(const QByteArray &mode)
{
    GeneratedCatalogue catalogue(shape);
    QList<Province> domestic, foreign;
    if (mode == "memory") {
        domestic = readProvinces(catalogue::domesticTable);
        foreign = readProvinces(catalogue::foreignTable);
    }
    const long before = residentKiB();
    if (mode == "memory") {
        auto first = buildInMemory(domestic);
        auto second = buildInMemory(foreign);
        std::printf("%ld\n", residentKiB() - before);
    } else {
        TMainForm form;
        std::printf("%ld\n", residentKiB() - before);
    }
    return 0;
}

} // namespace

BENCHMARK(BM_MainWindowOnCatalogue)->Unit(benchmark::kMillisecond)->MinTime(2.0);
BENCHMARK(BM_ReadCatalogueOnly)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_MenuTreeInMemory)->Unit(benchmark::kMillisecond)->MinTime(2.0);

int main(int argc, char **argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    Application app(argc, argv);
    messagebox::setInterceptor([](messagebox::Kind, const QString &, const QString &text) {
        std::fprintf(stderr, "message: %s\n", qPrintable(text));
    });
    for (int i = 1; i < argc; ++i) {
        const QByteArray arg(argv[i]);
        if (arg.startsWith("--memory="))
            return measureMemory(arg.mid(9));
    }
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
