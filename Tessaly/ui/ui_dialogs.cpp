#include "ui_dialogs.h"

#include "main_settings.h"

#include "qtkit/message.h"

#include <QFileDialog>
#include <QProcess>
#include <QStandardPaths>

namespace tessaly {

namespace {

class DesktopDialogs : public UiDialogs {
public:
    QStringList openFiles(QWidget* parent, const QString& title, const QString& filter,
                          bool multiple) override {
        if (multiple) return QFileDialog::getOpenFileNames(parent, title, QString(), filter);
        const QString name = QFileDialog::getOpenFileName(parent, title, QString(), filter);
        return name.isEmpty() ? QStringList{} : QStringList{name};
    }
    QString saveFile(QWidget* parent, const QString& title, const QString& filter,
                     const QString& suffix) override {
        QFileDialog dialog(parent, title, QString(), filter);
        dialog.setAcceptMode(QFileDialog::AcceptSave);
        dialog.setDefaultSuffix(suffix);
        if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return {};
        return dialog.selectedFiles().front();
    }
    void message(QWidget* parent, const QString& text) override {
        qtkit::showMessage(parent, QString::fromLatin1(kApplicationTitle), text);
    }
    bool askYesNo(QWidget* parent, const QString& text) override {
        return qtkit::askYesNo(parent, QString::fromLatin1(kApplicationTitle), text,
                               qtkit::MessageIcon::none);
    }
    void beep() override { qtkit::beep(); }
    bool startProgram(const QStringList& candidates) override {
        for (const QString& name : candidates) {
            const QString path = QStandardPaths::findExecutable(name);
            if (!path.isEmpty() && QProcess::startDetached(path, {})) return true;
        }
        return false;
    }
};

} // namespace

UiDialogs& desktopDialogs() {
    static DesktopDialogs dialogs;
    return dialogs;
}

} // namespace tessaly
