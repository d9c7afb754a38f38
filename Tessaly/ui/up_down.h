// An up-down control: two arrow buttons stepping a value within a range.
#pragma once

#include <QWidget>

class QToolButton;

namespace tessaly {

class UpDown : public QWidget {
    Q_OBJECT
public:
    explicit UpDown(QWidget* parent = nullptr);

    int value() const { return value_; }
    /// Sets the value (brought into the range) without emitting `stepped`.
    void setValue(int value);
    void setRange(int minimum, int maximum);

    QToolButton* upButton() const { return up_; }
    QToolButton* downButton() const { return down_; }

signals:
    /// The user pressed an arrow and the value changed.
    void stepped(int value);
    /// The value changed, by the user or by `setValue`.
    void valueChanged(int value);

private:
    void step(int delta);
    QToolButton* up_;
    QToolButton* down_;
    int value_ = 1;
    int minimum_ = 1;
    int maximum_ = 1;
};

} // namespace tessaly
