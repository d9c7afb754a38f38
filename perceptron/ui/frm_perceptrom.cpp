#include "frm_perceptrom.h"

#include "plane_canvas.h"
#include "plane_figure.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QPixmap>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

#include <algorithm>

// The letter images live in a resource file of this static library; registering it here keeps
// the linker from dropping it. Must be called outside any namespace; once is enough.
static void registerLetterImages() {
    static bool registered = false;
    if (!registered) {
        Q_INIT_RESOURCE(letters);
        registered = true;
    }
}

namespace perceptron {

namespace {

constexpr int letter_width = 29;
constexpr int letter_height = 46;

} // namespace

frmPerceptrom::frmPerceptrom(QWidget* parent) : QWidget(parent) {
    registerLetterImages();
    setObjectName(QStringLiteral("frmPerceptrom"));
    setWindowTitle(QStringLiteral("Perceptron"));

    Picturexy = new PlaneCanvas(this);
    Picturexy->setObjectName(QStringLiteral("Picturexy"));

    bmp = new QLabel(this);
    bmp->setObjectName(QStringLiteral("bmp"));
    bmp->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    bmp->setLineWidth(2);
    bmp->setFixedSize(letter_width + 4, letter_height + 4);
    bmp->setAlignment(Qt::AlignCenter);
    bmp->setAutoFillBackground(true);
    QPalette white = bmp->palette();
    white.setColor(QPalette::Window, Qt::white);
    bmp->setPalette(white);

    Opconj1 = new QRadioButton(QStringLiteral("Set 1"), this);
    Opconj1->setObjectName(QStringLiteral("Opconj1"));
    Opconj2 = new QRadioButton(QStringLiteral("Set 2"), this);
    Opconj2->setObjectName(QStringLiteral("Opconj2"));
    cmdstep = new QPushButton(QStringLiteral("&Step"), this);
    cmdstep->setObjectName(QStringLiteral("cmdstep"));

    auto* side = new QVBoxLayout;
    side->addWidget(bmp, 0, Qt::AlignHCenter);
    side->addSpacing(16);
    side->addWidget(Opconj1);
    side->addWidget(Opconj2);
    side->addStretch(1);
    side->addWidget(cmdstep);
    auto* layout = new QHBoxLayout(this);
    layout->addWidget(Picturexy);
    layout->addSpacing(8);
    layout->addLayout(side);
    layout->setSizeConstraint(QLayout::SetFixedSize);

    connect(Opconj1, &QRadioButton::clicked, this, [this] { Opconj_Click(SetChoice::set1); });
    connect(Opconj2, &QRadioButton::clicked, this, [this] { Opconj_Click(SetChoice::set2); });
    connect(cmdstep, &QPushButton::clicked, this, [this] { cmdstep_Click(); });
    connect(Picturexy, &PlaneCanvas::pointerMoved, this,
            [this](UserPoint at) { Picturexy_MouseMove(at); });
    connect(Picturexy, &PlaneCanvas::pointerPressed, this,
            [this](UserPoint at) { Picturexy_MouseDown(at); });

    // The readout strip is cleared as far as the longest readout reaches in the plane's font
    // (one pixel more for its smoothed edges).
    for (const std::string& text : widest_readouts()) {
        QSizeF extent = PlaneCanvas::textExtent(text);
        readoutRight_ = std::max(readoutRight_, 4.0 + extent.width() + 1 / scale::pixels_per_x);
        readoutBottom_ = std::max(readoutBottom_, extent.height() + 1 / scale::pixels_per_yd);
    }

    // "Export..." and Copy (Ctrl+C) in the plane's context menu.
    qtkit::addExportActions(Picturexy, plane_exports(demo_, LineColour));

    // Opening state: no samples, weights 0, only the axes on the plane.
    LineColour = colour::dark_yellow;
    DrawAxes();
}

void frmPerceptrom::Opconj_Click(SetChoice choice) {
    QRadioButton* clicked = choice == SetChoice::set1 ? Opconj1 : Opconj2;
    QRadioButton* other = choice == SetChoice::set1 ? Opconj2 : Opconj1;
    Picturexy->clear();
    DrawAxes();
    demo_.set_weights(start_weights);
    if (clicked->isChecked()) {
        other->setChecked(false);
        demo_.select_set(choice);
        DrawPoints();
        DrawDecisionLine();
    }
}

void frmPerceptrom::cmdstep_Click() {
    if (!Opconj1->isChecked() && !Opconj2->isChecked()) return;
    demo_.step();
    Picturexy->clear();
    DrawDecisionLine();
    DrawPoints();
    DrawAxes();
}

void frmPerceptrom::Picturexy_MouseMove(UserPoint at) {
    Picturexy->draw(draw_readout(at, readoutRight_, readoutBottom_));
    readoutText_ = QString::fromStdString(readout_text(at));
    if (demo_.samples().u.empty()) return;
    if (auto name = image_under_pointer(demo_.samples(), at)) showImage(*name);
}

void frmPerceptrom::Picturexy_MouseDown(UserPoint at) {
    if (demo_.samples().u.empty()) return;
    if (auto name = image_under_click(demo_.samples(), at)) showImage(*name);
}

void frmPerceptrom::DrawAxes() {
    Picturexy->draw(draw_axes());
}

void frmPerceptrom::DrawPoints() {
    Picturexy->draw(draw_points(demo_.samples()));
}

void frmPerceptrom::DrawDecisionLine() {
    Picturexy->draw(draw_decision_line(demo_.weights(), LineColour));
}

void frmPerceptrom::showImage(const std::string& name) {
    shownImage_ = QString::fromStdString(name);
    bmp->setPixmap(QPixmap(QStringLiteral(":/letters/") + shownImage_ + QStringLiteral(".png")));
}

} // namespace perceptron
