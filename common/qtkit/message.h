// Modal message boxes with a title, and the beep.
#pragma once

#include <QString>

class QWidget;

namespace qtkit {

enum class MessageIcon { none, critical, information, question, warning };

/// A modal box with one OK button.
void showMessage(QWidget* parent, const QString& title, const QString& text,
                 MessageIcon icon = MessageIcon::none);

/// A modal Yes/No box; true for Yes.
bool askYesNo(QWidget* parent, const QString& title, const QString& text,
              MessageIcon icon = MessageIcon::question);

void beep();

} // namespace qtkit
