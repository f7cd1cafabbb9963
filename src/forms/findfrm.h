#pragma once

#include "catalogue/findcatalogue.h"

#include <QWidget>

namespace Ui {
class TFindForm;
}
class QTreeWidgetItem;

// The find window ("找报纸"): a line to type in and the papers that match.
// It stands beside the four windows of the window set and never disables
// the main window. The focus stays in the line: the arrow and page keys move
// through the list, Enter opens the chosen paper, Esc hides the window, and
// so does the window losing activation.
class TFindForm final : public QWidget
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(TFindForm)

public:
    explicit TFindForm(QWidget *parent = nullptr);
    ~TFindForm() override;

    // Shows the window with `text` in its line, selected.
    void showFind(const QString &text);

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;
    void changeEvent(QEvent *event) override;

private:
    void connectHandlers();
    void FindEditChanged(const QString &text);
    void ResultListActivated(QTreeWidgetItem *item);
    void FindEditReturnPressed();
    bool FindEditKeyPressed(QKeyEvent *event);
    void showResults(const QString &text);
    void openChosen();

    Ui::TFindForm *m_ui = nullptr;
    FindCatalogue m_catalogue;
};

// Shows the find window with `text`, making it at the first call.
void showFindWindow(const QString &text = {});
// The find window once made, else null.
TFindForm *findWindow();
// Closes the find window, if made (the program's end, the tests).
void destroyFindWindow();
