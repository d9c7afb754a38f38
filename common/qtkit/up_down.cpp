#include "up_down.h"

#include <QLineEdit>
#include <QStyle>
#include <QStyleOptionSpinBox>

#include <algorithm>

namespace qtkit {

UpDown::UpDown(const QString& name, int minimum, int maximum, int start, QWidget* parent)
    : QSpinBox(parent) {
    setObjectName(name);
    setRange(minimum, maximum);
    setValue(start);
    setFocusPolicy(Qt::StrongFocus);
    lineEdit()->setReadOnly(true);
    lineEdit()->setVisible(false);
    setFixedSize(sizeHint());
}

QSize UpDown::sizeHint() const {
    QStyleOptionSpinBox option;
    initStyleOption(&option);
    const QRect up =
        style()->subControlRect(QStyle::CC_SpinBox, &option, QStyle::SC_SpinBoxUp, this);
    const int frame = style()->pixelMetric(QStyle::PM_SpinBoxFrameWidth, &option, this);
    const int width = std::max(up.width(), 12) + 2 * frame;
    return {width, QSpinBox::sizeHint().height()};
}

void UpDown::stepBy(int steps) {
    const int before = value();
    QSpinBox::stepBy(steps);
    if (value() != before) emit stepped(value());
}

} // namespace qtkit
