#pragma once

#include <QWidget>

// What the About, maintenance and statistics windows share: a fixed client
// size, centring on the first showing, and their part in the window-set rule:
// they signal opening and closing (closing only hides them), and the main
// window disables and enables itself.
class TSecondaryForm : public QWidget
{
    Q_OBJECT

public:
    // The window flags come with the border icons, before any control
    // exists: set later, they are passed down to every control again.
    TSecondaryForm(QWidget *parent, Qt::WindowFlags borderIcons);

    // Shows the window (or brings it forward); the main window, told by
    // `opened`, disables itself.
    void openFromMainWindow();

    void setVisible(bool visible) override;

signals:
    void opened();
    void closed();

protected:
    // Fixes the client size the window definition gives.
    void fixSize();

    // Runs once, just before the window first shows: what the user cannot see
    // before then (pictures, text sizes, controls) need not cost anything at
    // start-up.
    virtual void prepareFirstShowing() {}

    void showEvent(QShowEvent *event) override;
    void closeEvent(QCloseEvent *event) override;
    // The close handler: tells the main window; the window is only hidden.
    virtual void FormClose();

private:
    bool m_centred = false;
    bool m_prepared = false;
};
