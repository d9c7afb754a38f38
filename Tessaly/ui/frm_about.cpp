#include "frm_about.h"

#include "app_icon.h"
#include "main_settings.h"
#include "ui_dialogs.h"

#include <QGridLayout>
#include <QLabel>
#include <QPushButton>

namespace tessaly {

frmAbout::frmAbout(UiDialogs* dialogs, QWidget* parent) : QDialog(parent), dialogs_(dialogs) {
    setObjectName("frmAbout");
    setWindowTitle("About Tessaly");
    picIcon = new QLabel(this);
    picIcon->setObjectName("picIcon");
    picIcon->setPixmap(appPixmap(48));
    lblTitle = new QLabel(QString::fromLatin1(kApplicationTitle), this);
    lblTitle->setObjectName("lblTitle");
    QFont big = lblTitle->font();
    big.setPointSizeF(big.pointSizeF() * 1.6);
    big.setBold(true);
    lblTitle->setFont(big);
    lblVersion = new QLabel("Version 1.0.0", this);
    lblVersion->setObjectName("lblVersion");
    auto* text =
        new QLabel("A Hopfield network for drawing, storing and recalling patterns.", this);
    text->setWordWrap(true);
    cmdOK = new QPushButton("OK", this);
    cmdOK->setObjectName("cmdOK");
    cmdOK->setDefault(true);
    cmdSysInfo = new QPushButton("&System Info...", this);
    cmdSysInfo->setObjectName("cmdSysInfo");

    auto* layout = new QGridLayout(this);
    layout->addWidget(picIcon, 0, 0, 3, 1, Qt::AlignTop);
    layout->addWidget(lblTitle, 0, 1);
    layout->addWidget(lblVersion, 1, 1);
    layout->addWidget(text, 2, 1);
    layout->setRowStretch(3, 1);
    layout->addWidget(cmdOK, 0, 2);
    layout->addWidget(cmdSysInfo, 1, 2);
    layout->setColumnStretch(1, 1);
    setMinimumWidth(420);

    connect(cmdOK, &QPushButton::clicked, this, &QDialog::accept);
    connect(cmdSysInfo, &QPushButton::clicked, this, &frmAbout::startSysInfo);
}

QStringList frmAbout::systemInfoPrograms() {
    return {"hardinfo2", "hardinfo", "kinfocenter", "gnome-system-monitor", "lshw-gtk"};
}

void frmAbout::startSysInfo() {
    if (!dialogs_->startProgram(systemInfoPrograms()))
        dialogs_->message(this, "System Information Is Unavailable At This Time");
}

} // namespace tessaly
