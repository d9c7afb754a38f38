#include "message.h"

#include <QApplication>
#include <QMessageBox>

namespace qtkit {
namespace {

QMessageBox::Icon toQt(MessageIcon icon) {
    switch (icon) {
    case MessageIcon::critical:
        return QMessageBox::Critical;
    case MessageIcon::information:
        return QMessageBox::Information;
    case MessageIcon::question:
        return QMessageBox::Question;
    case MessageIcon::warning:
        return QMessageBox::Warning;
    case MessageIcon::none:
        break;
    }
    return QMessageBox::NoIcon;
}

} // namespace

void showMessage(QWidget* parent, const QString& title, const QString& text, MessageIcon icon) {
    QMessageBox box(toQt(icon), title, text, QMessageBox::Ok, parent);
    box.exec();
}

bool askYesNo(QWidget* parent, const QString& title, const QString& text, MessageIcon icon) {
    QMessageBox box(toQt(icon), title, text, QMessageBox::Yes | QMessageBox::No, parent);
    box.setDefaultButton(QMessageBox::Yes);
    return box.exec() == QMessageBox::Yes;
}

void beep() {
    QApplication::beep();
}

} // namespace qtkit
