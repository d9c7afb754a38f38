#include "frm_macro.h"

#include "engine/macro_run.h"
#include "engine/text_file.h"
#include "twips/twips.h"

#include <QCloseEvent>
#include <QDir>
#include <QFileInfo>
#include <QGridLayout>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QPushButton>
#include <QTableWidget>
#include <QVBoxLayout>

namespace corvane {

namespace {
const QColor vermelho(0xFF, 0x00, 0x00);
const QColor cor_ordem(0xE0, 0xE0, 0xE0);
} // namespace

frm_macro::frm_macro(FrameDialogs& dialogs, QWidget* parent) : QWidget(parent), dialogs_(dialogs) {
    setObjectName("frm_macro");
    setWindowTitle("New Macro");

    Label1 = new QLabel(this);
    Label1->setObjectName("Label1");
    Label1->setTextInteractionFlags(Qt::TextSelectableByMouse);

    MSFlexGrid1 = new QTableWidget(linhas_macro, 2, this);
    MSFlexGrid1->setObjectName("MSFlexGrid1");
    MSFlexGrid1->setMinimumSize(6195 / twips::per_pixel, 6735 / twips::per_pixel);
    MSFlexGrid1->setEditTriggers(QAbstractItemView::NoEditTriggers);
    MSFlexGrid1->setSelectionMode(QAbstractItemView::SingleSelection);
    MSFlexGrid1->verticalHeader()->hide();
    MSFlexGrid1->horizontalHeader()->setStretchLastSection(true);
    MSFlexGrid1->installEventFilter(this);
    connect(MSFlexGrid1, &QTableWidget::cellDoubleClicked, this, [this](int, int coluna) {
        if (coluna == project_column) escolhe_projecto();
    });

    auto botao = [this](const char* nome, const char* texto) {
        auto* b = new QPushButton(tr(texto), this);
        b->setObjectName(nome);
        b->setMinimumWidth(1215 / twips::per_pixel + 20);
        return b;
    };
    Command4 = botao("Command4", "&Run macro");
    Command5 = botao("Command5", "Stop &macro");
    Command2 = botao("Command2", "Save &As");
    Command1 = botao("Command1", "&Save");
    Command3 = botao("Command3", "&Close");
    connect(Command4, &QPushButton::clicked, this, &frm_macro::run_macro);
    connect(Command5, &QPushButton::clicked, this, &frm_macro::stop_macro);
    connect(Command2, &QPushButton::clicked, this, &frm_macro::save_as);
    connect(Command1, &QPushButton::clicked, this, &frm_macro::save);
    connect(Command3, &QPushButton::clicked, this, &QWidget::close);

    auto* botoes = new QVBoxLayout;
    for (auto* b : {Command4, Command5, Command2, Command1, Command3})
        botoes->addWidget(b);
    botoes->addStretch();
    auto* layout = new QGridLayout(this);
    layout->addWidget(Label1, 0, 0, 1, 2);
    layout->addWidget(MSFlexGrid1, 1, 0);
    layout->addLayout(botoes, 1, 1);
    layout->setColumnStretch(0, 1);
    layout->setRowStretch(1, 1);

    prepara_grelha();
    macro_ocupado(false);
}

void frm_macro::prepara_grelha() {
    auto* g = MSFlexGrid1;
    g->setHorizontalHeaderLabels({"Order", "Project"});
    for (int r = 0; r < linhas_macro; ++r) {
        auto* ordem = new QTableWidgetItem(QString::number(r + 1));
        ordem->setFlags(Qt::ItemIsEnabled);
        ordem->setTextAlignment(Qt::AlignCenter);
        ordem->setBackground(cor_ordem);
        g->setItem(r, order_column, ordem);
        g->setItem(r, project_column, new QTableWidgetItem);
    }
    g->setColumnWidth(order_column, std::max(500 / twips::per_pixel,
                                             g->fontMetrics().horizontalAdvance("Order") + 16));
    g->setCurrentCell(0, project_column);
}

void frm_macro::abre() {
    if (fechada_) {
        for (int linha = 1; linha <= linhas_macro; ++linha)
            define_projecto(linha, QString());
        define_caminho(QString());
        MSFlexGrid1->setCurrentCell(0, project_column);
        fechada_ = false;
    }
}

QString frm_macro::projecto(int linha) const {
    if (linha < 1 || linha > linhas_macro) return {};
    auto* item = MSFlexGrid1->item(linha - 1, project_column);
    return item ? item->text() : QString();
}

void frm_macro::define_projecto(int linha, const QString& caminho) {
    if (linha < 1 || linha > linhas_macro) return;
    MSFlexGrid1->item(linha - 1, project_column)->setText(caminho);
}

ListaMacro frm_macro::lista() const {
    ListaMacro l;
    for (int linha = 1; linha <= linhas_macro; ++linha)
        l[static_cast<std::size_t>(linha - 1)] = projecto(linha).toStdString();
    return l;
}

QString frm_macro::caminho() const {
    return Label1->text();
}
void frm_macro::define_caminho(const QString& caminho) {
    Label1->setText(caminho);
}

bool frm_macro::carrega_macro(const QString& ficheiro) {
    ListaMacro l = lista();
    CommandView view(this, dialogs_);
    const ReadOutcome lido = corvane::carrega_macro(ficheiro.toStdString(), l);
    MSFlexGrid1->setCurrentCell(MSFlexGrid1->currentRow(), project_column);
    for (int linha = 1; linha <= linhas_macro; ++linha)
        define_projecto(linha, QString::fromStdString(l[static_cast<std::size_t>(linha - 1)]));
    if (!lido.ok()) critical(view, lido.failure);
    return lido.ok();
}

bool frm_macro::grava_macro(const QString& ficheiro) {
    CommandView view(this, dialogs_);
    return corvane::grava_macro(ficheiro.toStdString(), lista(), view);
}

EstadoPrograma& frm_macro::estado() {
    return estado_ ? *estado_ : estado_local_;
}
bool frm_macro::macro_activa() const {
    return estado_ ? estado_->macro_activa : estado_local_.macro_activa;
}

void frm_macro::macro_ocupado(bool ocupado) {
    ocupado_ = ocupado;
    Command4->setEnabled(!ocupado && !bloqueado_);
    Command5->setEnabled(ocupado);
    emit estadoMudou(ocupado);
}

void frm_macro::pinta_linha(int linha, bool corrente) {
    auto* item = MSFlexGrid1->item(linha - 1, project_column);
    if (!item) return;
    item->setBackground(corrente ? QBrush(vermelho) : QBrush());
    // A selected cell is drawn in the selection colour over its own: the running row is made
    // current without being selected, and cannot be selected until its project has run.
    if (corrente) {
        MSFlexGrid1->clearSelection();
        MSFlexGrid1->setCurrentCell(linha - 1, project_column, QItemSelectionModel::NoUpdate);
        item->setFlags(item->flags() & ~Qt::ItemIsSelectable);
    } else {
        item->setFlags(item->flags() | Qt::ItemIsSelectable);
    }
}

QString frm_macro::caminho_absoluto(const QString& entrada) const {
    // A relative entry is taken from the macro file's folder, so a macro and its projects can
    // move together.
    return QString::fromStdString(resolve_against(entrada.toStdString(), caminho().toStdString()));
}

void frm_macro::define_bloqueio(bool bloqueado) {
    bloqueado_ = bloqueado;
    Command4->setEnabled(!ocupado_ && !bloqueado_);
}

// The grid's rows as the macro run walks them: the running row painted red, its project loaded
// and trained by the host.
class frm_macro::Linhas : public MacroSteps {
public:
    explicit Linhas(frm_macro& m) : m_(m) {}

    std::string project(int linha) override {
        const QString entrada = m_.projecto(linha); // empty past the last row
        return entrada.isEmpty() ? std::string() : m_.caminho_absoluto(entrada).toStdString();
    }
    void row_started(int linha, const std::string&) override {
        m_.linha_corrente_ = linha;
        m_.pinta_linha(linha, true);
    }
    bool load(int, const std::string& projecto) override {
        return m_.host_ && m_.host_->carrega_projecto(QString::fromStdString(projecto));
    }
    void train(int, const std::string& projecto) override {
        m_.host_->treina_projecto(QString::fromStdString(projecto));
    }
    void row_ended(int linha, const std::string&, bool) override { m_.pinta_linha(linha, false); }

private:
    frm_macro& m_;
};

void frm_macro::run_macro() {
    if (ocupado_ || bloqueado_) return;
    macro_ocupado(true);
    Linhas linhas(*this);
    corre_macro(estado(), linhas);
    linha_corrente_ = 0;
    stop_macro();
}

void frm_macro::stop_macro() {
    macro_ocupado(false);
    estado().macro_activa = false;
    estado().pedido_paragem = false;
}

void frm_macro::save() {
    if (caminho().isEmpty())
        save_as();
    else
        grava_macro(caminho());
}

void frm_macro::save_as() {
    auto escolhido = dialogs_.file(
        this, pedido_gravar("Save macro", "Project file (*.mcr)", "mcr", caminho(), true));
    if (escolhido) grava_macro(*escolhido);
}

void frm_macro::escolhe_projecto() {
    const int linha = MSFlexGrid1->currentRow() + 1;
    if (linha < 1) return;
    auto escolhido =
        dialogs_.file(this, pedido_gravar("Select project file", "Project file (*.prj)", "prj",
                                          projecto(linha), false));
    if (escolhido) define_projecto(linha, QDir::toNativeSeparators(*escolhido));
}

bool frm_macro::eventFilter(QObject* watched, QEvent* event) {
    if (watched == MSFlexGrid1 && event->type() == QEvent::KeyPress) {
        const int tecla = static_cast<QKeyEvent*>(event)->key();
        if (tecla == Qt::Key_Return || tecla == Qt::Key_Enter) {
            escolhe_projecto();
            return true;
        }
        if (tecla == Qt::Key_Delete || tecla == Qt::Key_Backspace) {
            define_projecto(MSFlexGrid1->currentRow() + 1, QString());
            return true;
        }
    }
    return QWidget::eventFilter(watched, event);
}

void frm_macro::closeEvent(QCloseEvent* event) {
    // A macro cannot go on without its list: the project in training ends normally and no
    // other starts.
    if (ocupado_) estado().macro_activa = false;
    fechada_ = true;
    event->accept();
    emit fechada();
}

} // namespace corvane
