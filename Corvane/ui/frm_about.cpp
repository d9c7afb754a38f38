#include "frm_about.h"

#include "frm_logo.h"

#include <QDialogButtonBox>
#include <QLabel>
#include <QVBoxLayout>

namespace corvane {

frm_About::frm_About(QWidget* parent) : QDialog(parent) {
    setObjectName("frm_About");
    setWindowTitle("About Corvane");
    Image1 = new QLabel(this);
    Image1->setObjectName("Image1");
    Image1->setPixmap(desenho_logo(QSize(frm_logo::largura * 3 / 4, frm_logo::altura * 3 / 4)));
    Label1 = new QLabel("Version 1.0", this);
    Label1->setObjectName("Label1");
    Label2 = new QLabel("001226", this);
    Label2->setObjectName("Label2");
    for (auto* l : {Label1, Label2})
        l->setAlignment(Qt::AlignCenter);
    auto* botoes = new QDialogButtonBox(QDialogButtonBox::Ok, this);
    connect(botoes, &QDialogButtonBox::accepted, this, &QDialog::accept);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(Image1, 0, Qt::AlignCenter);
    layout->addWidget(Label1);
    layout->addWidget(Label2);
    layout->addWidget(botoes);
    layout->setSizeConstraint(QLayout::SetFixedSize);
}

} // namespace corvane
