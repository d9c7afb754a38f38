// The About window: title, version, description, and a button that opens a system-information
// viewer where the machine has one.
#pragma once

#include <QDialog>
#include <QStringList>
#include <functional>

class QLabel;
class QPushButton;

namespace dimora {

class frmAbout : public QDialog {
    Q_OBJECT
public:
    explicit frmAbout(QWidget* parent = nullptr);

    /// Programs tried in turn by "&System Info..."; the first found on the PATH is started.
    void setSysInfoPrograms(QStringList programs) { sysInfoPrograms_ = std::move(programs); }

    using MessageHandler = std::function<void(const QString& title, const QString& text)>;
    void setMessageHandler(MessageHandler handler) { message_ = std::move(handler); }

    void cmdSysInfo_Click();

private:
    QLabel* lblTitle;
    QLabel* lblVersion;
    QLabel* lblDescription;
    QPushButton* cmdOK;
    QPushButton* cmdSysInfo;
    QStringList sysInfoPrograms_;
    MessageHandler message_;
};

} // namespace dimora
