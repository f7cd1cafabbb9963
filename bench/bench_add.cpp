// The maintenance window's add action (its checks, the duplicate lookups and
// the insert), driven through the window on a large catalogue against a
// small one.
#include "app/startup.h"
#include "forms/setfrm.h"
#include "generatedcatalogue.h"
#include "platform/application.h"
#include "platform/messagebox.h"

#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>
#include <benchmark/benchmark.h>
#include <cstdio>

namespace {

template <typename T> T *control(const char *name)
{
    return SetForm->findChild<T *>(QLatin1String(name));
}

void BM_AddPaper(benchmark::State &state)
{
    GeneratedCatalogue catalogue({int(state.range(0)), 100, 0.25});
    startup::createWindowSet();
    // The window makes its controls when it first shows, as the user opens it.
    SetForm->openFromMainWindow();
    int added = 0;
    messagebox::setInterceptor([&](messagebox::Kind, const QString &, const QString &text) {
        added += text == u"恭喜，增加新报纸成功！" ? 1 : 0;
    });
    auto *kind = control<QComboBox>("ComboBox1");
    kind->setCurrentIndex(kind->findText(QStringLiteral("国内")));
    emit kind->activated(kind->currentIndex());
    auto *name = control<QLineEdit>("Edit1");
    auto *newProvince = control<QLineEdit>("Edit3");
    control<QLineEdit>("Edit2")->setText(QStringLiteral("https://new.example.com/"));
    auto *add = control<QPushButton>("Button1");

    int next = 0;
    for (auto _ : state) {
        // A new name in a new province: both duplicate lookups, then the insert.
        name->setText(QStringLiteral("新报纸%1").arg(next));
        newProvince->setText(QStringLiteral("新省市%1").arg(next));
        ++next;
        add->click();
    }
    if (added != next)
        state.SkipWithError("an add did not succeed");
    messagebox::setInterceptor({});
    startup::destroyWindowSet();
}

} // namespace

BENCHMARK(BM_AddPaper)->Arg(100)->Arg(100'000)->Unit(benchmark::kMicrosecond);

int main(int argc, char **argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    Application app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
