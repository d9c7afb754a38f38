// The classifier-size calculator: dimension and squared distance from up-downs, the design and
// test error curves in a graph, and the values under a movable marker.
#pragma once

#include <QWidget>

#include <optional>

#include "engine/graph_layout.h"
#include "engine/sc_size.h"

class QLabel;
class QProgressBar;
class QPushButton;

namespace qtkit {
class UpDown;
}

namespace dimora {

class PictureBox;
using qtkit::UpDown;

class frmSCSize : public QWidget {
    Q_OBJECT
public:
    explicit frmSCSize(QWidget* parent = nullptr);

    void cmdCompute_Click();
    /// Draws the graph again from the current curves (the marker is not redrawn).
    void picGraph_Paint();
    void picGraph_MouseDown(Qt::MouseButton button, double x);
    void picGraph_MouseMove(Qt::MouseButtons buttons, double x);

    const SCCurves& curves() const { return curves_; }
    double dx() const { return dx_; }
    /// Abscissa of the marker, -1 when there is none.
    float marker() const { return marker_; }
    PictureBox* graph() const { return picGraph; }
    /// What the readout box shows, nothing before the first marker.
    const std::optional<Readout>& readout() const { return readout_; }

private:
    void udFracDelta_Change(int value);
    void udIntDelta_Change(int value);
    void quit();

    QLabel* Label1;
    QLabel* Label2;
    QLabel* Label3;
    QLabel* Label4;
    UpDown* udDim;
    QLabel* labDim;
    UpDown* udIntDelta;
    QLabel* labIntDelta;
    UpDown* udFracDelta;
    QLabel* labFracDelta;
    QPushButton* cmdCompute;
    QPushButton* cmdQuit;
    QProgressBar* pgbInfo;
    PictureBox* picGraph;
    PictureBox* picDados;

    SCCurves curves_;
    double dx_ = -1.0;
    float x0_ = 0.0f;
    float marker_ = -1.0f;
    std::optional<Readout> readout_;
    double readoutX_ = 0.0;
    bool computing_ = false;
    static constexpr float ymax_ = 0.5f;
    static constexpr float ymin_ = 0.0f;
    static constexpr float xRight_ = 10.0f;
};

} // namespace dimora
