// Opening a province of 1,000 papers as the user does, on a Chinese system
// (the accelerator pass runs as it first opens), against Qt's own pop-up of
// 1,000 pre-built actions with the same captions. First opening: a menu that
// has never shown; re-opening: the same menu again.
#include "forms/mainfrm.h"
#include "generatedcatalogue.h"
#include "platform/application.h"
#include "platform/messagebox.h"

#include <QMenu>
#include <benchmark/benchmark.h>
#include <cstdio>
#include <memory>
#include <vector>

namespace {

// One province of 1,000 papers in each table.
const GeneratedCatalogue::Shape shape{1'000, 1, 0.25};

// Pops the menu up, lets it lay out and paint, and closes it.
void openOnce(QMenu *menu)
{
    menu->popup(QPoint(0, 0));
    QCoreApplication::processEvents();
    menu->hide();
}

// The window's domestic province, hooked as the user reaches it: its parent
// menu has opened once.
QMenu *provinceOf(TMainForm &form)
{
    QMenu *top = form.findChild<QMenu *>(QStringLiteral("N1"));
    openOnce(top);
    return top->actions().at(0)->menu();
}

// A plain pop-up with the captions the program shows, actions made and the
// menu polished beforehand (the program's province is polished with its parent).
std::unique_ptr<QMenu> plainMenu(const QStringList &captions)
{
    auto menu = std::make_unique<QMenu>();
    for (const QString &caption : captions)
        menu->addAction(caption);
    menu->ensurePolished();
    return menu;
}

QStringList shownCaptions()
{
    TMainForm form;
    QMenu *province = provinceOf(form);
    openOnce(province);
    QStringList captions;
    for (const QAction *action : province->actions())
        captions.append(action->text());
    return captions;
}

void BM_FirstOpeningOfProvince(benchmark::State &state)
{
    GeneratedCatalogue catalogue(shape);
    for (auto _ : state) {
        state.PauseTiming();
        auto form = std::make_unique<TMainForm>();
        QMenu *province = provinceOf(*form);
        state.ResumeTiming();
        openOnce(province);
        state.PauseTiming();
        form.reset();
        state.ResumeTiming();
    }
}

void BM_FirstOpeningOfPlainMenu(benchmark::State &state)
{
    GeneratedCatalogue catalogue(shape);
    const QStringList captions = shownCaptions();
    for (auto _ : state) {
        state.PauseTiming();
        auto menu = plainMenu(captions);
        state.ResumeTiming();
        openOnce(menu.get());
        state.PauseTiming();
        menu.reset();
        state.ResumeTiming();
    }
}

void BM_ReopeningOfProvince(benchmark::State &state)
{
    GeneratedCatalogue catalogue(shape);
    TMainForm form;
    QMenu *province = provinceOf(form);
    openOnce(province);
    for (auto _ : state)
        openOnce(province);
}

void BM_ReopeningOfPlainMenu(benchmark::State &state)
{
    GeneratedCatalogue catalogue(shape);
    const auto menu = plainMenu(shownCaptions());
    openOnce(menu.get());
    for (auto _ : state)
        openOnce(menu.get());
}

} // namespace

// Nine rounds of each, shuffled among the four, so that both sides of a ratio
// see the same machine; the table takes the medians.
#define MENU_BENCHMARK(name)                                                                       \
    BENCHMARK(name)                                                                                \
        ->Unit(benchmark::kMillisecond)                                                            \
        ->MinTime(0.5)                                                                             \
        ->Repetitions(9)                                                                           \
        ->ReportAggregatesOnly()
MENU_BENCHMARK(BM_FirstOpeningOfProvince);
MENU_BENCHMARK(BM_FirstOpeningOfPlainMenu);
MENU_BENCHMARK(BM_ReopeningOfProvince);
MENU_BENCHMARK(BM_ReopeningOfPlainMenu);

int main(int argc, char **argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    // The far-east form of the accelerator pass, as on a Chinese system.
    qputenv("LC_ALL", "zh_CN.UTF-8");
    qputenv("LANG", "zh_CN.UTF-8");
    Application app(argc, argv);
    messagebox::setInterceptor([](messagebox::Kind, const QString &, const QString &text) {
        std::fprintf(stderr, "message: %s\n", qPrintable(text));
    });
    std::vector<char *> args(argv, argv + argc);
    char interleave[] = "--benchmark_enable_random_interleaving=true";
    args.push_back(interleave);
    int count = int(args.size());
    benchmark::Initialize(&count, args.data());
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
