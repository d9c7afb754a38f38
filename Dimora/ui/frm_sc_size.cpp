#include "frm_sc_size.h"

#include <QApplication>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QMdiSubWindow>
#include <QProgressBar>
#include <QPushButton>
#include <QVBoxLayout>
#include <algorithm>

#include "engine/result_tables.h"
#include "graph_figure.h"
#include "picture_box.h"
#include "plot_graph.h"
#include "qtkit/export_actions.h"
#include "qtkit/up_down.h"

namespace dimora {
namespace {

QLabel* label(const QString& name, const QString& text, QWidget* parent) {
    auto* l = new QLabel(text, parent);
    l->setObjectName(name);
    return l;
}

QLabel* valueLabel(const QString& name, QWidget* parent) {
    auto* l = label(name, QString(), parent);
    l->setFrameShape(QFrame::Panel);
    l->setFrameShadow(QFrame::Sunken);
    l->setAlignment(Qt::AlignCenter);
    l->setMinimumWidth(l->fontMetrics().horizontalAdvance(QStringLiteral("000")) + 8);
    return l;
}

QString twoDigits(int value) {
    return QStringLiteral("%1").arg(value, 2, 10, QLatin1Char('0'));
}

} // namespace

frmSCSize::frmSCSize(QWidget* parent) : QWidget(parent) {
    setObjectName(QStringLiteral("frmSCSize"));
    setWindowTitle(QStringLiteral("SCSize"));

    Label3 = label(QStringLiteral("Label3"), QStringLiteral("Specifications"), this);
    QFont bold = Label3->font();
    bold.setBold(true);
    Label3->setFont(bold);
    Label1 = label(QStringLiteral("Label1"), QStringLiteral("Dimension 1<d<10"), this);
    Label2 = label(QStringLiteral("Label2"), QStringLiteral("Sq. Batt. distance 1"), this);
    Label4 = label(QStringLiteral("Label4"), QString::fromUtf8("\u2264 \u03b4 \u2264"), this);
    udDim = new UpDown(QStringLiteral("udDim"), kDimMin, kDimMax, kDimStart, this);
    labDim = valueLabel(QStringLiteral("labDim"), this);
    udIntDelta =
        new UpDown(QStringLiteral("udIntDelta"), kIntDeltaMin, kIntDeltaMax, kIntDeltaStart, this);
    labIntDelta = valueLabel(QStringLiteral("labIntDelta"), this);
    udFracDelta = new UpDown(QStringLiteral("udFracDelta"), kFracDeltaMin, kFracDeltaMax,
                             kFracDeltaStart, this);
    labFracDelta = valueLabel(QStringLiteral("labFracDelta"), this);
    cmdCompute = new QPushButton(QStringLiteral("Compute"), this);
    cmdCompute->setObjectName(QStringLiteral("cmdCompute"));
    cmdQuit = new QPushButton(QStringLiteral("Quit"), this);
    cmdQuit->setObjectName(QStringLiteral("cmdQuit"));
    pgbInfo = new QProgressBar(this);
    pgbInfo->setObjectName(QStringLiteral("pgbInfo"));
    pgbInfo->setRange(0, 1);
    pgbInfo->setValue(0);
    pgbInfo->setTextVisible(false);
    picGraph = new PictureBox(QStringLiteral("picGraph"), this);
    picGraph->setMinimumSize(420, 300);
    picGraph->setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Expanding);
    picGraph->setCursor(Qt::CrossCursor);
    picDados = new PictureBox(QStringLiteral("picDados"), this);
    picDados->setFixedHeight(picDados->fontMetrics().height() * 4);
    picDados->setMinimumWidth(picDados->fontMetrics().horizontalAdvance(QLatin1Char('W')) * 38);

    labDim->setText(QString::number(udDim->value()));
    labIntDelta->setText(QString::number(udIntDelta->value()));
    labFracDelta->setText(twoDigits(udFracDelta->value()));

    auto* specs = new QGridLayout;
    specs->addWidget(Label3, 0, 0, 1, 4);
    specs->addWidget(Label1, 1, 0, 1, 2);
    specs->addWidget(labDim, 1, 2);
    specs->addWidget(udDim, 1, 3);
    auto* distanceText = new QHBoxLayout;
    distanceText->addWidget(Label2);
    distanceText->addWidget(Label4);
    distanceText->addStretch();
    specs->addLayout(distanceText, 2, 0, 1, 4);
    auto* distance = new QHBoxLayout;
    distance->addStretch();
    distance->addWidget(labIntDelta);
    distance->addWidget(udIntDelta);
    distance->addWidget(new QLabel(QStringLiteral("."), this));
    distance->addWidget(labFracDelta);
    distance->addWidget(udFracDelta);
    specs->addLayout(distance, 3, 0, 1, 4);

    auto* left = new QVBoxLayout;
    left->addLayout(specs);
    left->addSpacing(12);
    left->addWidget(cmdCompute);
    left->addWidget(cmdQuit);
    left->addStretch();
    left->addWidget(pgbInfo);

    auto* right = new QVBoxLayout;
    right->addWidget(picGraph, 1);
    right->addWidget(picDados);

    auto* top = new QHBoxLayout(this);
    top->addLayout(left);
    top->addLayout(right, 1);

    connect(udDim, &QSpinBox::valueChanged, this,
            [this](int v) { labDim->setText(QString::number(v)); });
    connect(udIntDelta, &QSpinBox::valueChanged, this, &frmSCSize::udIntDelta_Change);
    connect(udFracDelta, &QSpinBox::valueChanged, this, &frmSCSize::udFracDelta_Change);
    connect(cmdCompute, &QPushButton::clicked, this, &frmSCSize::cmdCompute_Click);
    connect(cmdQuit, &QPushButton::clicked, this, &frmSCSize::quit);
    connect(picGraph, &PictureBox::repaintNeeded, this, &frmSCSize::picGraph_Paint);
    connect(picDados, &PictureBox::repaintNeeded, this, [this] {
        if (readout_) ShowValues(readoutX_, *picDados, dx_, x0_, curves_);
    });
    connect(picGraph, &PictureBox::mouseDown, this,
            [this](Qt::MouseButton b, QPointF user) { picGraph_MouseDown(b, user.x()); });
    connect(picGraph, &PictureBox::mouseMove, this,
            [this](Qt::MouseButtons b, QPointF user) { picGraph_MouseMove(b, user.x()); });
    // "Export..." and Copy (Ctrl+C) in the graph's context menu.
    qtkit::ExportSources exports;
    exports.figure = [this] {
        return scGraphFigure(curves_, x0_, ymax_, marker_, picGraph->size(), picGraph->font(),
                             picGraph->scale());
    };
    exports.table = [this]() -> std::optional<csv::Table> {
        if (curves_.ED.empty()) return std::nullopt;
        return scCurvesTable(curves_);
    };
    exports.baseName = QStringLiteral("SCSize");
    qtkit::addExportActions(picGraph, exports);
    resize(820, 480);
}

void frmSCSize::udFracDelta_Change(int value) {
    const int wrapped = wrapFraction(value);
    if (wrapped != value) {
        udFracDelta->setValue(wrapped);
        return;
    }
    labFracDelta->setText(twoDigits(value));
}

void frmSCSize::udIntDelta_Change(int value) {
    labIntDelta->setText(QString::number(value));
    if (!fractionEnabled(value)) udFracDelta->setValue(0);
    udFracDelta->setEnabled(fractionEnabled(value));
}

void frmSCSize::cmdCompute_Click() {
    if (computing_) return;
    computing_ = true;
    const int d = udDim->value();
    const float delta = squaredDistance(udIntDelta->value(), udFracDelta->value());
    picDados->hide();
    SCProgress progress;
    progress.setRange = [this](int lo, int hi) { pgbInfo->setRange(lo, hi); };
    progress.setValue = [this](int v) {
        pgbInfo->setValue(v);
        if (v == 0) QApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
    };
    curves_ = computeSCSize(d, delta, progress);
    x0_ = 1.0f / static_cast<float>(d);
    marker_ = -1.0f;
    dx_ = PlotGraph(*picGraph, curves_.npts, curves_.d, curves_.Pe, x0_, curves_, 1, ymax_,
                    Qt::black, Qt::black, Qt::black,
                    [] { QApplication::processEvents(QEventLoop::ExcludeUserInputEvents); });
    pgbInfo->setValue(pgbInfo->maximum());
    picDados->clear();
    readout_.reset();
    picDados->show();
    computing_ = false;
}

void frmSCSize::picGraph_Paint() {
    // A redraw clears the picture, so the marker line is gone with it.
    marker_ = -1.0f;
    if (!curves_.ED.empty() && curves_.npts > 0 && curves_.d > 0)
        dx_ = PlotGraph(*picGraph, curves_.npts, curves_.d, curves_.Pe, x0_, curves_, 1, ymax_,
                        Qt::black, Qt::black, Qt::black);
}

void frmSCSize::picGraph_MouseDown(Qt::MouseButton button, double x) {
    if (button != Qt::LeftButton || curves_.ED.empty()) return;
    x = std::max(x, 0.0);
    if (marker_ >= 0.0f) {
        picGraph->invertDottedVertical(marker_, ymax_, ymin_);
        marker_ = -1.0f;
    }
    marker_ = static_cast<float>(x);
    picGraph->invertDottedVertical(marker_, ymax_, ymin_);
    if (auto r = ShowValues(x, *picDados, dx_, x0_, curves_)) {
        readout_ = r;
        readoutX_ = x;
    }
}

void frmSCSize::picGraph_MouseMove(Qt::MouseButtons buttons, double x) {
    if (!(buttons & Qt::LeftButton) || marker_ < 0.0f) return;
    x = std::clamp(x, 0.0, double{xRight_});
    picGraph->invertDottedVertical(marker_, ymax_, ymin_);
    marker_ = static_cast<float>(x);
    picGraph->invertDottedVertical(marker_, ymax_, ymin_);
    if (auto r = ShowValues(x, *picDados, dx_, x0_, curves_)) {
        readout_ = r;
        readoutX_ = x;
    }
}

void frmSCSize::quit() {
    if (auto* sub = qobject_cast<QMdiSubWindow*>(parentWidget()))
        sub->close();
    else
        close();
}

} // namespace dimora
