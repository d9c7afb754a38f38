#include "frm_main.h"

#include "frm_about.h"
#include "frm_grid.h"
#include "frm_help.h"
#include "frm_logo.h"

#include "engine/trainer.h"

#include <QApplication>
#include <QChildEvent>
#include <QCloseEvent>
#include <QLabel>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenuBar>
#include <QScreen>
#include <QStatusBar>
#include <QStyle>
#include <QTimer>
#include <QToolBar>

#include <cstdio>
#include <cstdlib>

namespace corvane {

namespace {
// Marks the project windows among the workspace's children.
constexpr const char* propriedade_projecto = "corvane_project_window";
} // namespace

frm_Main::frm_Main(Opcoes opcoes, QWidget* parent)
    : QMainWindow(parent), opcoes_(std::move(opcoes)),
      dialogs_(opcoes_.dialogs ? *opcoes_.dialogs : qt_dialogs()) {
    setObjectName("frm_Main");
    setWindowTitle("Corvane");
    setWindowIcon(icone_programa());
    mdi = new QMdiArea(this);
    mdi->setObjectName("mdi");
    mdi->setHorizontalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    mdi->setVerticalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    mdi->setBackground(QColor(0x80, 0x80, 0x80));
    setCentralWidget(mdi);
    cria_menus();
    cria_toolbar();
    StatusBar1 = new QStatusBar(this);
    StatusBar1->setObjectName("StatusBar1");
    StatusBar1->addWidget(new QLabel(StatusBar1), 1); // the one panel, empty
    setStatusBar(StatusBar1);
    // Room for the project window beside the error chart, within the screen.
    QSize tamanho(1500, 1000);
    if (const QScreen* ecra = QGuiApplication::primaryScreen())
        tamanho = tamanho.boundedTo(ecra->availableGeometry().size());
    resize(tamanho);

    estado_projecto();
    estado_macro(false, false);

    if (opcoes_.logo) {
        logo_ = new frm_logo(this);
        if (const QScreen* ecra = QGuiApplication::primaryScreen())
            logo_->centra(ecra->availableGeometry());
        logo_pendente_ = true;
    }
}

void frm_Main::setVisible(bool visible) {
    QMainWindow::setVisible(visible);
    // The logo stands on the frame: shown before the frame's own window is on the screen, a
    // window manager puts the frame, which comes later, over it, and the logo stays hidden
    // until someone activates it. Shown once the frame is up, it is stacked above the frame.
    if (visible && logo_pendente_ && logo_) {
        logo_pendente_ = false;
        logo_->show();
    }
}

frm_Main::~frm_Main() {
    // The child windows go first, while the menus they update still exist; each project
    // window's port is deleted with its window.
    macro_ = nullptr;
    grid_ = nullptr;
    delete mdi;
}

void frm_Main::cria_menus() {
    auto item = [this](QMenu* menu, const char* nome, const char* texto, bool ligado,
                       void (frm_Main::*accao)()) {
        QAction* a = menu->addAction(tr(texto));
        a->setObjectName(nome);
        a->setEnabled(ligado);
        if (accao) connect(a, &QAction::triggered, this, accao);
        return a;
    };
    auto separador = [](QMenu* menu, const char* nome) {
        QAction* a = menu->addSeparator();
        a->setObjectName(nome);
        return a;
    };
    auto menu = [this](const char* nome, const char* texto) {
        QMenu* m = menuBar()->addMenu(tr(texto));
        m->setObjectName(nome);
        return m;
    };

    menu_file = menu("menu_file", "&Project");
    menu_new_project =
        item(menu_file, "menu_new_project", "&New Project", true, &frm_Main::new_project);
    menu_open_project =
        item(menu_file, "menu_open_project", "&Open Project", true, &frm_Main::open_project);
    menu_save_project =
        item(menu_file, "menu_save_project", "&Save Project", false, &frm_Main::save_project);
    menu_dummy1 = separador(menu_file, "menu_dummy1");
    menu_exit = item(menu_file, "menu_exit", "&Exit", true, &frm_Main::exit_program);

    menu_macro = menu("menu_macro", "&Macro");
    menu_new_macro = item(menu_macro, "menu_new_macro", "&New Macro", true, &frm_Main::new_macro);
    menu_open_macro =
        item(menu_macro, "menu_open_macro", "&Open Macro", true, &frm_Main::open_macro);
    menu_save_macro = item(menu_macro, "menu_save_macro", "&Save Macro", false, nullptr);
    menu_dummy2 = separador(menu_macro, "menu_dummy2");
    menu_run_macro = item(menu_macro, "menu_run_macro", "&Run Macro", false, nullptr);
    menu_stop_macro = item(menu_macro, "menu_stop_macro", "Stop &Macro", false, nullptr);
    connect(menu_save_macro, &QAction::triggered, this, [this] {
        if (macro_) macro_->save();
    });
    connect(menu_run_macro, &QAction::triggered, this, [this] {
        if (macro_) macro_->run_macro();
    });
    connect(menu_stop_macro, &QAction::triggered, this, [this] {
        if (macro_) macro_->stop_macro();
    });

    menu_training = menu("menu_training", "&Training");
    menu_start = item(menu_training, "menu_start", "&Start", false, nullptr);
    menu_stop = item(menu_training, "menu_stop", "Sto&p", false, nullptr);
    connect(menu_start, &QAction::triggered, this, [this] {
        if (projecto_) projecto_->comeca();
    });
    connect(menu_stop, &QAction::triggered, this, [this] {
        if (projecto_) projecto_->para();
    });

    menu_view = menu("menu_view", "&View");
    menu_training_data = item(menu_view, "menu_training_data", "&Traning Data", false, nullptr);
    menu_test_data = item(menu_view, "menu_test_data", "Testing &Data", false, nullptr);
    menu_initial_weights =
        item(menu_view, "menu_initial_weights", "Initial &Weights", false, nullptr);
    menu_final_weights = item(menu_view, "menu_final_weights", "&Final Weights", false, nullptr);
    menu_errors_chart = item(menu_view, "menu_errors_chart", "&Errors chart", false, nullptr);
    const std::pair<QAction*, Vista> vistas[] = {{menu_training_data, Vista::dados_treino},
                                                 {menu_test_data, Vista::dados_teste},
                                                 {menu_initial_weights, Vista::pesos_iniciais},
                                                 {menu_final_weights, Vista::pesos_finais},
                                                 {menu_errors_chart, Vista::grafico_erros}};
    for (const auto& [accao, vista] : vistas)
        connect(accao, &QAction::triggered, this, [this, v = vista] { mostra_vista(v); });

    Dummy_Help = menu("Dummy_Help", "&Help");
    Topics = item(Dummy_Help, "Topics", "&Topics", true, &frm_Main::help_topics);
    Search = item(Dummy_Help, "Search", "&Search", true, &frm_Main::help_search);
    menu_dummy3 = separador(Dummy_Help, "menu_dummy3");
    About = item(Dummy_Help, "About", "&About Corvane", true, &frm_Main::about);
}

void frm_Main::cria_toolbar() {
    Toolbar1 = addToolBar("Toolbar1");
    Toolbar1->setObjectName("Toolbar1");
    Toolbar1->setMovable(false);
    auto botao = [this](int indice, QStyle::StandardPixmap imagem, const char* dica, bool ligado,
                        QAction* equivalente) {
        QAction* a = Toolbar1->addAction(style()->standardIcon(imagem), QString());
        a->setObjectName(QString("Toolbar1(%1)").arg(indice));
        a->setToolTip(tr(dica));
        a->setEnabled(ligado);
        connect(a, &QAction::triggered, equivalente, &QAction::trigger);
        return a;
    };
    botoes_ << botao(1, QStyle::SP_DialogOpenButton, "Open project", true, menu_open_project)
            << botao(2, QStyle::SP_FileIcon, "New project", true, menu_new_project)
            << botao(3, QStyle::SP_DialogSaveButton, "Save project", false, menu_save_project);
    QAction* separador = Toolbar1->addSeparator();
    separador->setObjectName("Toolbar1(4)");
    botoes_ << separador << botao(5, QStyle::SP_MediaPlay, "Start trainning", false, menu_start)
            << botao(6, QStyle::SP_MediaStop, "Stop trainning", false, menu_stop);
}

QAction* frm_Main::botao(int indice) const {
    return indice >= 1 && indice <= botoes_.size() ? botoes_[indice - 1] : nullptr;
}

// ------------------------------------------------------------------ workspace

QMdiSubWindow* frm_Main::mostra_filho(QWidget* janela, bool centrar_topo) {
    auto* sub = qobject_cast<QMdiSubWindow*>(janela->parentWidget());
    if (!sub) {
        sub = mdi->addSubWindow(janela);
        // The frame decides when a child is deleted (never while a run may be using it).
        sub->setAttribute(Qt::WA_DeleteOnClose, false);
        sub->setWindowIcon(windowIcon());
        janela->installEventFilter(this);
    }
    janela->show();
    sub->show();
    if (centrar_topo) {
        sub->adjustSize();
        const int x = std::max(0, (mdi->viewport()->width() - sub->width()) / 2);
        sub->move(x, 0);
    }
    sub->raise();
    mdi->setActiveSubWindow(sub);
    return sub;
}

ProjectPort& frm_Main::garante_projecto() {
    if (projecto_) return *projecto_;
    if (!opcoes_.fabrica) throw std::logic_error("no project window factory");
    ProjectPort* port = opcoes_.fabrica(mdi).release();
    QWidget* janela = port->janela();
    projecto_ = port;
    janela->setProperty(propriedade_projecto, true);
    // A port that is not the window itself is deleted with its window.
    const bool proprio = dynamic_cast<QWidget*>(port) == janela;
    connect(janela, &QObject::destroyed, this, [this, port, proprio] {
        projecto_fechado(port);
        if (!proprio) delete port;
    });
    port->ao_mudar_estado = [this, port](bool) {
        if (port == projecto_) estado_projecto();
    };
    port->ao_pedir_vista = [this, port](Vista v) {
        if (port == projecto_) mostra_vista(v);
    };
    port->ao_fechar = [this, port] { projecto_fechado(port); };
    port->ao_criar_janela = [this](QWidget* w) {
        if (!qobject_cast<QMdiSubWindow*>(w->parentWidget())) adopta(w);
    };
    QMdiSubWindow* sub = mostra_filho(janela, false);
    sub_projecto_ = sub;
    sub->adjustSize();
    sub->move(std::max(0, (mdi->viewport()->width() - sub->width()) / 2), 1);
    estado_projecto();
    return *port;
}

bool frm_Main::fecha_projecto() {
    if (!projecto_) return true;
    QWidget* janela = projecto_->janela();
    janela->close();
    // A window whose run is still on the stack closes when the run has ended.
    if (!janela->isHidden()) return false;
    retira(janela);
    return true;
}

void frm_Main::retira(QWidget* janela) {
    auto* sub = qobject_cast<QMdiSubWindow*>(janela->parentWidget());
    if (sub) sub->hide();
    if (!janela->property(propriedade_projecto).toBool()) return;
    // A closed project window is kept (hidden) until the frame ends rather than deleted: a
    // training run started from it may still be unwinding through it.
    if (projecto_ && projecto_->janela() == janela) projecto_fechado(projecto_);
}

void frm_Main::projecto_fechado(ProjectPort* port) {
    if (port != projecto_) return;
    projecto_ = nullptr;
    sub_projecto_ = nullptr;
    estado_projecto();
    if (novo_pendente_) {
        novo_pendente_ = false;
        QTimer::singleShot(0, this, [this] {
            if (!projecto_) garante_projecto();
        });
    }
}

void frm_Main::adopta(QWidget* janela) {
    // A top-level window a child creates (the error chart) becomes a child of the workspace.
    const bool visivel = janela->isVisible();
    // A window of fixed size offers no maximise: it would only sit small in a large frame.
    Qt::WindowFlags moldura;
    if (janela->minimumSize() == janela->maximumSize())
        moldura = Qt::SubWindow | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                  Qt::WindowSystemMenuHint | Qt::WindowMinimizeButtonHint |
                  Qt::WindowCloseButtonHint;
    auto* sub = mdi->addSubWindow(janela, moldura);
    sub->setAttribute(Qt::WA_DeleteOnClose, false);
    sub->setWindowIcon(windowIcon());
    janela->installEventFilter(this);
    sub->adjustSize();
    sub->move(std::max(0, (mdi->viewport()->width() - sub->width()) / 2), 0);
    // A window already shown was shown in front of the others: it stays so in the workspace.
    if (visivel) {
        janela->show();
        sub->show();
        mdi->setActiveSubWindow(sub);
    }
}

bool frm_Main::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::ChildAdded && watched->property(propriedade_projecto).toBool()) {
        auto* filho = static_cast<QChildEvent*>(event)->child();
        if (filho->isWidgetType())
            QTimer::singleShot(
                0, this, [this, w = QPointer<QWidget>(static_cast<QWidget*>(filho))] {
                    if (w && w->isWindow() && !qobject_cast<QMdiSubWindow*>(w->parentWidget()) &&
                        w->inherits("corvane::frm_chart"))
                        adopta(w);
                });
    } else if (event->type() == QEvent::Close && watched->isWidgetType()) {
        // Whether the close went through is known only after the window has handled it (it
        // may refuse): a child that closed takes its frame with it.
        QTimer::singleShot(0, this, [this, w = QPointer<QWidget>(static_cast<QWidget*>(watched))] {
            if (w && w->isHidden()) retira(w);
        });
    }
    return QMainWindow::eventFilter(watched, event);
}

void frm_Main::closeEvent(QCloseEvent* event) {
    // Every child's own close runs first: a training run is asked to stop, a macro to end.
    for (QMdiSubWindow* sub : mdi->subWindowList())
        if (!sub->isHidden() && sub->widget()) sub->widget()->close();
    if (ajuda_) ajuda_->close();
    if (logo_) logo_->close();
    QMainWindow::closeEvent(event);
}

void frm_Main::estado_projecto() {
    const bool aberto = projecto_ != nullptr;
    const bool ocupado = aberto && projecto_->ocupado();
    for (QAction* a : {menu_save_project, menu_start, menu_errors_chart, menu_final_weights,
                       menu_initial_weights, menu_test_data, menu_training_data})
        a->setEnabled(aberto && !ocupado);
    menu_stop->setEnabled(ocupado);
    botao(3)->setEnabled(aberto);
    botao(5)->setEnabled(aberto && !ocupado);
    botao(6)->setEnabled(ocupado);
    // No other project is loaded into the window, and no macro started, while a run is using
    // the window's settings: the run would save its results over the newly loaded project.
    menu_open_project->setEnabled(!ocupado);
    botao(1)->setEnabled(!ocupado);
    if (macro_) {
        macro_->define_bloqueio(ocupado);
        menu_run_macro->setEnabled(macro_aberta() && !macro_->ocupado() && !ocupado);
    }
}

bool frm_Main::projecto_ocupado() const {
    return projecto_ && projecto_->ocupado();
}

// ------------------------------------------------------------------ project commands

bool frm_Main::abre_projecto(const QString& nome) {
    const QString ficheiro =
        opcoes_.ficheiro_do_utilizador ? opcoes_.ficheiro_do_utilizador(nome) : nome;
    ProjectPort& p = garante_projecto();
    const bool ok = p.carrega(ficheiro);
    p.mostra_caminho(ficheiro);
    if (sub_projecto_) mostra_filho(p.janela(), false);
    estado_projecto();
    return ok;
}

void frm_Main::new_project() {
    if (!fecha_projecto()) {
        novo_pendente_ = true;
        return;
    }
    garante_projecto();
}

void frm_Main::open_project() {
    auto escolhido =
        dialogs_.file(this, pedido_abrir("Open project file", "Project file (*.prj)", "prj"));
    if (escolhido) abre_projecto(*escolhido);
}

void frm_Main::save_project() {
    if (projecto_) projecto_->grava();
}

void frm_Main::exit_program() {
    if (opcoes_.sair) {
        opcoes_.sair();
        return;
    }
    // The program ends at once, even in the middle of a run, and nothing is saved.
    std::fflush(nullptr);
    if ((projecto_ && projecto_->ocupado()) || (macro_ && macro_->ocupado())) std::_Exit(0);
    QApplication::exit(0);
}

void frm_Main::mostra_vista(Vista vista) {
    if (!projecto_) return;
    const definicoes_projecto d = projecto_->definicoes();
    CommandView view(this, dialogs_);
    if (vista == Vista::grafico_erros) {
        if (auto g = grafico_erros(d, view)) projecto_->mostra_grafico(*g);
        return;
    }
    std::optional<ConteudoGrelha> conteudo;
    QString titulo = "Weights file";
    if (vista == Vista::dados_treino || vista == Vista::dados_teste) {
        const bool treino = vista == Vista::dados_treino;
        conteudo = vista_dados(d, treino, view);
        titulo = treino ? "Trainning data" : "Test data";
    } else {
        conteudo = vista_pesos(d, view);
    }
    if (!conteudo) return;
    if (!grid_) grid_ = new frm_grid(mdi);
    grid_->mostra(*conteudo, titulo);
    QMdiSubWindow* sub = mostra_filho(grid_, false);
    const QSize moldura = sub->size() - grid_->size();
    const QSize limite = mdi->viewport()->size() - moldura;
    sub->resize(grid_->tamanho_desejado(limite) + moldura);
    sub->move(std::max(0, (mdi->viewport()->width() - sub->width()) / 2), 0);
}

// ------------------------------------------------------------------ macros

frm_macro& frm_Main::garante_macro() {
    const bool ja_aberta = macro_aberta();
    if (!macro_) {
        macro_ = new frm_macro(dialogs_, mdi);
        macro_->define_host(this);
        macro_->define_estado(opcoes_.estado);
        macro_->define_bloqueio(projecto_ocupado());
        connect(macro_, &frm_macro::estadoMudou, this,
                [this](bool ocupada) { estado_macro(true, ocupada); });
        connect(macro_, &frm_macro::fechada, this, [this] { estado_macro(false, false); });
    }
    macro_->abre();
    QMdiSubWindow* sub = mostra_filho(macro_, !ja_aberta);
    sub_macro_ = sub;
    // "Stop &Macro" is offered only while the macro runs.
    if (!ja_aberta) estado_macro(true, macro_->ocupado());
    return *macro_;
}

bool frm_Main::macro_aberta() const {
    return macro_ && sub_macro_ && macro_->aberta();
}

void frm_Main::estado_macro(bool aberta, bool ocupada) {
    menu_save_macro->setEnabled(aberta);
    menu_run_macro->setEnabled(aberta && !ocupada && !projecto_ocupado());
    menu_stop_macro->setEnabled(aberta && ocupada);
}

void frm_Main::new_macro() {
    garante_macro();
}

void frm_Main::open_macro() {
    auto escolhido = dialogs_.file(this, pedido_abrir("Open macro", "Project file (*.mcr)", "mcr"));
    if (escolhido) abre_macro(*escolhido);
}

void frm_Main::abre_macro(const QString& nome) {
    const QString ficheiro =
        opcoes_.ficheiro_do_utilizador ? opcoes_.ficheiro_do_utilizador(nome) : nome;
    frm_macro& m = garante_macro();
    // A file that could not be read does not become the macro's file, so "&Save" cannot
    // overwrite it with the list read so far.
    if (m.carrega_macro(ficheiro)) m.define_caminho(ficheiro);
}

bool frm_Main::carrega_projecto(const QString& caminho) {
    return garante_projecto().carrega(caminho);
}

void frm_Main::treina_projecto(const QString& caminho) {
    ProjectPort& p = garante_projecto();
    p.mostra_caminho(caminho);
    if (sub_projecto_) mostra_filho(p.janela(), false);
    p.comeca();
}

// ------------------------------------------------------------------ help and About

frm_help* frm_Main::garante_ajuda() {
    if (!ajuda_) {
        const QString colecao =
            opcoes_.colecao_ajuda.isEmpty() ? colecao_ajuda() : opcoes_.colecao_ajuda;
        ajuda_ = new frm_help(colecao, this);
        ajuda_->setWindowFlag(Qt::Window);
        ajuda_->setWindowIcon(windowIcon());
    }
    ajuda_->show();
    ajuda_->raise();
    ajuda_->activateWindow();
    return ajuda_;
}

void frm_Main::help_topics() {
    garante_ajuda()->mostra_topicos();
}
void frm_Main::help_search() {
    garante_ajuda()->mostra_pesquisa();
}

void frm_Main::about() {
    frm_About janela(this);
    janela.adjustSize();
    janela.move(geometry().center() - QPoint(janela.width() / 2, janela.height() / 2));
    janela.exec();
}

} // namespace corvane
