#include "frm_main.h"

#include "app_icon.h"
#include "frm_about.h"
#include "frm_document.h"
#include "main_settings.h"
#include "placement.h"
#include "ui_dialogs.h"

#include "twips/twips.h"

#include <QAction>
#include <QApplication>
#include <QCloseEvent>
#include <QDateTime>
#include <QLabel>
#include <QLayout>
#include <QLocale>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenuBar>
#include <QScreen>
#include <QSettings>
#include <QStatusBar>
#include <QStyle>
#include <QTimer>

#include <algorithm>
#include <cmath>

namespace tessaly {

frmMain::frmMain(std::unique_ptr<QSettings> settings, UiDialogs* dialogs, QWidget* parent)
    : QMainWindow(parent), settings_(std::move(settings)),
      dialogs_(dialogs != nullptr ? dialogs : &desktopDialogs()) {
    if (!settings_) settings_ = std::make_unique<QSettings>(kApplicationTitle, kApplicationTitle);
    setObjectName("frmMain");
    setWindowTitle(QString::fromLatin1(kApplicationTitle));
    setWindowIcon(appIcon());

    mdi_ = new QMdiArea(this);
    mdi_->setObjectName("mdiArea");
    mdi_->setHorizontalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    mdi_->setVerticalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    mdi_->setBackground(QColor(0x80, 0x80, 0x80));
    setCentralWidget(mdi_);

    QMenuBar* bar = menuBar();
    mnuNew = bar->addAction("New Hopfield Net Window");
    mnuNew->setObjectName("mnuNew");
    mnu1 = bar->addMenu("Window");
    mnu1->setObjectName("mnu1");
    mnuAbout = bar->addAction("About");
    mnuAbout->setObjectName("mnuAbout");
    mnu2 = bar->addAction("-");
    mnu2->setObjectName("mnu2");
    mnuExit = bar->addAction("Exit");
    mnuExit->setObjectName("mnuExit");

    statusBar()->setObjectName("sbStatusBar");
    dateLabel_ = new QLabel(this);
    dateLabel_->setObjectName("sbDate");
    timeLabel_ = new QLabel(this);
    timeLabel_->setObjectName("sbTime");
    statusBar()->addPermanentWidget(dateLabel_);
    statusBar()->addPermanentWidget(timeLabel_);
    clock_ = new QTimer(this);
    clock_->setInterval(1000);
    connect(clock_, &QTimer::timeout, this, &frmMain::showClock);
    clock_->start();
    showClock();

    connect(mnuNew, &QAction::triggered, this, [this] { newDocument(); });
    connect(mnu1, &QMenu::aboutToShow, this, &frmMain::fillWindowMenu);
    connect(mnuAbout, &QAction::triggered, this, [this] {
        frmAbout about(dialogs_, this);
        about.exec();
    });
    connect(mnuExit, &QAction::triggered, this, [this] {
        exiting_ = true;
        close();
        QApplication::quit();
    });

    readPlacement();
    newDocument();
}

frmMain::~frmMain() = default;

void frmMain::readPlacement() {
    float value[4];
    settings_->beginGroup(kSettingsSection);
    for (std::size_t k = 0; k < kPlacementKeys.size(); ++k) {
        const QVariant stored = settings_->value(kPlacementKeys[k].name);
        std::optional<std::string> text;
        if (stored.isValid()) text = stored.toString().toStdString();
        value[k] = PlacementValue(text, kPlacementKeys[k].fallback, k >= kWidth);
    }
    settings_->endGroup();
    const auto pixels = [](float length) {
        return static_cast<int>(std::nearbyint(length / twips::per_pixel));
    };
    move(pixels(value[kLeft]), pixels(value[kTop]));
    resize(pixels(value[kWidth]), pixels(value[kHeight]));
}

void frmMain::writePlacement() {
    double lengths[4];
    lengths[kLeft] = double(x()) * twips::per_pixel;
    lengths[kTop] = double(y()) * twips::per_pixel;
    lengths[kWidth] = double(width()) * twips::per_pixel;
    lengths[kHeight] = double(height()) * twips::per_pixel;
    settings_->beginGroup(kSettingsSection);
    for (std::size_t k = 0; k < kPlacementKeys.size(); ++k)
        settings_->setValue(kPlacementKeys[k].name,
                            QString::fromStdString(PlacementText(lengths[k])));
    settings_->endGroup();
    settings_->sync();
}

void frmMain::closeEvent(QCloseEvent* event) {
    if (!exiting_ && !isMinimized()) writePlacement();
    mdi_->closeAllSubWindows();
    event->accept();
}

frmDocument* frmMain::newDocument() {
    ++counter_;
    auto* document = new frmDocument(dialogs_);
    document->setWindowTitle(QString::fromUtf8("Hopfield Net Window n.\u00ba %1").arg(counter_));
    document->setWindowIcon(appIcon());
    document->setWindowNumber(counter_);
    QMdiSubWindow* sub = mdi_->addSubWindow(document);
    sub->setAttribute(Qt::WA_DeleteOnClose);
    sub->resize(sub->sizeHint());
    placeInWorkspace(sub);
    sub->show();
    return document;
}

QSize frmMain::workspaceSize() {
    // Valid also before the frame is first shown: the layout gives the area its size now.
    layout()->invalidate();
    layout()->activate();
    const int frame = 2 * mdi_->frameWidth();
    return mdi_->size() - QSize(frame, frame);
}

void frmMain::placeInWorkspace(QMdiSubWindow* sub) {
    // Each new window one title bar further down and right than the one before.
    const int step = sub->style()->pixelMetric(QStyle::PM_TitleBarHeight, nullptr, sub) + 4;
    const int index = static_cast<int>(mdi_->subWindowList().size()) - 1;
    QSize room = workspaceSize();
    const QSize need = sub->size() + QSize(index * step, index * step);
    // The frame grows, within the screen, until the window's place in the cascade fits.
    if (!isMaximized() && !isFullScreen() && screen() != nullptr) {
        const QRect area = screen()->availableGeometry();
        const QRect outer = frameGeometry();
        const QSize grow(
            std::clamp(need.width() - room.width(), 0, std::max(0, area.right() - outer.right())),
            std::clamp(need.height() - room.height(), 0,
                       std::max(0, area.bottom() - outer.bottom())));
        if (!grow.isNull()) {
            resize(size() + grow);
            room += grow;
        }
    }
    sub->move(CascadePosition(index, sub->size(), room, step));
}

void frmMain::fillWindowMenu() {
    mnu1->clear();
    const auto windows = mdi_->subWindowList();
    for (QMdiSubWindow* sub : windows) {
        QAction* action = mnu1->addAction(sub->windowTitle());
        action->setCheckable(true);
        action->setChecked(sub == mdi_->activeSubWindow());
        connect(action, &QAction::triggered, this, [this, sub] { mdi_->setActiveSubWindow(sub); });
    }
}

void frmMain::showClock() {
    const QDateTime now = QDateTime::currentDateTime();
    const QLocale locale;
    dateLabel_->setText(locale.toString(now.date(), QLocale::ShortFormat));
    timeLabel_->setText(now.time().toString("HH:mm:ss"));
}

} // namespace tessaly
