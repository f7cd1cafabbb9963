#pragma once

#include <QWidget>

namespace Ui {
class TFindForm;
}

// The find window ("找报纸"): a line to type in and the papers that match.
// It stands beside the four windows of the window set and never disables
// the main window.
class TFindForm final : public QWidget
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(TFindForm)

public:
    explicit TFindForm(QWidget *parent = nullptr);
    ~TFindForm() override;

    // Shows the window with `text` in its line, selected.
    void showFind(const QString &text);

private:
    Ui::TFindForm *m_ui = nullptr;
};

// Shows the find window with `text`, making it at the first call.
void showFindWindow(const QString &text = {});
// The find window once made, else null.
TFindForm *findWindow();
// Closes the find window, if made (the program's end, the tests).
void destroyFindWindow();
