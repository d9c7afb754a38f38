// The main window: the two calculators as child windows, the commands as menu items and as a
// column of buttons on a side panel.
#pragma once

#include <QMainWindow>
#include <QPointer>
#include <array>
#include <functional>

#include "twips/twips.h"

class QAction;
class QDialog;
class QMdiArea;
class QMdiSubWindow;
class QPushButton;

namespace dimora {

class frmAbout;
class frmNNDim;
class frmSCSize;

/// The side panel; keeps its last two buttons at its bottom when it is resized.
class SidePanel : public QWidget {
    Q_OBJECT
public:
    explicit SidePanel(QWidget* parent = nullptr);
    /// The buttons cmdMenu(0) .. cmdMenu(3), from the top.
    enum MenuButton { kSCSize = 0, kNNSize = 1, kAbout = 2, kExit = 3 };
    std::array<QPushButton*, 4> cmdMenu{};
    /// Gap between the bottom buttons and below them, in pixels (100 twips).
    static constexpr int kGap = twips::to_pixels(100);

protected:
    void resizeEvent(QResizeEvent* event) override;
};

class mdiMain : public QMainWindow {
    Q_OBJECT
public:
    explicit mdiMain(QWidget* parent = nullptr);

    void mnuNNSize_Click();
    void mnuSCSize_Click();
    void mnuAbout_Click();
    void mnuExit_Click();
    void cmdMenu_Click(int index);

    /// How a modal window is shown; tests replace it so they never block.
    void setModalRunner(std::function<void(QDialog&)> runner) { runModal_ = std::move(runner); }

    QMdiArea* mdiArea() const { return area_; }
    frmNNDim* nnDim() const;
    frmSCSize* scSize() const;

    /// How far each newly opened child window lies below and right of the one before it.
    static constexpr int kCascadeStep = 28;

private:
    QMdiSubWindow* showChild(QPointer<QMdiSubWindow>& slot, QWidget* (*create)());
    /// Sizes and places a newly opened child window within the visible workspace.
    void placeChild(QMdiSubWindow* child);

    QMdiArea* area_;
    SidePanel* Picture1;
    QAction *mnuSCSize, *mnuNNSize, *mnuAbout, *mnuExit;
    QPointer<QMdiSubWindow> nnDim_, scSize_;
    std::function<void(QDialog&)> runModal_;
};

} // namespace dimora
