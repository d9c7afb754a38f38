// The main window: a frame holding the pattern windows.
#pragma once

#include <QMainWindow>
#include <QSettings>

#include <memory>

class QAction;
class QLabel;
class QMdiArea;
class QMdiSubWindow;
class QMenu;
class QTimer;

namespace tessaly {

class UiDialogs;
class frmDocument;

class frmMain : public QMainWindow {
    Q_OBJECT
public:
    /// `settings` keeps the window's place (default: the per-user store of "Tessaly");
    /// `dialogs` answers the windows' dialogs (default: the desktop's).
    explicit frmMain(std::unique_ptr<QSettings> settings = nullptr, UiDialogs* dialogs = nullptr,
                     QWidget* parent = nullptr);
    ~frmMain() override;

    /// "New Hopfield Net Window": a pattern window with the next number.
    frmDocument* newDocument();
    QMdiArea* mdiArea() const { return mdi_; }

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    void readPlacement();
    void writePlacement();
    void fillWindowMenu();
    void showClock();
    /// The size of the workspace in which the pattern windows live.
    QSize workspaceSize();
    /// Puts a new pattern window at its place in the cascade, growing the frame if need be.
    void placeInWorkspace(QMdiSubWindow* sub);

    std::unique_ptr<QSettings> settings_;
    UiDialogs* dialogs_;
    QMdiArea* mdi_;
    std::int32_t counter_ = 0;
    bool exiting_ = false;

    QAction* mnuNew;
    QMenu* mnu1;
    QAction* mnuAbout;
    QAction* mnu2;
    QAction* mnuExit;
    QLabel* dateLabel_;
    QLabel* timeLabel_;
    QTimer* clock_;
};

} // namespace tessaly
