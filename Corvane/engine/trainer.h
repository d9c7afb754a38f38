// The training run of one project and the commands around it: Start, Stop, the end of a run,
// the errors file, evaluating the weights file and generating a random weights file.
#pragma once

#include "backpropagation.h"
#include "genetic.h"
#include "network.h"
#include "random.h"
#include "set_pass.h"
#include "settings.h"
#include "text_file.h"
#include "view.h"

#include <cstdint>
#include <fstream>
#include <functional>
#include <limits>
#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace corvane {

/// State shared by the whole program: the stop request, whether the chart window may be
/// redrawn, the macro flag, the random generator (seeded once when the program starts) and the
/// clock (seconds; replaceable for tests).
struct EstadoPrograma {
    bool pedido_paragem = false;
    bool grafico_activo = false;
    bool macro_activa = false;
    Rnd rnd;
    std::function<std::int64_t()> relogio = segundos_agora;

    static std::int64_t segundos_agora();
};

/// `escala_grafico`: 50 when n/50 <= 10, else 100 when n/100 <= 10, else 200 when n/200 <= 10,
/// else 500.
int escala_grafico(double n);

/// A duration in seconds as the time-of-day text hh:mm:ss (hours wrap at 24).
std::string texto_duracao(std::int64_t segundos);

/// The engine object of one project window: it reads the settings record (which the window
/// keeps in step with its controls), writes the result captions into it, and owns the network,
/// the data sets and the state of a run.
class Treinador {
public:
    Treinador(definicoes_projecto& definicoes, EstadoPrograma& programa, TrainerView& view);
    ~Treinador();
    Treinador(const Treinador&) = delete;
    Treinador& operator=(const Treinador&) = delete;

    /// "&Start trainning": a backpropagation run when `Option1(10)` is selected, otherwise a
    /// genetic-algorithm run. Returns when the run has ended; true when it started and ended
    /// without a reported failure.
    bool comecar_treino();
    /// "Stop &trainning": while a run is in course, the idle state and the stop request.
    void parar_treino();
    /// True from the start of a run until it ends or Stop is pressed ("Trainning in course").
    bool em_curso() const { return em_curso_; }

    /// Click on a result label: the training error of the weights file's weights, shown in a
    /// plain message box. nullopt after a failure (already reported).
    std::optional<float> avalia_ficheiro_pesos();

    /// "&Generate a random weight file", before its save dialog: checks the architecture and
    /// sizes the network (and the population for the genetic algorithm). False after a message.
    bool prepara_pesos_aleatorios();
    /// ... after the dialog returned `ficheiro`: writes the random weights (for the selected
    /// method) and puts `ficheiro` into `Text1(13)`. False after a message.
    bool grava_pesos_aleatorios(const std::string& ficheiro);

    /// `dimensiona_rede`: the architecture, the error goal, the iteration limit and the chart
    /// interval from the settings; the training matrices, the network and the error history
    /// recreated, all zero. False after a message when the architecture cannot be represented.
    bool dimensiona_rede();

    /// The data file path (`Text1(0)`), relative paths taken from the project file's folder.
    std::string caminho_dados() const;
    /// `nome_ficheiro_pesos`: the weights file path (`Text1(13)`), resolved the same way.
    std::string nome_ficheiro_pesos() const;

    /// The caption of `Label3(5)` (current learning rate).
    const std::string& texto_taxa() const { return texto_taxa_; }

    /// The error the last run ended with (of its last evaluation, or of the loaded weights when
    /// no iteration ran), and its test error; NaN where the run did not get that far.
    float erro_final = std::numeric_limits<float>::quiet_NaN();
    float erro_teste = std::numeric_limits<float>::quiet_NaN();
    /// The iteration number the last run showed last (0 when it showed none).
    int iteracao_final = 0;

    Rede rede;
    ConjuntosDados dados;
    /// `historico_erros`: index 0..max iterations; element i is the error of iteration i.
    std::vector<float> historico_erros;
    Backpropagation bp;
    Genetico ga;

private:
    class Proxy;
    bool inicio_comum(bool backprop);
    bool treino_backpropagation();
    bool treino_genetico();
    ReadOutcome le_populacao(const std::string& ficheiro);
    /// A reader's failure: the idle state restored and its message shown. False when it read.
    bool falha_leitura(const ReadOutcome& outcome);
    /// Empties the errors file the first time the run writes to it or ends.
    void esvazia_ficheiro_erros();
    /// Closes the errors file; false after "Error saving trainning errors file!" when a line
    /// of it could not be written.
    bool fecha_ficheiro_erros();
    bool configura_genetico();
    /// The common tail of an iteration; true when the loop must end (Stop).
    bool cauda_iteracao(float erro, int iteracao, std::optional<float> taxa);
    void mostra_resultados(float erro, int iteracao, std::optional<float> taxa);
    void desenha_grafico_erros(int n);
    bool fim_treino();
    bool falha_numerica(int iteracao);
    void volta_inactivo();
    void resultado(int indice, const std::string& texto);

    definicoes_projecto& d_;
    EstadoPrograma& programa_;
    TrainerView& view_;
    std::unique_ptr<Proxy> proxy_;

    bool em_curso_ = false;
    std::string texto_taxa_;
    float objectivo_ = 0.0f;
    std::optional<std::int16_t> max_iteracoes_;
    std::optional<std::int16_t> intervalo_grafico_;
    int tipo_cruzamento_ = 0;
    PassoConjunto passo_;
    std::ofstream ficheiro_erros_;
    std::string nome_erros_;
    bool erros_por_esvaziar_ = false;
    std::int64_t inicio_ = 0;
    std::int64_t inicio_iteracao_ = 0;
    int contador_grafico_ = 0;
};

} // namespace corvane
