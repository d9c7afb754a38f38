// The About window.
#pragma once

#include <QDialog>

class QLabel;
class QPushButton;

namespace tessaly {

class UiDialogs;

class frmAbout : public QDialog {
    Q_OBJECT
public:
    explicit frmAbout(UiDialogs* dialogs, QWidget* parent = nullptr);

    /// Programs tried in turn by "&System Info...".
    static QStringList systemInfoPrograms();

private:
    void startSysInfo();

    UiDialogs* dialogs_;
    QLabel* picIcon;
    QLabel* lblTitle;
    QLabel* lblVersion;
    QPushButton* cmdOK;
    QPushButton* cmdSysInfo;
};

} // namespace tessaly
