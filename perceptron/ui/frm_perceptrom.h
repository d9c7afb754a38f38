// The demonstration window: the plane, the letter image, the two set options and Step.
#pragma once

#include "engine/plane.h"
#include "engine/rule.h"

#include <QString>
#include <QWidget>

class QLabel;
class QPushButton;
class QRadioButton;

namespace perceptron {

class PlaneCanvas;

class frmPerceptrom : public QWidget {
    Q_OBJECT
public:
    explicit frmPerceptrom(QWidget* parent = nullptr);

    const Demonstration& demonstration() const { return demo_; }

    /// The name of the letter image `bmp` shows ("" while it shows none).
    QString shownImage() const { return shownImage_; }

    /// The readout text last printed on the plane ("" before the pointer has moved over it).
    QString readoutText() const { return readoutText_; }

    /// The colour index the decision line is drawn in.
    int lineColour() const { return LineColour; }

private:
    void Opconj_Click(SetChoice choice);
    void cmdstep_Click();
    void Picturexy_MouseMove(UserPoint at);
    void Picturexy_MouseDown(UserPoint at);

    void DrawAxes();
    void DrawPoints();
    void DrawDecisionLine();
    void showImage(const std::string& name);

    PlaneCanvas* Picturexy;
    QLabel* bmp;
    QRadioButton* Opconj1;
    QRadioButton* Opconj2;
    QPushButton* cmdstep;

    Demonstration demo_;
    int LineColour = colour::dark_yellow;
    QString shownImage_;
    QString readoutText_;
    double readoutRight_ = 0;  ///< right end of the readout strip, X
    double readoutBottom_ = 0; ///< bottom of the readout strip, yd
};

} // namespace perceptron
