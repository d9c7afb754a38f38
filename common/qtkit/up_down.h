// An up-down control: a pair of arrow buttons that step a value within a range. Its value is
// shown by a separate label, so the spin box's own text field is hidden.
#pragma once

#include <QSpinBox>

namespace qtkit {

class UpDown : public QSpinBox {
    Q_OBJECT
public:
    UpDown(const QString& name, int minimum, int maximum, int start, QWidget* parent = nullptr);
    QSize sizeHint() const override;
    QSize minimumSizeHint() const override { return sizeHint(); }

    /// An arrow (or its key) pressed: the value moves and, when it changed, `stepped` follows
    /// `valueChanged`.
    void stepBy(int steps) override;

signals:
    /// The person stepped the value; `setValue` from the program does not emit it.
    void stepped(int value);
};

} // namespace qtkit
