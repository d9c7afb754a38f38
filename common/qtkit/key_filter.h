// Key filters for numeric text boxes: each key is kept or discarded as it is typed.
#pragma once

#include <QObject>

class QLineEdit;

namespace qtkit {

/// Which characters a numeric box accepts besides the digits "0"-"9" and the editing keys
/// (backspace, delete, arrows, Home/End, Tab, Enter, Escape and shortcuts with Ctrl).
struct KeyFilterOptions {
    bool point = false;    ///< "."
    bool comma = false;    ///< ","
    bool signs = false;    ///< "+" and "-"
    bool exponent = false; ///< "E" and "e"
};

/// Discards every printable key that the options do not allow. Installed on a QLineEdit (or any
/// widget taking key presses), parented to it.
class NumericKeyFilter : public QObject {
    Q_OBJECT
public:
    NumericKeyFilter(QObject* parent, KeyFilterOptions options);

    /// True when the printable character `c` passes the filter.
    bool accepts(QChar c) const;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    KeyFilterOptions options_;
};

/// Installs a filter on `edit` and returns it.
NumericKeyFilter* filterDigits(QLineEdit* edit, KeyFilterOptions options = {});

} // namespace qtkit
