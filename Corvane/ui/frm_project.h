// "New project": the window in which one project is edited, trained and inspected. Its controls
// hold the project's settings; a training run calls the engine, which talks back through the
// window's `TrainerView` side.
#pragma once

#include "frame_dialogs.h"
#include "frm_chart.h"
#include "project_port.h"

#include "engine/trainer.h"

#include <QElapsedTimer>
#include <QPointer>
#include <QWidget>

#include <array>

class QButtonGroup;
class QCheckBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;
class QScrollBar;

namespace corvane {

class frm_project : public QWidget, public ProjectPort, private TrainerView {
    Q_OBJECT
public:
    /// `dialogs` answers the message boxes and file dialogs (the real ones when nullptr);
    /// `estado` is the program-wide state (stop request, chart flag, random generator).
    frm_project(EstadoPrograma& estado, FrameDialogs* dialogs = nullptr, QWidget* parent = nullptr);
    ~frm_project() override;

    // Controls, by their names (an indexed control is element i of its array). Text1 is
    // indexed by `slot`, Option1 by `choice`, Check1 by `flag`, Label3 by `results`, VScroll1
    // by `spinner` (the engine's names); the rest by the names below.
    std::array<QLineEdit*, 23> Text1{};
    std::array<QRadioButton*, choice::nn_uniform + 1> Option1{}; ///< 9 to 16
    std::array<QCheckBox*, 3> Check1{};
    std::array<QLabel*, 6> Label3{};
    std::array<QScrollBar*, 8> VScroll1{};
    std::array<QLabel*, 2> Image1{};
    std::array<QPushButton*, 2> Command5{}, Command6{};

    // Image1(i): the picture of the chosen method.
    static constexpr int genetic_picture = 0;         ///< the genetic algorithm's chromosome
    static constexpr int backpropagation_picture = 1; ///< backpropagation's error curve
    // Command5(i) and Command6(i): the buttons of the "View..." box.
    static constexpr int testing_data_button = 0;  ///< Command5(0), "&Testing data"
    static constexpr int training_data_button = 1; ///< Command5(1), "Training &data"
    static constexpr int weights_button = 0;       ///< Command6(0), "&Weights"
    static constexpr int final_weights_button = 1; ///< Command6(1), "&Final weights" (hidden)
    QPushButton *Command1, *Command2, *Command3, *Command4, *Command7, *Command8, *Command9,
        *Command11, *Command12;
    QLabel *Label2, *Label10, *Label11, *Label1_17;
    QGroupBox *Frame1, *Frame2, *Frame6, *Frame9;

    /// `actualiza_controlos`: enabled states, colours and captions from the current choices.
    void actualiza_controlos();
    /// `estado_ocupado`: true disables every command but Stop; false the opposite.
    void estado_ocupado(bool ocupado) override;

    /// The error chart window (nullptr until first shown).
    frm_chart* grafico() const { return chart_; }
    const Treinador& treinador() const { return trainer_; }

    // ProjectPort
    QWidget* janela() override { return this; }
    bool carrega(const QString& ficheiro) override;
    void mostra_caminho(const QString& ficheiro) override;
    definicoes_projecto definicoes() override { return d_; }
    void grava() override;
    void comeca() override;
    void para() override;
    bool ocupado() const override { return ocupado_; }
    void mostra_grafico(const GraficoErros& grafico) override;

protected:
    bool event(QEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    // TrainerView
    void message(std::string_view title, std::string_view text, Icon icon) override;
    void set_pointer(Pointer pointer) override;
    void show_training_label(bool visible) override;
    void show_test_error(bool visible) override;
    void show_learning_rate(bool visible) override;
    void show_result(int index, const std::string& text) override;
    void process_events() override;
    void chart_scale(int interval) override;
    void chart_draw(std::span<const float> points) override;

    void cria_controlos();
    void liga_controlos();
    void mostra_definicoes();
    void activacao();
    /// Where the file dialog of text box `slot` starts: its path as the project reads it.
    QString inicio_dialogo(int slot) const;
    void escolhe_ficheiro(int slot, const QString& titulo, const QString& filtro,
                          const QString& extensao);
    void gera_pesos_aleatorios();
    void grava_como();
    frm_chart& garante_grafico();

    EstadoPrograma& estado_;
    FrameDialogs& dialogs_;
    definicoes_projecto d_;
    Treinador trainer_;
    QPointer<frm_chart> chart_;
    QButtonGroup *metodo_, *cruzamento_;
    QLabel *titulo_camada2_, *titulo_camada3_, *funcao_camada3_;
    std::vector<QLabel*> legendas_ga_, legendas_bp_;
    bool ocupado_ = false;
    bool carregando_ = false;
    bool fechar_no_fim_ = false;
    bool a_correr_ = false;     ///< a run's loop is on the stack (Start has not returned)
    bool grafico_novo_ = false; ///< the run has not drawn its chart yet
    int cursores_ = 0;
    QElapsedTimer relogio_eventos_;
};

/// The real message boxes and file dialogs of the project window.
FrameDialogs& dialogos_projecto();

} // namespace corvane
