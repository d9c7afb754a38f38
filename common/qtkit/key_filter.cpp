#include "key_filter.h"

#include <QKeyEvent>
#include <QLineEdit>

namespace qtkit {

NumericKeyFilter::NumericKeyFilter(QObject* parent, KeyFilterOptions options)
    : QObject(parent), options_(options) {}

bool NumericKeyFilter::accepts(QChar c) const {
    if (c >= QLatin1Char('0') && c <= QLatin1Char('9')) return true;
    if (c == QLatin1Char('.')) return options_.point;
    if (c == QLatin1Char(',')) return options_.comma;
    if (c == QLatin1Char('+') || c == QLatin1Char('-')) return options_.signs;
    if (c == QLatin1Char('e') || c == QLatin1Char('E')) return options_.exponent;
    // Backspace (8) and delete (127) arrive as control characters on some platforms.
    return c.unicode() == 8 || c.unicode() == 127;
}

bool NumericKeyFilter::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() != QEvent::KeyPress) return QObject::eventFilter(watched, event);
    auto* key = static_cast<QKeyEvent*>(event);
    if (key->modifiers() & (Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier)) return false;
    const QString text = key->text();
    if (text.isEmpty() || !text.at(0).isPrint()) return false; // editing and navigation keys
    for (QChar c : text)
        if (!accepts(c)) return true; // discarded
    return false;
}

NumericKeyFilter* filterDigits(QLineEdit* edit, KeyFilterOptions options) {
    auto* filter = new NumericKeyFilter(edit, options);
    edit->installEventFilter(filter);
    return filter;
}

} // namespace qtkit
