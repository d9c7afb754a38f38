#include "form1.h"

#include "engine/compute.h"
#include "engine/result_labels.h"
#include "engine/result_table.h"
#include "qtkit/export_actions.h"
#include "qtkit/key_filter.h"
#include "qtkit/message.h"
#include "qtkit/wait_cursor.h"

#include <QApplication>
#include <QCheckBox>
#include <QFileDialog>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

namespace pellin {
namespace {

QLabel* caption(const char* name, const QString& text, QWidget* parent) {
    auto* label = new QLabel(text, parent);
    label->setObjectName(QString::fromLatin1(name));
    return label;
}

// Puts the engine's label texts and messages into the window.
class WindowReport : public Report {
public:
    explicit WindowReport(Form1& form) : form_(form) {}
    void show(std::string_view label, const std::string& text) override {
        if (auto* l = form_.findChild<QLabel*>(
                QString::fromLatin1(label.data(), static_cast<int>(label.size()))))
            l->setText(QString::fromStdString(text));
    }
    void message(const std::string& title, const std::string& text) override {
        // The pointer is an arrow while the person reads the message.
        QApplication::restoreOverrideCursor();
        form_.messageBox(QString::fromStdString(title), QString::fromStdString(text));
        QApplication::setOverrideCursor(QCursor(Qt::WaitCursor));
    }

private:
    Form1& form_;
};

} // namespace

Form1::Form1(QWidget* parent) : QWidget(parent) {
    setObjectName("Form1");
    setWindowTitle(window_title);
    messageBox = [this](const QString& title, const QString& text) {
        qtkit::showMessage(this, title, text);
    };
    chooseFile = [this]() {
        return QFileDialog::getOpenFileName(this, "Prototype file", QString(),
                                            "Text files (*.txt);;All files (*)");
    };
    buildLayout();
    Option1->setChecked(true);
    Option1_Click();
}

QLabel* Form1::resultLabel(const char* name, QWidget* parent) {
    auto* label = new QLabel(parent);
    label->setObjectName(QString::fromLatin1(name));
    label->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    label->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    label->setMinimumWidth(64);
    // One line high however tall the window grows.
    label->setSizePolicy(QSizePolicy::Preferred, QSizePolicy::Fixed);
    label->setAutoFillBackground(true);
    QPalette pal = label->palette();
    pal.setColor(QPalette::Window, pal.color(QPalette::Base));
    label->setPalette(pal);
    return label;
}

void Form1::buildLayout() {
    // Specifications: the file and the two numbers.
    Frame1 = new QGroupBox("Specifications", this);
    Frame1->setObjectName("Frame1");
    Label13 = caption("Label13", "Filename", Frame1);
    Label14 = caption("Label14", "Neighbours", Frame1);
    Label1 = caption("Label1", "Partitions", Frame1);
    Text1 = new QLineEdit(Frame1);
    Text1->setObjectName("Text1");
    Text1->setMinimumWidth(260);
    cmdBrowse = new QPushButton("...", Frame1);
    cmdBrowse->setObjectName("cmdBrowse");
    cmdBrowse->setToolTip("Choose a prototype file");
    cmdBrowse->setFixedWidth(32);
    Text2 = new QLineEdit("1", Frame1);
    Text2->setObjectName("Text2");
    Text3 = new QLineEdit("2", Frame1);
    Text3->setObjectName("Text3");
    for (QLineEdit* e : {Text2, Text3}) {
        e->setMaximumWidth(60);
        e->setAlignment(Qt::AlignRight);
        qtkit::filterDigits(e);
    }
    auto* spec = new QGridLayout(Frame1);
    spec->addWidget(Label13, 0, 0);
    auto* fileRow = new QHBoxLayout;
    fileRow->addWidget(Text1, 1);
    fileRow->addWidget(cmdBrowse);
    spec->addLayout(fileRow, 0, 1, 1, 4);
    spec->addWidget(Label14, 1, 0);
    spec->addWidget(Text2, 1, 1);
    spec->addWidget(Label1, 1, 2, Qt::AlignRight);
    spec->addWidget(Text3, 1, 3);
    spec->setColumnStretch(4, 1);

    // The scheme.
    Frame2 = new QGroupBox(this);
    Frame2->setObjectName("Frame2");
    Option1 = new QRadioButton("Partition", Frame2);
    Option1->setObjectName("Option1");
    Option2 = new QRadioButton("Edition", Frame2);
    Option2->setObjectName("Option2");
    Check1 = new QCheckBox("Stepwise", Frame2);
    Check1->setObjectName("Check1");
    auto* scheme = new QVBoxLayout(Frame2);
    scheme->addWidget(Option1);
    scheme->addWidget(Option2);
    scheme->addWidget(Check1);

    // File summary.
    auto* summary = new QHBoxLayout;
    const std::pair<const char*, const char*> sums[] = {
        {"Label17", "N="}, {"Label19", "N1="}, {"Label21", "N2="}, {"Label25", "d="}};
    const char* values[] = {labels::n, labels::n1, labels::n2, labels::d};
    for (int i = 0; i < 4; ++i) {
        summary->addWidget(caption(sums[i].first, sums[i].second, this));
        summary->addWidget(resultLabel(values[i], this));
        summary->addSpacing(12);
    }
    summary->addStretch(1);

    // Confusion table.
    auto* table = new QGroupBox(this);
    table->setObjectName("FrameResults");
    auto* grid = new QGridLayout(table);
    auto* header = caption("Label2", "Predicted Classifications", table);
    header->setAlignment(Qt::AlignCenter);
    QFont bold = header->font();
    bold.setBold(true);
    header->setFont(bold);
    grid->addWidget(header, 0, 1, 1, 4);
    const char* heads[] = {"C1", "%", "C2", "%"};
    for (int c = 0; c < 4; ++c) {
        auto* h = caption(QString("Label3(%1)").arg(c).toLatin1().constData(), heads[c], table);
        h->setAlignment(Qt::AlignCenter);
        grid->addWidget(h, 1, 1 + c);
    }
    auto* nHead = caption("Label28", "N", table);
    nHead->setAlignment(Qt::AlignCenter);
    grid->addWidget(nHead, 1, 5);
    grid->addWidget(caption("Label4", "C1", table), 2, 0);
    grid->addWidget(caption("Label5", "C2", table), 3, 0);
    const char* row1[] = {labels::c1_as_c1, labels::c1_as_c1_percent, labels::c1_as_c2,
                          labels::c1_as_c2_percent, labels::tested1};
    const char* row2[] = {labels::c2_as_c1, labels::c2_as_c1_percent, labels::c2_as_c2,
                          labels::c2_as_c2_percent, labels::tested2};
    for (int c = 0; c < 5; ++c) {
        grid->addWidget(resultLabel(row1[c], table), 2, 1 + c);
        grid->addWidget(resultLabel(row2[c], table), 3, 1 + c);
    }
    grid->setColumnMinimumWidth(5, 64);
    grid->addItem(new QSpacerItem(0, 10), 4, 0);
    grid->addWidget(caption("Label10", "Overall Error (%)", table), 5, 0, 1, 2, Qt::AlignRight);
    grid->addWidget(resultLabel(labels::overall_error, table), 5, 2);
    grid->addWidget(caption("Label30", "s=", table), 5, 3, Qt::AlignRight);
    grid->addWidget(resultLabel(labels::spread, table), 5, 4);
    // "Export..." and Copy (Ctrl+C) of the results in the table's context menu.
    qtkit::addExportActions(table, {{}, [this] { return results_; }, QStringLiteral("results")});

    Command1 = new QPushButton("Compute", this);
    Command1->setObjectName("Command1");
    Command1->setDefault(true);
    Command3 = new QPushButton("Exit", this);
    Command3->setObjectName("Command3");

    auto* top = new QHBoxLayout;
    top->addWidget(Frame1, 1);
    top->addWidget(Frame2);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(Command1);
    buttons->addWidget(Command3);
    auto* main = new QVBoxLayout(this);
    main->addLayout(top);
    main->addLayout(summary);
    main->addWidget(table);
    main->addStretch(1);
    main->addLayout(buttons);

    connect(Command1, &QPushButton::clicked, this, &Form1::Command1_Click);
    connect(Command3, &QPushButton::clicked, this, &QWidget::close);
    connect(Option1, &QRadioButton::clicked, this, &Form1::Option1_Click);
    connect(Option2, &QRadioButton::clicked, this, &Form1::Option2_Click);
    connect(cmdBrowse, &QPushButton::clicked, this, [this] {
        const QString name = chooseFile();
        if (!name.isEmpty()) setFileName(name);
    });
}

void Form1::setFileName(const QString& name) {
    Text1->setText(name);
}

void Form1::Option1_Click() {
    Text3->setEnabled(true);
    Check1->setEnabled(true);
    QPalette pal = Label1->palette();
    pal.setColor(QPalette::WindowText, palette().color(QPalette::Active, QPalette::ButtonText));
    Label1->setPalette(pal);
}

void Form1::Option2_Click() {
    Text3->setEnabled(false);
    Check1->setEnabled(false);
    QPalette pal = Label1->palette();
    pal.setColor(QPalette::WindowText, palette().color(QPalette::Disabled, QPalette::WindowText));
    Label1->setPalette(pal);
}

void Form1::Command1_Click() {
    // The completed name is in the box before any message about the file appears.
    Text1->setText(QString::fromStdString(completed_filename(Text1->text().toStdString())));
    ComputeRequest request;
    request.filename = Text1->text().toStdString();
    request.neighbours = Text2->text().toStdString();
    request.partitions = Text3->text().toStdString();
    request.edition = Option2->isChecked();
    request.stepwise = Check1->isChecked();
    WindowReport window(*this);
    ResultTable report(window);
    Command1->setEnabled(false);
    {
        qtkit::WaitCursor wait;
        const ComputeOutcome outcome = compute(request, report);
        results_.reset();
        if (outcome.ok && !report.empty())
            results_ = report.table(request.stepwise || request.edition);
    }
    Command1->setEnabled(true);
}

} // namespace pellin
