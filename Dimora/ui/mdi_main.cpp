#include "mdi_main.h"

#include <QApplication>
#include <QHBoxLayout>
#include <QKeySequence>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenuBar>
#include <QPushButton>
#include <QResizeEvent>

#include "frm_about.h"
#include "frm_nn_dim.h"
#include "frm_sc_size.h"

namespace dimora {

SidePanel::SidePanel(QWidget* parent) : QWidget(parent) {
    setObjectName(QStringLiteral("Picture1"));
    const char* captions[] = {"&SC Size", "&NN Size", "&About", "E&xit"};
    int width = 0;
    for (int i = 0; i < 4; ++i) {
        cmdMenu[i] = new QPushButton(QString::fromLatin1(captions[i]), this);
        cmdMenu[i]->setObjectName(QStringLiteral("cmdMenu(%1)").arg(i));
        // The menu items carry the same captions: their Alt keys open the windows, and a
        // second claim on the same keys would make them only move the focus between the two.
        cmdMenu[i]->setShortcut(QKeySequence());
        width = std::max(width, cmdMenu[i]->sizeHint().width());
    }
    width = std::max(width, 80);
    setFixedWidth(width + 2 * kGap);
    const int h = cmdMenu[0]->sizeHint().height();
    for (int i = 0; i < 4; ++i)
        cmdMenu[i]->setGeometry(kGap, kGap + i * (h + kGap), width, h);
    setAutoFillBackground(true);
    setBackgroundRole(QPalette::Mid);
    setMinimumHeight(4 * (h + kGap) + kGap);
}

void SidePanel::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    QPushButton* exit = cmdMenu[kExit];
    QPushButton* about = cmdMenu[kAbout];
    exit->move(exit->x(), height() - exit->height() - kGap);
    about->move(about->x(), exit->y() - about->height() - kGap);
}

mdiMain::mdiMain(QWidget* parent) : QMainWindow(parent) {
    setObjectName(QStringLiteral("mdiMain"));
    setWindowTitle(QStringLiteral("Dimora"));
    runModal_ = [](QDialog& dialog) { dialog.exec(); };

    mnuSCSize = menuBar()->addAction(QStringLiteral("&SC Size"));
    mnuSCSize->setObjectName(QStringLiteral("mnuSCSize"));
    mnuNNSize = menuBar()->addAction(QStringLiteral("&NN Size"));
    mnuNNSize->setObjectName(QStringLiteral("mnuNNSize"));
    mnuAbout = menuBar()->addAction(QStringLiteral("&About"));
    mnuAbout->setObjectName(QStringLiteral("mnuAbout"));
    mnuExit = menuBar()->addAction(QStringLiteral("E&xit"));
    mnuExit->setObjectName(QStringLiteral("mnuExit"));
    connect(mnuSCSize, &QAction::triggered, this, &mdiMain::mnuSCSize_Click);
    connect(mnuNNSize, &QAction::triggered, this, &mdiMain::mnuNNSize_Click);
    connect(mnuAbout, &QAction::triggered, this, &mdiMain::mnuAbout_Click);
    connect(mnuExit, &QAction::triggered, this, &mdiMain::mnuExit_Click);

    auto* central = new QWidget(this);
    auto* row = new QHBoxLayout(central);
    row->setContentsMargins(0, 0, 0, 0);
    row->setSpacing(0);
    Picture1 = new SidePanel(central);
    area_ = new QMdiArea(central);
    area_->setObjectName(QStringLiteral("mdiArea"));
    // A child window moved or left partly outside a smaller workspace stays reachable.
    area_->setHorizontalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    area_->setVerticalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    row->addWidget(Picture1);
    row->addWidget(area_, 1);
    setCentralWidget(central);
    for (int i = 0; i < 4; ++i)
        connect(Picture1->cmdMenu[i], &QPushButton::clicked, this, [this, i] { cmdMenu_Click(i); });
    resize(1000, 700);
}

QMdiSubWindow* mdiMain::showChild(QPointer<QMdiSubWindow>& slot, QWidget* (*create)()) {
    // A child closed by its Quit button leaves the area before it is deleted.
    if (!slot || !area_->subWindowList().contains(slot.data())) {
        QWidget* form = create();
        slot = area_->addSubWindow(form);
        slot->setAttribute(Qt::WA_DeleteOnClose);
        slot->setWindowTitle(form->windowTitle());
        slot->resize(form->size() + QSize(12, 36));
        placeChild(slot);
    }
    slot->show();
    slot->widget()->show();
    area_->setActiveSubWindow(slot);
    slot->raise();
    return slot;
}

void mdiMain::placeChild(QMdiSubWindow* child) {
    // Before the main window is shown the workspace has no size yet; the area places the
    // child itself when it appears.
    if (!area_->isVisible()) return;
    const QSize room = area_->viewport()->size();
    // No larger than the workspace, unless the window cannot be made that small.
    child->resize(child->size().boundedTo(room).expandedTo(child->minimumSizeHint()));
    // Cascade: each window one step further down and right than the one opened before it,
    // but never past the workspace's right or bottom edge.
    qsizetype others = 0;
    for (QMdiSubWindow* w : area_->subWindowList())
        others += w != child && w->isVisible();
    const int step = kCascadeStep * static_cast<int>(others);
    const int x = std::max(0, std::min(step, room.width() - child->width()));
    const int y = std::max(0, std::min(step, room.height() - child->height()));
    child->move(x, y);
}

void mdiMain::mnuNNSize_Click() {
    showChild(nnDim_, [] { return static_cast<QWidget*>(new frmNNDim); });
}

void mdiMain::mnuSCSize_Click() {
    showChild(scSize_, [] { return static_cast<QWidget*>(new frmSCSize); });
}

void mdiMain::mnuAbout_Click() {
    frmAbout about(this);
    runModal_(about);
}

void mdiMain::mnuExit_Click() {
    QApplication::quit();
}

void mdiMain::cmdMenu_Click(int index) {
    switch (index) {
    case SidePanel::kSCSize:
        mnuSCSize_Click();
        break;
    case SidePanel::kNNSize:
        mnuNNSize_Click();
        break;
    case SidePanel::kAbout:
        mnuAbout_Click();
        break;
    case SidePanel::kExit:
        mnuExit_Click();
        break;
    default:
        break;
    }
}

frmNNDim* mdiMain::nnDim() const {
    return nnDim_ ? qobject_cast<frmNNDim*>(nnDim_->widget()) : nullptr;
}

frmSCSize* mdiMain::scSize() const {
    return scSize_ ? qobject_cast<frmSCSize*>(scSize_->widget()) : nullptr;
}

} // namespace dimora
