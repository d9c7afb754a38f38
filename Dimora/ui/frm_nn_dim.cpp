#include "frm_nn_dim.h"

#include <QApplication>
#include <QCheckBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMdiSubWindow>
#include <QMessageBox>
#include <QPushButton>
#include <QVBoxLayout>

#include "engine/nn_dim.h"
#include "engine/result_tables.h"
#include "qtkit/export_actions.h"
#include "qtkit/key_filter.h"
#include "qtkit/message.h"

namespace dimora {

// The calculator's view of the window.
class NNDimWindowView : public NNDimView {
public:
    explicit NNDimWindowView(frmNNDim& w) : w_(w) {}
    std::string text(const std::string& field) const override {
        return w_.fields_.at(field)->text().toStdString();
    }
    void setText(const std::string& field, const std::string& text) override {
        w_.fields_.at(field)->setText(QString::fromStdString(text));
    }
    void focusAndSelect(const std::string& field) override {
        QLineEdit* edit = w_.fields_.at(field);
        edit->setFocus();
        edit->setSelection(0, 100);
    }
    void message(const std::string& title, const std::string& text) override {
        w_.message(QString::fromStdString(title), QString::fromStdString(text));
    }
    void clearLists() override {
        for (auto& [name, list] : w_.lists_)
            list->clear();
    }
    void addRow(const std::string& list, const std::string& row) override {
        w_.lists_.at(list)->addItem(QString::fromStdString(row));
    }

private:
    frmNNDim& w_;
};

namespace {

template <class T> T* named(T* widget, const QString& name) {
    widget->setObjectName(name);
    return widget;
}

} // namespace

frmNNDim::frmNNDim(QWidget* parent) : QWidget(parent) {
    setObjectName(QStringLiteral("frmNNDim"));
    setWindowTitle(QStringLiteral("Two-Class MLP size (hard limiters)"));
    message_ = [this](const QString& title, const QString& text) {
        if (!isRowFailure(title)) {
            qtkit::showMessage(this, title, text);
            return;
        }
        // A long range of hidden units can raise a failure on every row: the box offers a
        // way out of the rest of them.
        QMessageBox box(QMessageBox::Critical, title, text, QMessageBox::Ok, this);
        auto* rest = new QCheckBox(QString::fromLatin1(kQuietRestCaption), &box);
        rest->setObjectName(QStringLiteral("chkQuietRest"));
        box.setCheckBox(rest);
        box.exec();
        if (rest->isChecked()) quietRest_ = true;
    };

    auto lbl = [this](const char* name, const QString& text) {
        return named(new QLabel(text, this), QString::fromLatin1(name));
    };
    auto edit = [this](const char* name, const char* text, bool point) {
        auto* e = named(new QLineEdit(QString::fromLatin1(text), this), QString::fromLatin1(name));
        qtkit::filterDigits(e, {.point = point});
        e->setMaximumWidth(e->fontMetrics().horizontalAdvance(QStringLiteral("000000")) + 12);
        fields_[name] = e;
        return e;
    };
    auto list = [this](const char* name) {
        auto* l = named(new QListWidget(this), QString::fromLatin1(name));
        l->setMinimumWidth(l->fontMetrics().horizontalAdvance(QStringLiteral("Upper Bound ")));
        lists_[name] = l;
        return l;
    };

    Frame1 = named(new QGroupBox(QStringLiteral("Specifications"), this), QStringLiteral("Frame1"));
    Label1 = lbl("Label1", QStringLiteral("d = Dimension (nr of inputs)"));
    Txtd = edit("Txtd", "2", false);
    Label4 = lbl("Label4", QStringLiteral("h = Nr. of hidden nodes"));
    Txth1 = edit("Txth1", "1", false);
    Txth2 = edit("Txth2", "10", false);
    Label13 = lbl("Label13", QStringLiteral("Training Rrror"));
    Label20 = lbl("Label20", QString::fromUtf8("\u03b5 ="));
    Txte = edit("Txte", "0.1", true);
    Label5 = lbl("Label5", QStringLiteral("Confidence level"));
    Label19 = lbl("Label19", QString::fromUtf8("\u03b1 ="));
    Txta = edit("Txta", "0.05", true);
    cmdCompute =
        named(new QPushButton(QStringLiteral("Compute"), this), QStringLiteral("cmdCompute"));
    cmdQuit = named(new QPushButton(QStringLiteral("Quit"), this), QStringLiteral("cmdQuit"));

    auto* spec = new QGridLayout(Frame1);
    spec->addWidget(Label1, 0, 0);
    spec->addWidget(Txtd, 0, 2);
    spec->addWidget(Label4, 1, 0);
    spec->addWidget(Txth1, 1, 2);
    spec->addWidget(Txth2, 1, 3);
    spec->addWidget(Label13, 2, 0);
    spec->addWidget(Label20, 2, 1, Qt::AlignRight);
    spec->addWidget(Txte, 2, 2);
    spec->addWidget(Label5, 3, 0);
    spec->addWidget(Label19, 3, 1, Qt::AlignRight);
    spec->addWidget(Txta, 3, 2);
    spec->setColumnStretch(4, 1);

    auto* buttons = new QVBoxLayout;
    buttons->addStretch();
    buttons->addWidget(cmdCompute);
    buttons->addWidget(cmdQuit);

    auto* top = new QHBoxLayout;
    top->addWidget(Frame1, 1);
    top->addLayout(buttons);

    Label2 = lbl("Label2", QStringLiteral("Units : Weights"));
    Label9 = lbl("Label9", QStringLiteral("Max Nr. of Regions"));
    Label6 = lbl("Label6", QStringLiteral("Vapnik Cherv. Dim. Low B"));
    Label10 = lbl("Label10", QStringLiteral("Vapnik Cherv. Dim. Upper B"));
    Label3 = lbl("Label3", QStringLiteral("Learning Set Size"));
    Label7 = lbl("Label7", QStringLiteral("Lower Bound"));
    Label8 = lbl("Label8", QStringLiteral("Upper Bound"));
    Label3->setAlignment(Qt::AlignCenter);
    ListUW = list("ListUW");
    ListND = list("ListND");
    ListVCDl = list("ListVCDl");
    ListVCDu = list("ListVCDu");
    ListLB = list("ListLB");
    ListUB = list("ListUB");

    auto* grid = new QGridLayout;
    const QList<QLabel*> headers{Label2, Label9, Label6, Label10, Label7, Label8};
    const QList<QListWidget*> lists{ListUW, ListND, ListVCDl, ListVCDu, ListLB, ListUB};
    grid->addWidget(Label3, 0, 4, 1, 2);
    for (int i = 0; i < headers.size(); ++i) {
        headers[i]->setWordWrap(true);
        headers[i]->setAlignment(Qt::AlignHCenter | Qt::AlignBottom);
        grid->addWidget(headers[i], 1, i);
        grid->addWidget(lists[i], 2, i);
        grid->setColumnStretch(i, 1);
    }

    auto* all = new QVBoxLayout(this);
    all->addLayout(top);
    all->addLayout(grid, 1);

    // "Export..." and Copy (Ctrl+C) in each list's context menu give the whole table.
    qtkit::ExportSources exports;
    exports.table = [this]() -> std::optional<csv::Table> {
        std::map<std::string, std::vector<std::string>> rows;
        for (const auto& [name, list] : lists_)
            for (int i = 0; i < list->count(); ++i)
                rows[name].push_back(list->item(i)->text().toStdString());
        if (rows[kResultLists[0]].empty()) return std::nullopt;
        return nnSizeTable(rows);
    };
    exports.baseName = QStringLiteral("NNSize");
    for (QListWidget* l : lists)
        qtkit::addExportActions(l, exports);

    connect(cmdCompute, &QPushButton::clicked, this, &frmNNDim::cmdCompute_Click);
    connect(cmdQuit, &QPushButton::clicked, this, &frmNNDim::quit);
    resize(760, 440);
}

void frmNNDim::cmdCompute_Click() {
    quietRest_ = false;
    NNDimWindowView view(*this);
    computeNNDim(view);
}

bool frmNNDim::isRowFailure(const QString& title) {
    return title.startsWith(QStringLiteral("Funtion"));
}

void frmNNDim::message(const QString& title, const QString& text) {
    if (quietRest_ && isRowFailure(title)) return;
    message_(title, text);
}

void frmNNDim::quit() {
    if (auto* sub = qobject_cast<QMdiSubWindow*>(parentWidget()))
        sub->close();
    else
        close();
}

} // namespace dimora
