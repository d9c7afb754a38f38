#include "trainer.h"

#include "data_file.h"
#include "project_file.h"
#include "text_file.h"
#include "weights_file.h"

#include "numtext/numtext.h"

#include <chrono>
#include <cmath>
#include <cstdio>
#include <filesystem>
#include <tuple>

namespace corvane {

namespace {
constexpr std::string_view limite_iteracoes =
    "Please check the value of \"Max. iterations:\": it must be a whole number from 0 to 32766.";
constexpr std::string_view limite_intervalo =
    "Please check the value of \"Iterations between chart update:\": it must be a whole number "
    "from -32768 to 32767.";
constexpr std::string_view limite_populacao =
    "Please check the value of \"Initial population:\": it must be a whole number from 2 to 255.";
constexpr std::string_view definicao_grande =
    "Please check the values of the \"Training\" box: a rate or the error goal is too large for a "
    "single-precision number.";
constexpr std::string_view conjunto_grande =
    "The training set is too large: its inputs or targets, times its lines, exceed 67108864 "
    "values.";
constexpr std::size_t maior_conjunto = std::size_t{1} << 26;
constexpr std::string_view erro_gravar_erros = "Error saving trainning errors file!";
constexpr std::string_view sem_projecto =
    "The errors file is named after the project file, whose name must hold \"prj\" (as in "
    "name.prj): save the project as a \".prj\" file before trainning.";
} // namespace

// Forwards to the window and keeps track of whether "Trainning in course" is shown.
class Treinador::Proxy : public TrainerView {
public:
    Proxy(Treinador& t, TrainerView& v) : t_(t), v_(v) {}
    void message(std::string_view title, std::string_view text, Icon icon) override {
        v_.message(title, text, icon);
    }
    void set_pointer(Pointer p) override { v_.set_pointer(p); }
    void estado_ocupado(bool ocupado) override {
        if (!ocupado) t_.em_curso_ = false;
        v_.estado_ocupado(ocupado);
    }
    void show_training_label(bool visible) override {
        t_.em_curso_ = visible;
        v_.show_training_label(visible);
    }
    void show_test_error(bool visible) override { v_.show_test_error(visible); }
    void show_learning_rate(bool visible) override { v_.show_learning_rate(visible); }
    void show_result(int index, const std::string& text) override { v_.show_result(index, text); }
    void process_events() override { v_.process_events(); }
    void chart_scale(int interval) override { v_.chart_scale(interval); }
    void chart_draw(std::span<const float> points) override { v_.chart_draw(points); }
    void iteration_done(int i, float e, std::optional<float> lr) override {
        v_.iteration_done(i, e, lr);
    }

private:
    Treinador& t_;
    TrainerView& v_;
};

std::int64_t EstadoPrograma::segundos_agora() {
    return std::chrono::duration_cast<std::chrono::seconds>(
               std::chrono::system_clock::now().time_since_epoch())
        .count();
}

int escala_grafico(double n) {
    if (n / 50 <= 10) return 50;
    if (n / 100 <= 10) return 100;
    if (n / 200 <= 10) return 200;
    return 500;
}

std::string texto_duracao(std::int64_t segundos) {
    std::int64_t s = ((segundos % 86400) + 86400) % 86400;
    char buf[16];
    std::snprintf(buf, sizeof buf, "%02d:%02d:%02d", static_cast<int>(s / 3600),
                  static_cast<int>(s / 60 % 60), static_cast<int>(s % 60));
    return buf;
}

Treinador::Treinador(definicoes_projecto& definicoes, EstadoPrograma& programa, TrainerView& view)
    : d_(definicoes), programa_(programa), view_(view),
      proxy_(std::make_unique<Proxy>(*this, view)) {}

Treinador::~Treinador() = default;

std::string Treinador::caminho_dados() const {
    return resolve_against(d_.Text1[slot::ficheiro_dados], d_.Label2);
}

std::string Treinador::nome_ficheiro_pesos() const {
    return resolve_against(d_.Text1[slot::ficheiro_pesos], d_.Label2);
}

void Treinador::resultado(int indice, const std::string& texto) {
    if (indice < results::learning_rate)
        d_.Label3[static_cast<std::size_t>(indice)] = texto;
    else
        texto_taxa_ = texto;
    proxy_->show_result(indice, texto);
}

void Treinador::volta_inactivo() {
    proxy_->set_pointer(Pointer::arrow);
    proxy_->estado_ocupado(false);
}

bool Treinador::dimensiona_rede() {
    std::string erro;
    auto arq = calcula_arquitectura(d_, erro);
    if (!arq) {
        critical(*proxy_, erro);
        return false;
    }
    auto treino =
        numtext::to_int16(d_.numero(slot::treino_final) - d_.numero(slot::treino_inicial));
    if (!treino || *treino < 0) {
        critical(*proxy_, msg::dados_invalidos);
        return false;
    }
    const auto patterns = static_cast<std::size_t>(*treino) + 1;
    if (static_cast<std::size_t>(arq->n_entradas) * patterns > maior_conjunto ||
        static_cast<std::size_t>(arq->n_saidas) * patterns > maior_conjunto) {
        critical(*proxy_, conjunto_grande);
        return false;
    }
    objectivo_ = static_cast<float>(d_.numero(slot::objectivo_erro));
    max_iteracoes_ = numtext::to_int16(d_.numero(slot::max_iteracoes));
    intervalo_grafico_ = numtext::to_int16(d_.numero(slot::intervalo_grafico));
    // The training set itself is sized as the data file's lines are read.
    dados.entradas_treino.dimensiona(arq->n_entradas, 0);
    dados.saidas_treino.dimensiona(arq->n_saidas, 0);
    rede.dimensiona(*arq);
    const bool limite_valido = max_iteracoes_ && *max_iteracoes_ >= 0 && *max_iteracoes_ < 32767;
    historico_erros.assign(limite_valido ? static_cast<std::size_t>(*max_iteracoes_) + 1 : 1, 0.0f);
    return true;
}

bool Treinador::configura_genetico() {
    auto p = numtext::to_int16(d_.numero(slot::populacao));
    if (!p || *p < 2 || *p > 255) {
        critical(*proxy_, limite_populacao);
        return false;
    }
    for (int i = choice::one_point; i <= choice::nn_uniform; ++i)
        if (d_.Option1[static_cast<std::size_t>(i)]) tipo_cruzamento_ = i - choice::one_point + 1;
    ga.tipo_cruzamento = tipo_cruzamento_;
    ga.taxa_mutacao = static_cast<float>(d_.numero(slot::taxa_mutacao));
    ga.taxa_cruzamento = static_cast<float>(d_.numero(slot::taxa_cruzamento));
    ga.elitismo = d_.Check1[flag::elitism] == 1;
    ga.dimensiona(rede.arq, *p);
    return true;
}

ReadOutcome Treinador::le_populacao(const std::string& ficheiro) {
    ga.populacao_aleatoria(programa_.rnd);
    std::span<float> first(ga.genes(0, 1), static_cast<std::size_t>(rede.arq.n_pesos));
    ReadOutcome outcome = le_valores(ficheiro, first);
    // With no generation evaluated, the weights delivered are those of the file.
    std::copy(first.begin(), first.end(), ga.melhor_genes.begin());
    return outcome;
}

bool Treinador::falha_leitura(const ReadOutcome& outcome) {
    if (outcome.ok()) return false;
    volta_inactivo();
    critical(*proxy_, outcome.failure);
    return true;
}

bool Treinador::comecar_treino() {
    erro_final = erro_teste = std::numeric_limits<float>::quiet_NaN();
    iteracao_final = 0;
    return d_.backpropagation() ? treino_backpropagation() : treino_genetico();
}

void Treinador::parar_treino() {
    if (!em_curso_) return;
    proxy_->estado_ocupado(false);
    programa_.pedido_paragem = true;
}

bool Treinador::inicio_comum(bool backprop) {
    proxy_->set_pointer(Pointer::arrow_hourglass);
    proxy_->estado_ocupado(true);
    proxy_->show_training_label(true);
    proxy_->show_test_error(false);
    if (backprop) proxy_->show_learning_rate(true);
    proxy_->process_events();

    auto refuse = [&](std::string_view text) {
        volta_inactivo();
        critical(*proxy_, text);
        return false;
    };
    if (!verifica_arquitectura(d_, *proxy_) || !verifica_dados(d_, *proxy_)) {
        volta_inactivo();
        return false;
    }
    if (!dimensiona_rede()) {
        volta_inactivo();
        return false;
    }
    if (!max_iteracoes_ || *max_iteracoes_ < 0 || *max_iteracoes_ > 32766)
        return refuse(limite_iteracoes);
    if (!intervalo_grafico_) return refuse(limite_intervalo);
    if (!std::isfinite(objectivo_)) return refuse(definicao_grande);

    if (backprop) {
        bp.inicia(rede.arq);
        bp.lr = static_cast<float>(d_.numero(slot::taxa_aprendizagem));
        bp.mc = static_cast<float>(d_.numero(slot::momento));
        for (int s : {slot::taxa_aprendizagem, slot::momento, slot::aumento_taxa,
                      slot::reducao_taxa, slot::razao_erro})
            if (!std::isfinite(static_cast<float>(d_.numero(s)))) return refuse(definicao_grande);
        if (falha_leitura(le_pesos(nome_ficheiro_pesos(), rede))) return false;
    } else {
        if (!configura_genetico()) {
            volta_inactivo();
            return false;
        }
        if (falha_leitura(le_populacao(nome_ficheiro_pesos()))) return false;
    }

    if (d_.Check1[flag::show_chart] == 1)
        proxy_->chart_scale(escala_grafico(texto_para_numero(d_.Label3[results::iteration])));

    if (ficheiro_erros_.is_open()) ficheiro_erros_.close();
    auto nome = nome_ficheiro_erros(d_.Label2);
    if (!nome) return refuse(sem_projecto);
    // Opened without losing what it holds: the previous run's errors stay until this run has
    // an error of its own to write (or ends), so a run that fails to start keeps them.
    ficheiro_erros_.clear();
    ficheiro_erros_.open(*nome, std::ios::binary | std::ios::app);
    if (!ficheiro_erros_)
        return refuse("The trainning errors file " + *nome + " cannot be created.");
    nome_erros_ = *nome;
    erros_por_esvaziar_ = true;

    programa_.grafico_activo = true;
    if (falha_leitura(le_dados(d_, caminho_dados(), true, dados))) {
        ficheiro_erros_.close();
        return false;
    }
    passo_.prepara(rede.arq, dados.entradas_treino, dados.saidas_treino);
    contador_grafico_ = 0;
    return true;
}

void Treinador::mostra_resultados(float erro, int iteracao, std::optional<float> taxa) {
    const std::int64_t agora = programa_.relogio();
    resultado(results::training_error, numtext::format(erro, "0.0000E+00"));
    iteracao_final = iteracao;
    resultado(results::iteration, std::to_string(iteracao));
    resultado(results::time_per_iteration, texto_duracao(agora - inicio_iteracao_));
    resultado(results::total_time, texto_duracao(agora - inicio_));
    if (taxa) resultado(results::learning_rate, numtext::format(*taxa, "0.0000E+00"));
    proxy_->process_events();
}

void Treinador::desenha_grafico_erros(int n) {
    if (n < 2) return;
    const std::size_t count = std::min(static_cast<std::size_t>(n), historico_erros.size() - 1);
    proxy_->chart_draw(std::span<const float>(historico_erros.data() + 1, count));
}

bool Treinador::cauda_iteracao(float erro, int iteracao, std::optional<float> taxa) {
    mostra_resultados(erro, iteracao, taxa);
    proxy_->iteration_done(iteracao, erro, taxa);
    proxy_->process_events();
    if (programa_.pedido_paragem) return true;
    historico_erros[static_cast<std::size_t>(iteracao)] = erro;
    if (d_.Check1[flag::show_chart] == 1 && programa_.grafico_activo &&
        contador_grafico_ == *intervalo_grafico_) {
        desenha_grafico_erros(iteracao);
        contador_grafico_ = 0;
    }
    proxy_->process_events();
    if (programa_.pedido_paragem) return true;
    esvazia_ficheiro_erros();
    ficheiro_erros_ << numtext::shortest(erro) << "\r\n";
    ++contador_grafico_;
    return false;
}

void Treinador::esvazia_ficheiro_erros() {
    if (!erros_por_esvaziar_) return;
    erros_por_esvaziar_ = false;
    std::error_code ec;
    std::filesystem::resize_file(nome_erros_, 0, ec);
    if (ec) ficheiro_erros_.setstate(std::ios::badbit);
}

bool Treinador::fecha_ficheiro_erros() {
    if (!ficheiro_erros_.is_open()) return true;
    ficheiro_erros_.flush();
    const bool ok = static_cast<bool>(ficheiro_erros_);
    ficheiro_erros_.close();
    if (ok) return true;
    critical(*proxy_, with_reason(erro_gravar_erros, nome_erros_));
    return false;
}

bool Treinador::falha_numerica(int iteracao) {
    fecha_ficheiro_erros();
    proxy_->show_training_label(false);
    volta_inactivo();
    critical(*proxy_, "The trainning stopped at iteration " + std::to_string(iteracao) +
                          ": its arithmetic overflowed (a value became infinite or not a "
                          "number). The weights file and the project were left unchanged.");
    return false;
}

bool Treinador::fim_treino() {
    if (d_.Check1[flag::show_chart] == 1 && programa_.grafico_activo) {
        // The count on show is an earlier run's when this one made no iteration: only this
        // run's errors are drawn.
        const double shown = texto_para_numero(d_.Label3[results::iteration]) - 1.0;
        const double limit = std::min(static_cast<double>(historico_erros.size()) - 1.0,
                                      static_cast<double>(iteracao_final));
        desenha_grafico_erros(static_cast<int>(std::clamp(shown, 0.0, limit)));
    }
    // The run ended: its errors file holds its iterations, none when it ran none.
    esvazia_ficheiro_erros();
    bool erros_ok = fecha_ficheiro_erros();
    if (falha_leitura(le_dados(d_, caminho_dados(), false, dados))) return false;
    proxy_->set_pointer(Pointer::arrow_hourglass);
    bool ok = grava_pesos(nome_ficheiro_pesos(), rede, *proxy_);
    // The test error is worked out before the project is saved, so that the saved results are
    // all of this run.
    const float teste = rede.calculo_erro_conjunto(dados.entradas_teste, dados.saidas_teste);
    erro_teste = teste;
    resultado(results::test_error, numtext::format(teste, "0.0000E+00"));
    ok = grava_projecto(d_, d_.Label2, *proxy_) && ok && erros_ok;
    proxy_->show_training_label(false);
    proxy_->show_test_error(true);
    proxy_->estado_ocupado(false);
    proxy_->set_pointer(Pointer::arrow);
    return ok;
}

bool Treinador::treino_backpropagation() {
    if (!inicio_comum(true)) return false;
    const float aumento = static_cast<float>(d_.numero(slot::aumento_taxa));
    const float reducao = static_cast<float>(d_.numero(slot::reducao_taxa));
    const float razao = static_cast<float>(d_.numero(slot::razao_erro));
    const int max = *max_iteracoes_;
    auto weights = [&]() { return std::tuple(rede.W1.data(), rede.W2.data(), rede.W3.data()); };
    auto full_pass = [&]() {
        bp.limpa_variacoes();
        auto [w1, w2, w3] = weights();
        return passo_.gradiente(w1, w2, w3, bp.variacao1.data(), bp.variacao2.data(),
                                bp.variacao3.data());
    };

    int i = 1;
    float E = full_pass();
    if (!std::isfinite(E)) return falha_numerica(0);
    inicio_ = programa_.relogio();
    programa_.pedido_paragem = false;
    while (E > objectivo_ && i <= max) {
        inicio_iteracao_ = programa_.relogio();
        bp.actualiza_pesos(rede);
        if (!rede.pesos_finitos()) return falha_numerica(i);
        float novo = full_pass();
        if (!std::isfinite(novo)) return falha_numerica(i);
        int r = 0;
        while (static_cast<float>(static_cast<double>(E) * static_cast<double>(razao)) < novo &&
               r < 1000) {
            if (bp.lr > 0.00001f)
                bp.lr =
                    static_cast<float>(static_cast<double>(reducao) * static_cast<double>(bp.lr));
            bp.mc = 0.0f;
            bp.regresso_pesos_anteriores(rede);
            bp.actualiza_pesos(rede);
            if (!rede.pesos_finitos()) return falha_numerica(i);
            auto [w1, w2, w3] = weights();
            novo = passo_.erro_conjunto(w1, w2, w3);
            if (!std::isfinite(novo)) return falha_numerica(i);
            if (++r == 100) parar_treino();
        }
        bp.lr = static_cast<float>(static_cast<double>(aumento) * static_cast<double>(bp.lr));
        if (!std::isfinite(bp.lr)) return falha_numerica(i);
        bp.mc = static_cast<float>(d_.numero(slot::momento));
        E = novo;
        if (cauda_iteracao(novo, i, bp.lr)) break;
        ++i;
    }
    erro_final = E;
    return fim_treino();
}

bool Treinador::treino_genetico() {
    if (!inicio_comum(false)) return false;
    const int max = *max_iteracoes_;
    float E = 3.402823E+38f;
    int i = 1;
    inicio_ = programa_.relogio();
    programa_.pedido_paragem = false;
    while (E > objectivo_ && i <= max) {
        inicio_iteracao_ = programa_.relogio();
        E = ga.avalia_populacao(passo_);
        for (int c = 1; c <= ga.P; ++c)
            if (!std::isfinite(ga.erro_individuo[static_cast<std::size_t>(c)]))
                return falha_numerica(i);
        if (E > objectivo_) ga.nova_geracao(programa_.rnd);
        if (cauda_iteracao(E, i, std::nullopt)) break;
        ++i;
    }
    ga.melhor_para_pesos(rede);
    if (E < 3.402823E+38f) erro_final = E; // an evaluated generation
    return fim_treino();
}

std::optional<float> Treinador::avalia_ficheiro_pesos() {
    proxy_->set_pointer(Pointer::hourglass);
    if (!dimensiona_rede()) {
        proxy_->set_pointer(Pointer::arrow);
        return std::nullopt;
    }
    // The pointer and the idle state as the readers leave them for a run.
    if (falha_leitura(le_dados(d_, caminho_dados(), true, dados)) ||
        falha_leitura(le_pesos(nome_ficheiro_pesos(), rede)))
        return std::nullopt;
    proxy_->set_pointer(Pointer::arrow);
    const float erro = rede.calculo_erro_conjunto(dados.entradas_treino, dados.saidas_treino);
    proxy_->message(titulo_programa, numtext::shortest(erro), Icon::none);
    return erro;
}

bool Treinador::prepara_pesos_aleatorios() {
    if (!verifica_arquitectura(d_, *proxy_) || !dimensiona_rede()) return false;
    // The population is needed whenever backpropagation is not the chosen method.
    return d_.backpropagation() || configura_genetico();
}

bool Treinador::grava_pesos_aleatorios(const std::string& ficheiro) {
    const std::string destino = resolve_against(ficheiro, d_.Label2);
    bool ok;
    if (d_.backpropagation()) {
        pesos_aleatorios(rede, programa_.rnd, true, 2.0f);
        ok = grava_pesos(destino, rede, *proxy_);
    } else {
        ga.populacao_aleatoria(programa_.rnd);
        std::vector<float> first(ga.genes(0, 1), ga.genes(0, 1) + rede.arq.n_pesos);
        ok = grava_valores(destino, first, *proxy_);
    }
    d_.Text1[slot::ficheiro_pesos] = ficheiro;
    return ok;
}

} // namespace corvane
