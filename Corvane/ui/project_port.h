// The project window as the frame window sees it: load a project file into it, press its
// buttons, read its settings, and hear when it becomes busy, asks for a view or closes.
#pragma once

#include "engine/views.h"

#include "engine/settings.h"

#include <QString>

#include <functional>

class QWidget;

namespace corvane {

/// The views a project window offers ("View..." buttons and the "&View" menu).
enum class Vista { dados_treino, dados_teste, pesos_iniciais, pesos_finais, grafico_erros };

class ProjectPort {
public:
    virtual ~ProjectPort() = default;

    /// The window itself (owned by the frame's workspace once shown).
    virtual QWidget* janela() = 0;
    /// `carrega_ficheiro_projecto`: fills the window from the project file; false after its
    /// message.
    virtual bool carrega(const QString& ficheiro) = 0;
    /// Shows the "Project file:" caption and `Label2` holding `ficheiro`.
    virtual void mostra_caminho(const QString& ficheiro) = 0;
    /// The settings as the window's controls hold them now.
    virtual definicoes_projecto definicoes() = 0;
    /// "&Save", "&Start trainning" (returns when the run has ended), "Stop &trainning".
    virtual void grava() = 0;
    virtual void comeca() = 0;
    virtual void para() = 0;
    /// True while a training run is in course.
    virtual bool ocupado() const = 0;
    /// Fills and shows the error chart window (disabling "&Error chart" until it closes).
    virtual void mostra_grafico(const GraficoErros& grafico) = 0;

    /// Set by the frame: the busy state changed; a view button was pressed; the window is being
    /// closed (after its own unload step).
    std::function<void(bool)> ao_mudar_estado;
    std::function<void(Vista)> ao_pedir_vista;
    std::function<void()> ao_fechar;
    /// Set by the frame: the window made a window of its own (the error chart), not shown yet.
    std::function<void(QWidget*)> ao_criar_janela;
};

} // namespace corvane
