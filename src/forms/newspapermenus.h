#pragma once

#include <QString>
#include <functional>

class CatalogueQuery;
class QAction;
class QMenu;

// Builds one half of the catalogue into two-level menus under `top`: one
// sub-menu per distinct province in the engine's order, and under it one item
// per paper. A paper item remembers the name it was built from (its data), a
// province item the province text. Click handlers are attached to a
// province's papers only after all of them were read, so a failure part-way
// leaves the items read so far without handlers. Failures throw.
namespace newspapermenus {

using PaperHandler = std::function<void(QAction *paper)>;

void build(CatalogueQuery &query, QMenu *top, const QString &table, const PaperHandler &handler);

// The name a paper item was built from.
QString paperName(const QAction *paper);

// A caption that shows the text as it is: "&" is doubled so that it never
// becomes an accelerator mark.
QString literalCaption(const QString &text);

} // namespace newspapermenus
