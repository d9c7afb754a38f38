// The macro window: a list of up to 100 project files trained one after another.
#pragma once

#include "frame_dialogs.h"

#include "engine/macro_file.h"
#include "engine/trainer.h"

#include <QWidget>

class QLabel;
class QPushButton;
class QTableWidget;

namespace corvane {

/// What the macro asks of the rest of the program.
class MacroHost {
public:
    virtual ~MacroHost() = default;
    /// Loads the project file into the project window (creating it if needed); false after its
    /// message when it did not load.
    virtual bool carrega_projecto(const QString& caminho) = 0;
    /// Shows the loaded project's path and presses its Start; returns when that training run
    /// has ended.
    virtual void treina_projecto(const QString& caminho) = 0;
};

class frm_macro : public QWidget {
    Q_OBJECT
public:
    explicit frm_macro(FrameDialogs& dialogs, QWidget* parent = nullptr);

    void define_host(MacroHost* host) { host_ = host; }
    /// The program-wide flags (`macro_activa`, `pedido_paragem`); without it the window keeps
    /// its own.
    void define_estado(EstadoPrograma* estado) { estado_ = estado; }

    /// The window is opened (again): a window that was closed starts with an empty list.
    void abre();
    /// False once the window was closed, until it is opened again.
    bool aberta() const { return !fechada_; }

    /// `carrega_macro` into the grid; false after "Error loading macro!" (rows already read keep
    /// their new text).
    bool carrega_macro(const QString& ficheiro);
    /// `grava_macro` of the grid; false after its message.
    bool grava_macro(const QString& ficheiro);

    /// The "Project" cell of row 1..100.
    QString projecto(int linha) const;
    void define_projecto(int linha, const QString& caminho);
    ListaMacro lista() const;

    /// While `bloqueado` (a project trains outside the macro) the macro cannot be started.
    void define_bloqueio(bool bloqueado);

    /// `macro_ocupado`: true while the macro runs.
    void macro_ocupado(bool ocupado);
    bool ocupado() const { return ocupado_; }
    bool macro_activa() const;
    /// The row being run (1..100), 0 when none.
    int linha_corrente() const { return linha_corrente_; }

    /// The caption of `Label1`: the macro file's path.
    QString caminho() const;
    void define_caminho(const QString& caminho);

    QLabel* Label1;
    QTableWidget* MSFlexGrid1;
    QPushButton* Command4; // "&Run macro"
    QPushButton* Command5; // "Stop &macro"
    QPushButton* Command2; // "Save &As"
    QPushButton* Command1; // "&Save"
    QPushButton* Command3; // "&Close"

    // The columns of MSFlexGrid1; row r is line r + 1 of the macro.
    static constexpr int order_column = 0;   ///< "Order": the row's number, fixed
    static constexpr int project_column = 1; ///< "Project": the project file's path

public slots:
    void run_macro();
    void stop_macro();
    void save();
    void save_as();
    /// The "Select project file" dialog for the current row.
    void escolhe_projecto();

signals:
    /// `macro_ocupado` changed (the main window swaps "&Run Macro" and "Stop &Macro").
    void estadoMudou(bool ocupado);
    /// The window was closed.
    void fechada();

protected:
    void closeEvent(QCloseEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    class Linhas;

    void prepara_grelha();
    void pinta_linha(int linha, bool corrente);
    EstadoPrograma& estado();
    QString caminho_absoluto(const QString& entrada) const;

    FrameDialogs& dialogs_;
    MacroHost* host_ = nullptr;
    EstadoPrograma* estado_ = nullptr;
    EstadoPrograma estado_local_;
    bool ocupado_ = false;
    bool fechada_ = false;
    bool bloqueado_ = false;
    int linha_corrente_ = 0;
};

} // namespace corvane
