// The frame window: menus, toolbar, status bar and the workspace that holds the project, macro,
// grid, chart and help windows.
#pragma once

#include "frame_dialogs.h"
#include "frm_macro.h"
#include "project_port.h"

#include <QMainWindow>
#include <QPointer>

#include <functional>
#include <memory>

class QAction;
class QMdiArea;
class QMdiSubWindow;
class QMenu;
class QStatusBar;
class QToolBar;

namespace corvane {

class frm_grid;
class frm_help;
class frm_logo;
struct EstadoPrograma;

/// Makes a new project window (with the defaults of a new project).
using FabricaProjecto = std::function<std::unique_ptr<ProjectPort>(QWidget* parent)>;

class frm_Main : public QMainWindow, private MacroHost {
    Q_OBJECT
public:
    struct Opcoes {
        FabricaProjecto fabrica;
        FrameDialogs* dialogs = nullptr; ///< nullptr: the real dialogs
        EstadoPrograma* estado = nullptr;
        bool logo = true;           ///< show the logo window at start
        std::function<void()> sair; ///< "&Exit"; by default the program ends at once
        QString colecao_ajuda;      ///< help collection; empty: looked up beside the program
        /// The file actually opened when the user names a project or macro (an installed
        /// example becomes the user's copy of it); unset: the named file.
        std::function<QString(const QString&)> ficheiro_do_utilizador;
    };
    explicit frm_Main(Opcoes opcoes, QWidget* parent = nullptr);
    ~frm_Main() override;

    // Menus and items, by their names.
    QMenu *menu_file, *menu_macro, *menu_training, *menu_view, *Dummy_Help;
    QAction *menu_new_project, *menu_open_project, *menu_save_project, *menu_dummy1, *menu_exit;
    QAction *menu_new_macro, *menu_open_macro, *menu_save_macro, *menu_dummy2, *menu_run_macro,
        *menu_stop_macro;
    QAction *menu_start, *menu_stop;
    QAction *menu_training_data, *menu_test_data, *menu_initial_weights, *menu_final_weights,
        *menu_errors_chart;
    QAction *Topics, *Search, *menu_dummy3, *About;
    QToolBar* Toolbar1;
    QStatusBar* StatusBar1;
    QMdiArea* mdi;

    /// Toolbar button by its index 1..6 (4 is the separator).
    QAction* botao(int indice) const;

    /// The open project window, or nullptr.
    ProjectPort* projecto() const { return projecto_; }
    /// The macro window (nullptr until first opened).
    frm_macro* macro() const { return macro_; }
    bool macro_aberta() const;
    frm_grid* grid() const { return grid_; }
    frm_logo* logo() const { return logo_; }
    frm_help* ajuda() const { return ajuda_; }

    /// Opening a project once its file was chosen: `carrega_ficheiro_projecto` (creating the
    /// project window if none is open), then its path shown in the window.
    bool abre_projecto(const QString& ficheiro);
    /// Opening a macro once its file was chosen.
    void abre_macro(const QString& ficheiro);
    /// A view of the open project.
    void mostra_vista(Vista vista);

    /// Shows or hides the frame; the first time it is shown, the logo window follows it.
    void setVisible(bool visible) override;

public slots:
    void new_project();
    void open_project();
    void save_project();
    void exit_program();
    void new_macro();
    void open_macro();
    void help_topics();
    void help_search();
    void about();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

private:
    void cria_menus();
    void cria_toolbar();
    ProjectPort& garante_projecto();
    /// Closes the project window; false when it refused (a run still unwinding).
    bool fecha_projecto();
    void projecto_fechado(ProjectPort* port);
    void retira(QWidget* janela);
    void adopta(QWidget* janela);
    /// The items and buttons that follow the project window (open, busy).
    void estado_projecto();
    bool projecto_ocupado() const;
    void estado_macro(bool aberta, bool ocupada);
    frm_macro& garante_macro();
    QMdiSubWindow* mostra_filho(QWidget* janela, bool centrar_topo);
    frm_help* garante_ajuda();
    bool carrega_projecto(const QString& caminho) override;
    void treina_projecto(const QString& caminho) override;

    Opcoes opcoes_;
    FrameDialogs& dialogs_;
    ProjectPort* projecto_ = nullptr;
    QPointer<QMdiSubWindow> sub_projecto_;
    frm_macro* macro_ = nullptr;
    QPointer<QMdiSubWindow> sub_macro_;
    frm_grid* grid_ = nullptr;
    frm_logo* logo_ = nullptr;
    bool logo_pendente_ = false; ///< the logo waits for the frame's first show
    frm_help* ajuda_ = nullptr;
    QList<QAction*> botoes_;
    bool novo_pendente_ = false;
};

} // namespace corvane
