// An up-down control: a pair of arrow buttons that step a value within a range. Its value is
// shown by a separate label, so the spin box's own text field is hidden.
#pragma once

#include <QSpinBox>

namespace dimora {

class UpDown : public QSpinBox {
    Q_OBJECT
public:
    UpDown(const QString& name, int minimum, int maximum, int start, QWidget* parent = nullptr);
    QSize sizeHint() const override;
    QSize minimumSizeHint() const override { return sizeHint(); }
};

} // namespace dimora
