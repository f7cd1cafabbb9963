#include "forms/newspapermenus.h"

#include "catalogue/cataloguequery.h"
#include "catalogue/rowcount.h"

#include <QAction>
#include <QMenu>

namespace newspapermenus {

namespace {

QList<QMenu *> addProvinces(CatalogueQuery &query, QMenu *top)
{
    QList<QMenu *> provinces;
    for (; !query.eof(); query.next()) {
        const QString province = query.fieldAsText(catalogue::provinceColumn);
        auto *item = new QMenu(literalCaption(province), top);
        item->menuAction()->setData(province);
        top->addMenu(item);
        provinces.append(item);
    }
    return provinces;
}

void addPapers(CatalogueQuery &query, QMenu *province, const QString &table,
               const PaperHandler &handler)
{
    query.reopen(statements::papersInProvince(table, province->menuAction()->data().toString()));
    QList<QAction *> papers;
    for (; !query.eof(); query.next()) {
        const QString name = query.fieldAsText(catalogue::nameColumn);
        auto *paper = new QAction(literalCaption(name), province);
        paper->setData(name);
        province->addAction(paper);
        papers.append(paper);
    }
    for (QAction *paper : std::as_const(papers))
        QObject::connect(paper, &QAction::triggered, paper, [paper, handler] { handler(paper); });
}

} // namespace

void build(CatalogueQuery &query, QMenu *top, const QString &table, const PaperHandler &handler)
{
    const Statement provinces = statements::distinctProvinces(table);
    query.open(provinces);
    const int count = rowcount::stepToEnd(query);
    query.open(provinces);
    const QList<QMenu *> items = addProvinces(query, top);
    for (int i = 0; i < count && i < items.size(); ++i)
        addPapers(query, items.at(i), table, handler);
}

QString paperName(const QAction *paper)
{
    return paper->data().toString();
}

QString literalCaption(const QString &text)
{
    QString caption = text;
    caption.replace(u'&', QStringLiteral("&&"));
    return caption;
}

} // namespace newspapermenus
