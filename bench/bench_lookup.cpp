// Looking up a paper's address, as a click on a paper item does, on a large
// catalogue against a small one.
#include "catalogue/catalogueconnection.h"
#include "catalogue/cataloguequery.h"
#include "catalogue/connectionsettings.h"
#include "corebenchmarkmain.h"
#include "generatedcatalogue.h"

#include <benchmark/benchmark.h>

namespace {

void BM_LookUpAddress(benchmark::State &state)
{
    const GeneratedCatalogue::Shape shape{int(state.range(0)), 100, 0.25};
    GeneratedCatalogue catalogue(shape);
    CatalogueConnection connection(connectionsettings::shortForm);
    CatalogueQuery query(QStringLiteral("ADOQuery1"), connection);
    QStringList names;
    for (int i = 0; i < 97; ++i)
        names.append(GeneratedCatalogue::paperName(i * 7919 % shape.papers, shape));
    qsizetype next = 0;
    for (auto _ : state) {
        query.open(statements::addressOfPaper(catalogue::domesticTable, names.at(next)));
        benchmark::DoNotOptimize(query.fieldAsText(QStringLiteral("purl")));
        next = (next + 1) % names.size();
    }
}

} // namespace

BENCHMARK(BM_LookUpAddress)->Arg(100)->Arg(100'000)->Unit(benchmark::kMicrosecond);

int main(int argc, char **argv)
{
    return runCoreBenchmarks(argc, argv);
}
