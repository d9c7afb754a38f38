#include "frm_project.h"

#include "engine/project_file.h"
#include "engine/text_file.h"

#include <QApplication>
#include <QButtonGroup>
#include <QCheckBox>
#include <QCloseEvent>
#include <QFileInfo>
#include <QFrame>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QLocale>
#include <QMessageBox>
#include <QPainter>
#include <QPainterPath>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollBar>
#include <QSpacerItem>
#include <QStyle>
#include <QVBoxLayout>
#include <QWheelEvent>

#include <algorithm>
#include <filesystem>

namespace corvane {

namespace {

const QColor cinzento(0xC0, 0xC0, 0xC0);
const QColor cinzento_escuro(0x80, 0x80, 0x80);

QString q(std::string_view s) {
    return QString::fromUtf8(s.data(), static_cast<qsizetype>(s.size()));
}

class RealDialogs : public FrameDialogs {
public:
    void message(QWidget* parent, const QString& title, const QString& text, Icon icon) override {
        QMessageBox box(icon == Icon::critical ? QMessageBox::Critical : QMessageBox::NoIcon, title,
                        text, QMessageBox::Ok, parent);
        // A box sizes itself to its text: one holding only a number (the error of the weights
        // file) would be too narrow for the window manager to show its title beside the title
        // bar's buttons. The room is reserved by a spacer under the box's contents, the one
        // width the box's own sizing takes into account.
        if (auto* grid = qobject_cast<QGridLayout*>(box.layout())) {
            QFont bold = box.font();
            bold.setBold(true);
            const int buttons =
                4 * box.style()->pixelMetric(QStyle::PM_TitleBarHeight, nullptr, &box);
            const int width = QFontMetrics(bold).horizontalAdvance(title) + buttons;
            grid->addItem(new QSpacerItem(width, 0, QSizePolicy::Minimum, QSizePolicy::Minimum),
                          grid->rowCount(), 0, 1, grid->columnCount());
        }
        box.exec();
    }
    // The file dialogs are the frame's.
    std::optional<QString> file(QWidget* parent, const PedidoFicheiro& p) override {
        return qt_dialogs().file(parent, p);
    }
};

// The two small pictures that mark the chosen method: a branching chromosome for the genetic
// algorithm, a descending error curve for backpropagation.
QPixmap figura_metodo(bool genetico) {
    QPixmap pix(40, 40);
    pix.fill(Qt::transparent);
    QPainter p(&pix);
    p.setRenderHint(QPainter::Antialiasing);
    if (genetico) {
        p.setPen(QPen(QColor(0, 90, 160), 2));
        for (int i = 0; i < 5; ++i) {
            const int y = 6 + i * 7;
            p.drawLine(8 + (i % 2) * 4, y, 32 - (i % 2) * 4, y + 3);
        }
        p.setPen(QPen(QColor(170, 30, 30), 2));
        p.drawLine(10, 4, 30, 36);
        p.drawLine(30, 4, 10, 36);
    } else {
        p.setPen(QPen(QColor(0, 120, 0), 2));
        QPainterPath path(QPointF(4, 6));
        path.cubicTo(QPointF(10, 30), QPointF(20, 34), QPointF(36, 34));
        p.drawPath(path);
        p.setPen(QPen(Qt::black, 1));
        p.drawLine(4, 36, 36, 36);
        p.drawLine(4, 36, 4, 4);
    }
    return pix;
}

// A spinner: a small vertical bar whose top is its largest value. The bar is drawn upside down,
// but a scroll bar's controls still step towards its top by lowering the value: each step is
// turned round before it is applied, so the upper arrow, the trough above the handle, the Up
// and Page Up keys, Home and the wheel turned away from the person all raise the value.
class BarraSpinner : public QScrollBar {
public:
    explicit BarraSpinner(QWidget* parent) : QScrollBar(Qt::Vertical, parent) {
        setInvertedAppearance(true);
        connect(this, &QAbstractSlider::actionTriggered, this, [this](int action) {
            switch (action) {
            case SliderSingleStepAdd:
                setSliderPosition(value() - singleStep());
                break;
            case SliderSingleStepSub:
                setSliderPosition(value() + singleStep());
                break;
            case SliderPageStepAdd:
                setSliderPosition(value() - pageStep());
                break;
            case SliderPageStepSub:
                setSliderPosition(value() + pageStep());
                break;
            case SliderToMinimum:
                setSliderPosition(maximum());
                break;
            case SliderToMaximum:
                setSliderPosition(minimum());
                break;
            default:
                break;
            }
        });
    }

protected:
    void wheelEvent(QWheelEvent* e) override {
        QWheelEvent virada(e->position(), e->globalPosition(), -e->pixelDelta(), -e->angleDelta(),
                           e->buttons(), e->modifiers(), e->phase(), e->inverted(), e->source(),
                           e->pointingDevice());
        QScrollBar::wheelEvent(&virada);
        e->setAccepted(virada.isAccepted());
    }
};

void fundo(QLineEdit* edit, const QColor& cor) {
    QPalette pal = edit->palette();
    pal.setColor(QPalette::Active, QPalette::Base, cor);
    pal.setColor(QPalette::Inactive, QPalette::Base, cor);
    pal.setColor(QPalette::Disabled, QPalette::Base, cor);
    edit->setPalette(pal);
}

void cor_texto(QLabel* label, const QColor& cor) {
    QPalette pal = label->palette();
    for (auto group : {QPalette::Active, QPalette::Inactive, QPalette::Disabled})
        pal.setColor(group, QPalette::WindowText, cor);
    label->setPalette(pal);
}

} // namespace

FrameDialogs& dialogos_projecto() {
    static RealDialogs dialogs;
    return dialogs;
}

frm_project::frm_project(EstadoPrograma& estado, FrameDialogs* dialogs, QWidget* parent)
    : QWidget(parent), estado_(estado), dialogs_(dialogs ? *dialogs : dialogos_projecto()),
      trainer_(d_, estado, *this) {
    setObjectName("frm_project");
    setWindowTitle("New project");
    setAttribute(Qt::WA_DeleteOnClose, false);
    cria_controlos();
    mostra_definicoes();
    liga_controlos();
    estado_ocupado(false);
    actualiza_controlos();
    relogio_eventos_.start();
}

frm_project::~frm_project() {
    while (cursores_ > 0) {
        QApplication::restoreOverrideCursor();
        --cursores_;
    }
}

void frm_project::cria_controlos() {
    // A box for a number is as wide as a long number (a line edit would otherwise ask for room
    // for some seventeen characters, and the window would not fit a 1280-pixel screen); the two
    // file names take the room that is left in their frames.
    const int numero = fontMetrics().horizontalAdvance("0.0000E+00") + 16;
    auto texto = [this, numero](int i) {
        auto* e = new QLineEdit(this);
        e->setObjectName(QString("Text1(%1)").arg(i));
        e->setMinimumWidth(56);
        if (i != slot::ficheiro_dados && i != slot::ficheiro_pesos) e->setMaximumWidth(numero);
        Text1[static_cast<std::size_t>(i)] = e;
        return e;
    };
    auto legenda = [this](const QString& t) { return new QLabel(t, this); };
    auto botao = [this](const QString& name, const QString& caption) {
        auto* b = new QPushButton(caption, this);
        b->setObjectName(name);
        return b;
    };
    auto barra = [this](int i) {
        const Spinner& range = spinners[static_cast<std::size_t>(i)];
        auto* s = new BarraSpinner(this);
        s->setObjectName(QString("VScroll1(%1)").arg(i));
        s->setRange(range.minimo, range.maximo);
        s->setValue(range.minimo == 100 ? 100 : 0);
        s->setFixedSize(16, 24);
        VScroll1[static_cast<std::size_t>(i)] = s;
        return s;
    };
    // The text box of a spinner's slot with the spinner beside it.
    auto com_spinner = [&](int spinner_index) {
        auto* w = new QWidget(this);
        auto* h = new QHBoxLayout(w);
        h->setContentsMargins(0, 0, 0, 0);
        h->setSpacing(1);
        h->addWidget(texto(spinners[static_cast<std::size_t>(spinner_index)].slot));
        h->addWidget(barra(spinner_index));
        return w;
    };

    // Training data and Test data
    Frame1 = new QGroupBox("Training data and Test data", this);
    Frame1->setObjectName("Frame1");
    auto* g1 = new QGridLayout(Frame1);
    g1->addWidget(legenda("Data file:"), 0, 0);
    g1->addWidget(texto(slot::ficheiro_dados), 0, 1, 1, 3);
    Text1[slot::ficheiro_dados]->setReadOnly(true);
    Command1 = botao("Command1", "&Select file");
    g1->addWidget(Command1, 0, 4);
    auto* titulo_treino = legenda("<b>Training data</b>");
    g1->addWidget(titulo_treino, 1, 1, 1, 2, Qt::AlignHCenter);
    g1->addWidget(legenda("Input"), 2, 1, Qt::AlignHCenter);
    g1->addWidget(legenda("Output"), 2, 2, Qt::AlignHCenter);
    g1->addWidget(legenda("<b>Testing data</b>"), 2, 3, Qt::AlignHCenter);
    const char* linhas[] = {"Initial column:", "Final column:", "Initial line:", "Final line:"};
    // The slots of each row under "Input", "Output" and "Testing data"; -1 where there is none.
    const int entrada[] = {slot::entrada_inicial, slot::entrada_final, slot::treino_inicial,
                           slot::treino_final};
    const int saida[] = {slot::saida_inicial, slot::saida_final, -1, -1};
    const int teste[] = {-1, -1, slot::teste_inicial, slot::teste_final};
    for (int r = 0; r < 4; ++r) {
        g1->addWidget(legenda(linhas[r]), 3 + r, 0);
        g1->addWidget(texto(entrada[r]), 3 + r, 1);
        if (saida[r] >= 0) g1->addWidget(texto(saida[r]), 3 + r, 2);
        if (teste[r] >= 0) g1->addWidget(texto(teste[r]), 3 + r, 3);
    }

    // Neural network architecture
    Frame2 = new QGroupBox("Neural network architecture", this);
    Frame2->setObjectName("Frame2");
    auto* g2 = new QGridLayout(Frame2);
    g2->addWidget(legenda("Weights file:"), 0, 0);
    g2->addWidget(texto(slot::ficheiro_pesos), 0, 1, 1, 2);
    Text1[slot::ficheiro_pesos]->setReadOnly(true);
    Command2 = botao("Command2", "Select &File");
    g2->addWidget(Command2, 0, 3);
    g2->addWidget(legenda("1st hidden layer"), 1, 1, Qt::AlignHCenter);
    titulo_camada2_ = legenda("2nd hidden layer");
    g2->addWidget(titulo_camada2_, 1, 2, Qt::AlignHCenter);
    titulo_camada3_ = legenda("Output linear layer");
    g2->addWidget(titulo_camada3_, 1, 3, Qt::AlignHCenter);
    g2->addWidget(legenda("Neurons:"), 2, 0);
    g2->addWidget(texto(slot::oculta1), 2, 1);
    g2->addWidget(texto(slot::oculta2), 2, 2);
    QCheckBox*& linear = Check1[flag::linear_layer];
    linear = new QCheckBox("unselected", this);
    linear->setObjectName("Check1(1)");
    // The two captions that change with the linear layer keep the room of the longer one, so
    // that the window, sized when it opens, never has to squeeze them when a project changes
    // them.
    linear->setMinimumWidth(linear->sizeHint().width());
    linear->setText("selected");
    titulo_camada2_->setMinimumWidth(std::max(titulo_camada2_->sizeHint().width(),
                                              fontMetrics().horizontalAdvance("Output layer")));
    g2->addWidget(linear, 2, 3, Qt::AlignHCenter);
    g2->addWidget(legenda("Transfer function:"), 3, 0);
    g2->addWidget(legenda("Sigmoid"), 3, 1, Qt::AlignHCenter);
    g2->addWidget(legenda("Sigmoid"), 3, 2, Qt::AlignHCenter);
    funcao_camada3_ = legenda("Linear");
    g2->addWidget(funcao_camada3_, 3, 3, Qt::AlignHCenter);
    Command7 = botao("Command7", "&Generate a random weight file");
    g2->addWidget(Command7, 4, 0, 1, 4);
    Label1_17 = legenda("Project file:");
    Label1_17->setObjectName("Label1(17)");
    Label2 = new QLabel(this);
    Label2->setObjectName("Label2");
    Label1_17->hide();
    Label2->hide();

    // Training
    Frame6 = new QGroupBox("Training", this);
    Frame6->setObjectName("Frame6");
    auto* g6 = new QGridLayout(Frame6);
    Option1[choice::genetic_algorithm] = new QRadioButton("Genetic algorithm", this);
    Option1[choice::backpropagation] = new QRadioButton("Backpropagation", this);
    metodo_ = new QButtonGroup(this);
    cruzamento_ = new QButtonGroup(this);
    const char* cruzamentos[] = {"1 point",    "2 point",     "Uniform",
                                 "NN 1 point", "NN 2 points", "NN uniform"};
    for (int i = choice::one_point; i <= choice::nn_uniform; ++i)
        Option1[static_cast<std::size_t>(i)] =
            new QRadioButton(cruzamentos[i - choice::one_point], this);
    for (int i = choice::genetic_algorithm; i <= choice::nn_uniform; ++i) {
        Option1[static_cast<std::size_t>(i)]->setObjectName(QString("Option1(%1)").arg(i));
        (i <= choice::backpropagation ? metodo_ : cruzamento_)
            ->addButton(Option1[static_cast<std::size_t>(i)], i);
    }
    for (int i = 0; i < 2; ++i) {
        Image1[static_cast<std::size_t>(i)] = new QLabel(this);
        Image1[static_cast<std::size_t>(i)]->setObjectName(QString("Image1(%1)").arg(i));
        Image1[static_cast<std::size_t>(i)]->setPixmap(figura_metodo(i == genetic_picture));
    }
    g6->addWidget(Option1[choice::genetic_algorithm], 0, 0, 1, 2);
    g6->addWidget(Image1[genetic_picture], 0, 2);
    g6->addWidget(Option1[choice::backpropagation], 0, 3, 1, 2);
    g6->addWidget(Image1[backpropagation_picture], 0, 5);
    const char* ga[] = {"Initial population:", "Mutation rate:", "Crossover rate:"};
    for (int r = 0; r < 3; ++r) {
        auto* l = legenda(ga[r]);
        legendas_ga_.push_back(l);
        g6->addWidget(l, 1 + r, 0, 1, 2);
        g6->addWidget(com_spinner(spinner::population + r), 1 + r, 2);
    }
    for (int i = choice::one_point; i <= choice::nn_uniform; ++i)
        g6->addWidget(Option1[static_cast<std::size_t>(i)], 4 + (i - choice::one_point) / 2,
                      (i - choice::one_point) % 2);
    Check1[flag::elitism] = new QCheckBox("Elitism", this);
    Check1[flag::elitism]->setObjectName("Check1(0)");
    g6->addWidget(Check1[flag::elitism], 7, 0);
    const char* bp[] = {"Learning rate:", "Learning rate increase:", "Learning rate decrease:",
                        "Momentum:", "Max error ratio:"};
    for (int r = 0; r < 5; ++r) {
        auto* l = legenda(bp[r]);
        legendas_bp_.push_back(l);
        g6->addWidget(l, 1 + r, 3, 1, 2);
        g6->addWidget(com_spinner(spinner::learning_rate + r), 1 + r, 5);
    }
    auto* linha = new QFrame(this);
    linha->setFrameShape(QFrame::HLine);
    g6->addWidget(linha, 8, 0, 1, 6);
    g6->addWidget(legenda("Error goal:"), 9, 0, 1, 2);
    g6->addWidget(texto(slot::objectivo_erro), 9, 2);
    g6->addWidget(legenda("Max. iterations:"), 9, 3, 1, 2);
    g6->addWidget(texto(slot::max_iteracoes), 9, 5);
    g6->addWidget(legenda("Iterations between chart update:"), 10, 0, 1, 3);
    g6->addWidget(texto(slot::intervalo_grafico), 10, 3);
    Check1[flag::show_chart] = new QCheckBox("Show error chart", this);
    Check1[flag::show_chart]->setObjectName("Check1(2)");
    g6->addWidget(Check1[flag::show_chart], 10, 4, 1, 2);

    // Training results
    auto* resultados = new QFrame(this);
    resultados->setObjectName("Panel3D1");
    resultados->setFrameShape(QFrame::Panel);
    resultados->setFrameShadow(QFrame::Raised);
    auto* gr = new QGridLayout(resultados);
    gr->addWidget(legenda("<b>Training results</b>"), 0, 0, 1, 2, Qt::AlignHCenter);
    const char* resultado[] = {"Training error:",      "Iteration n#:", "Time for each iteration:",
                               "Total training time:", "Test error:",   "Learning rate:"};
    for (int i = 0; i < 6; ++i) {
        auto* l = legenda(resultado[i]);
        if (i == results::learning_rate) {
            Label11 = l;
            l->setObjectName("Label11");
        }
        auto* v = new QLabel(this);
        v->setObjectName(QString("Label3(%1)").arg(i));
        v->setMinimumWidth(110);
        v->setAutoFillBackground(true);
        QPalette pal = v->palette();
        pal.setColor(QPalette::Window, QColor(0x80, 0x80, 0x80));
        pal.setColor(QPalette::WindowText, Qt::white);
        v->setPalette(pal);
        v->setCursor(Qt::PointingHandCursor);
        v->setToolTip("Click to evaluate the weights file on the training data");
        v->installEventFilter(this);
        Label3[static_cast<std::size_t>(i)] = v;
        gr->addWidget(l, 1 + i, 0);
        gr->addWidget(v, 1 + i, 1);
    }
    Label11->hide();
    Label3[results::learning_rate]->hide();

    // View...
    Frame9 = new QGroupBox("View...", this);
    Frame9->setObjectName("Frame9");
    auto* g9 = new QGridLayout(Frame9);
    Command5[training_data_button] = botao("Command5(1)", "Training &data");
    Command5[testing_data_button] = botao("Command5(0)", "&Testing data");
    Command6[weights_button] = botao("Command6(0)", "&Weights");
    Command11 = botao("Command11", "&Error chart");
    Command6[final_weights_button] = botao("Command6(1)", "&Final weights");
    Command6[final_weights_button]->hide();
    g9->addWidget(Command5[training_data_button], 0, 0);
    g9->addWidget(Command5[testing_data_button], 0, 1);
    g9->addWidget(Command6[weights_button], 1, 0);
    g9->addWidget(Command11, 1, 1);

    // The column of buttons
    Command4 = botao("Command4", "&Start trainning");
    Command12 = botao("Command12", "Stop &trainning");
    Command9 = botao("Command9", "Save &As");
    Command3 = botao("Command3", "&Save");
    Command8 = botao("Command8", "&Close");
    Label10 = new QLabel("Trainning in course", this);
    Label10->setObjectName("Label10");
    Label10->setAlignment(Qt::AlignCenter);
    Label10->setAutoFillBackground(true);
    QPalette vermelho = Label10->palette();
    vermelho.setColor(QPalette::Window, Qt::red);
    vermelho.setColor(QPalette::WindowText, Qt::white);
    Label10->setPalette(vermelho);
    // The label keeps its room while hidden, so the window does not shift when a run starts.
    QSizePolicy reserva = Label10->sizePolicy();
    reserva.setRetainSizeWhenHidden(true);
    Label10->setSizePolicy(reserva);
    Label10->hide();
    auto* coluna = new QVBoxLayout;
    for (QWidget* w : {static_cast<QWidget*>(Command4), static_cast<QWidget*>(Command12),
                       static_cast<QWidget*>(Command9), static_cast<QWidget*>(Command3),
                       static_cast<QWidget*>(Command8)})
        coluna->addWidget(w);
    coluna->addSpacing(12);
    coluna->addWidget(Label10);
    coluna->addStretch();

    auto* caminho = new QHBoxLayout;
    caminho->addWidget(Label1_17);
    caminho->addWidget(Label2, 1);

    auto* grelha = new QGridLayout(this);
    grelha->addWidget(Frame1, 0, 0);
    grelha->addWidget(Frame6, 1, 0, 3, 1);
    grelha->addWidget(Frame2, 0, 1);
    grelha->addLayout(caminho, 1, 1);
    grelha->addWidget(resultados, 2, 1);
    grelha->addWidget(Frame9, 3, 1);
    grelha->addLayout(coluna, 0, 2, 4, 1);
    grelha->setRowStretch(2, 1);
}

void frm_project::liga_controlos() {
    for (int i = 0; i < 23; ++i) {
        connect(Text1[static_cast<std::size_t>(i)], &QLineEdit::textChanged, this,
                [this, i](const QString& t) {
                    d_.Text1[static_cast<std::size_t>(i)] = t.toStdString();
                    actualiza_controlos();
                });
    }
    for (int i = choice::genetic_algorithm; i <= choice::nn_uniform; ++i) {
        connect(Option1[static_cast<std::size_t>(i)], &QRadioButton::toggled, this,
                [this, i](bool on) {
                    d_.Option1[static_cast<std::size_t>(i)] = on;
                    actualiza_controlos();
                });
    }
    for (int i = 0; i < 3; ++i) {
        connect(Check1[static_cast<std::size_t>(i)], &QCheckBox::toggled, this, [this, i](bool on) {
            d_.Check1[static_cast<std::size_t>(i)] = on ? 1 : 0;
            actualiza_controlos();
        });
    }
    // A spinner moved by the person writes its new value into its text box (in the person's
    // number format); setting it from a loaded project leaves the text as loaded, and a step
    // against the end of the range, which changes nothing, leaves the text as typed.
    for (std::size_t s = 0; s < spinners.size(); ++s) {
        connect(VScroll1[s], &QScrollBar::actionTriggered, this, [this, s](int) {
            QScrollBar* bar = VScroll1[s];
            if (bar->sliderPosition() == bar->value()) return;
            const double v = bar->sliderPosition() / spinners[s].factor;
            Text1[static_cast<std::size_t>(spinners[s].slot)]->setText(
                QLocale().toString(v, 'g', 6));
        });
    }
    connect(Command1, &QPushButton::clicked, this, [this] {
        escolhe_ficheiro(slot::ficheiro_dados, "Select data file", "Data file (*.txt)", "txt");
    });
    connect(Command2, &QPushButton::clicked, this, [this] {
        escolhe_ficheiro(slot::ficheiro_pesos, "Select weights file", "Weights file (*.wgt)",
                         "wgt");
    });
    connect(Command7, &QPushButton::clicked, this, &frm_project::gera_pesos_aleatorios);
    connect(Command4, &QPushButton::clicked, this, &frm_project::comeca);
    connect(Command12, &QPushButton::clicked, this, &frm_project::para);
    connect(Command3, &QPushButton::clicked, this, &frm_project::grava);
    connect(Command9, &QPushButton::clicked, this, &frm_project::grava_como);
    connect(Command8, &QPushButton::clicked, this, &QWidget::close);
    auto vista = [this](Vista v) {
        if (ao_pedir_vista) ao_pedir_vista(v);
    };
    connect(Command5[training_data_button], &QPushButton::clicked, this,
            [vista] { vista(Vista::dados_treino); });
    connect(Command5[testing_data_button], &QPushButton::clicked, this,
            [vista] { vista(Vista::dados_teste); });
    connect(Command6[weights_button], &QPushButton::clicked, this,
            [vista] { vista(Vista::pesos_iniciais); });
    connect(Command6[final_weights_button], &QPushButton::clicked, this,
            [vista] { vista(Vista::pesos_finais); });
    connect(Command11, &QPushButton::clicked, this, [vista] { vista(Vista::grafico_erros); });
}

void frm_project::mostra_definicoes() {
    carregando_ = true;
    for (std::size_t i = 0; i < Text1.size(); ++i)
        Text1[i]->setText(QString::fromStdString(d_.Text1[i]));
    // Exclusive groups: tick the chosen ones; with none chosen in a group, clear it.
    const definicoes_projecto d = d_;
    for (QButtonGroup* group : {metodo_, cruzamento_}) {
        group->setExclusive(false);
        for (QAbstractButton* b : group->buttons())
            b->setChecked(d.Option1[static_cast<std::size_t>(group->id(b))]);
        group->setExclusive(true);
    }
    for (std::size_t i = 0; i < Check1.size(); ++i)
        Check1[i]->setChecked(d.Check1[i] == 1);
    d_.Option1 = d.Option1;
    d_.Check1 = d.Check1;
    for (std::size_t i = 0; i < d_.Label3.size(); ++i)
        Label3[i]->setText(QString::fromStdString(d_.Label3[i]));
    carregando_ = false;
    actualiza_controlos();
}

void frm_project::actualiza_controlos() {
    if (carregando_) return;
    const QColor realce = palette().color(QPalette::Light);
    const bool genetico = Option1[choice::genetic_algorithm]->isChecked();
    for (int s : {slot::populacao, slot::taxa_mutacao, slot::taxa_cruzamento}) {
        Text1[static_cast<std::size_t>(s)]->setEnabled(genetico);
        fundo(Text1[static_cast<std::size_t>(s)], genetico ? realce : cinzento);
    }
    for (int s : {slot::aumento_taxa, slot::reducao_taxa, slot::razao_erro}) {
        Text1[static_cast<std::size_t>(s)]->setEnabled(!genetico);
        fundo(Text1[static_cast<std::size_t>(s)], genetico ? cinzento : realce);
    }
    for (int i = choice::one_point; i <= choice::nn_uniform; ++i)
        Option1[static_cast<std::size_t>(i)]->setEnabled(genetico);
    Check1[flag::elitism]->setEnabled(genetico);
    for (QLabel* l : legendas_ga_)
        l->setEnabled(genetico);
    Image1[genetic_picture]->setVisible(genetico);
    Image1[backpropagation_picture]->setVisible(!genetico);

    const bool retro = Option1[choice::backpropagation]->isChecked();
    for (int s : {slot::taxa_aprendizagem, slot::momento}) {
        Text1[static_cast<std::size_t>(s)]->setEnabled(retro);
        fundo(Text1[static_cast<std::size_t>(s)], retro ? realce : cinzento);
    }
    for (QLabel* l : legendas_bp_)
        l->setEnabled(retro);
    for (std::size_t s = 0; s < VScroll1.size(); ++s)
        VScroll1[s]->setEnabled(s <= spinner::last_backpropagation ? retro : !retro);

    Command6[weights_button]->setEnabled(!Text1[slot::ficheiro_pesos]->text().isEmpty());

    const bool linear = Check1[flag::linear_layer]->isChecked();
    titulo_camada2_->setText(linear ? "2nd hidden layer" : "Output layer");
    Check1[flag::linear_layer]->setText(linear ? "selected" : "unselected");
    cor_texto(titulo_camada3_, linear ? Qt::black : cinzento_escuro);
    cor_texto(funcao_camada3_, linear ? Qt::black : cinzento_escuro);
    Text1[slot::oculta2]->setEnabled(linear);
    fundo(Text1[slot::oculta2], linear ? realce : cinzento);
}

void frm_project::estado_ocupado(bool ocupado) {
    ocupado_ = ocupado;
    if (!ocupado) Label10->hide();
    for (QPushButton* b : {Command1, Command2, Command3, Command4, Command5[testing_data_button],
                           Command5[training_data_button], Command6[weights_button],
                           Command6[final_weights_button], Command7, Command9, Command11})
        b->setEnabled(!ocupado);
    Command12->setEnabled(ocupado);
    if (!ocupado)
        Command6[weights_button]->setEnabled(!Text1[slot::ficheiro_pesos]->text().isEmpty());
    if (ao_mudar_estado) ao_mudar_estado(ocupado);
}

void frm_project::activacao() {
    actualiza_controlos();
    std::error_code ec;
    const std::string pesos = trainer_.nome_ficheiro_pesos();
    const bool legivel = !pesos.empty() && std::filesystem::is_regular_file(pesos, ec);
    if (!legivel) {
        Command5[testing_data_button]->setEnabled(false);
        Command5[training_data_button]->setEnabled(false);
    }
}

bool frm_project::event(QEvent* e) {
    if (e->type() == QEvent::WindowActivate || e->type() == QEvent::Show) activacao();
    return QWidget::event(e);
}

bool frm_project::eventFilter(QObject* watched, QEvent* e) {
    if (e->type() == QEvent::MouseButtonRelease && !ocupado_) {
        for (QLabel* l : Label3) {
            if (watched == l) {
                trainer_.avalia_ficheiro_pesos();
                return true;
            }
        }
    }
    return QWidget::eventFilter(watched, e);
}

void frm_project::closeEvent(QCloseEvent* e) {
    para();
    // Stop returns the window to idle at once, but the run is still on the stack until its next
    // poll: the window closes when it has ended.
    if (a_correr_) {
        fechar_no_fim_ = true;
        e->ignore();
        return;
    }
    if (chart_) chart_->close();
    QWidget::closeEvent(e);
    if (ao_fechar) ao_fechar();
}

// ------------------------------------------------------------------ commands

QString frm_project::inicio_dialogo(int slot) const {
    // The project reads a relative path from its own folder, so the dialog starts there too,
    // not in the folder the program was started from; without a path, in the project's folder.
    const std::string texto = Text1[static_cast<std::size_t>(slot)]->text().toStdString();
    if (d_.Label2.empty()) return QString::fromStdString(texto);
    if (texto.empty())
        return QString::fromStdString(std::filesystem::path(d_.Label2).parent_path().string());
    return QString::fromStdString(resolve_against(texto, d_.Label2));
}

void frm_project::escolhe_ficheiro(int slot, const QString& titulo, const QString& filtro,
                                   const QString& extensao) {
    if (auto escolhido =
            dialogs_.file(this, pedido_abrir(titulo, filtro, extensao, inicio_dialogo(slot))))
        Text1[static_cast<std::size_t>(slot)]->setText(*escolhido);
}

void frm_project::gera_pesos_aleatorios() {
    if (!trainer_.prepara_pesos_aleatorios()) return;
    auto escolhido =
        dialogs_.file(this, pedido_gravar("Save weights file", "Weights file (*.wgt)", "wgt",
                                          inicio_dialogo(slot::ficheiro_pesos), true));
    if (!escolhido) return;
    trainer_.grava_pesos_aleatorios(escolhido->toStdString());
    Text1[slot::ficheiro_pesos]->setText(QString::fromStdString(d_.Text1[slot::ficheiro_pesos]));
}

void frm_project::grava() {
    if (d_.Label2.empty()) {
        grava_como();
        return;
    }
    grava_projecto(d_, d_.Label2, *this);
}

void frm_project::grava_como() {
    auto escolhido = dialogs_.file(this, pedido_gravar("Save project file", "Project file (*.prj)",
                                                       "prj", Label2->text(), true));
    if (!escolhido) return;
    // Relative data and weights paths are taken from the project's folder: written for the new
    // folder they go on naming the same files. A save that fails leaves the window as it was.
    definicoes_projecto d = d_;
    d.Label2 = escolhido->toStdString();
    for (int s : {slot::ficheiro_dados, slot::ficheiro_pesos}) {
        auto& texto = d.Text1[static_cast<std::size_t>(s)];
        texto = rebase_path(texto, d_.Label2, d.Label2);
    }
    if (!grava_projecto(d, d.Label2, *this)) return;
    for (int s : {slot::ficheiro_dados, slot::ficheiro_pesos})
        Text1[static_cast<std::size_t>(s)]->setText(
            QString::fromStdString(d.Text1[static_cast<std::size_t>(s)]));
    Label2->setText(*escolhido);
    d_.Label2 = d.Label2;
    activacao();
}

void frm_project::comeca() {
    if (ocupado_ || a_correr_) return;
    a_correr_ = true;
    grafico_novo_ = true;
    trainer_.comecar_treino();
    grafico_novo_ = false;
    // A run that did not start (or did not finish) leaves the last test error on show.
    if (!ocupado_) Label3[results::test_error]->show();
    a_correr_ = false;
    if (chart_) chart_->desenha(); // the final state of the run at once
    if (fechar_no_fim_) {
        fechar_no_fim_ = false;
        close();
    }
}

void frm_project::para() {
    if (Label10->isVisible() || trainer_.em_curso()) trainer_.parar_treino();
}

bool frm_project::carrega(const QString& ficheiro) {
    definicoes_projecto d = d_;
    ProjectLoad load = le_ficheiro_projecto(ficheiro.toStdString(), d);
    d.Label2 = d_.Label2;
    d_ = d;
    mostra_definicoes();
    for (std::size_t s = 0; s < VScroll1.size(); ++s)
        if (load.spinner[s]) VScroll1[s]->setValue(*load.spinner[s]);
    Label3[results::learning_rate]->clear();
    if (!ocupado_) {
        Label3[results::test_error]->show();
        // "Learning rate:" belongs to a backpropagation run and comes with it, as in a window
        // that has not trained yet; the previous project's run must not leave it on show.
        show_learning_rate(false);
    }
    if (!load.ok) critical(*this, load.failure);
    return load.ok;
}

void frm_project::mostra_caminho(const QString& ficheiro) {
    Label1_17->show();
    Label2->show();
    Label2->setText(ficheiro);
    d_.Label2 = ficheiro.toStdString();
    // Relative paths of the project are taken from its folder, known only now: look at the
    // weights file again as an activation would.
    if (!ocupado_) {
        Command5[testing_data_button]->setEnabled(true);
        Command5[training_data_button]->setEnabled(true);
    }
    activacao();
}

void frm_project::mostra_grafico(const GraficoErros& grafico) {
    frm_chart& c = garante_grafico();
    Command11->setEnabled(false);
    c.define_escala(grafico.intervalo);
    c.define_pontos(grafico.valores, grafico.pontos);
    c.desenha();
    c.mostra_a_frente();
}

frm_chart& frm_project::garante_grafico() {
    if (!chart_) {
        chart_ = new frm_chart(this);
        connect(chart_, &frm_chart::fechado, this, [this] {
            estado_.grafico_activo = false;
            Command11->setEnabled(!ocupado_);
        });
        // Into the frame's workspace before it is first shown, even by a run that lets no
        // window event through before it draws.
        if (ao_criar_janela) ao_criar_janela(chart_);
    }
    return *chart_;
}

// ------------------------------------------------------------------ TrainerView

void frm_project::message(std::string_view title, std::string_view text, Icon icon) {
    dialogs_.message(this, q(title), q(text), icon);
}

void frm_project::set_pointer(Pointer pointer) {
    if (pointer == Pointer::arrow) {
        while (cursores_ > 0) {
            QApplication::restoreOverrideCursor();
            --cursores_;
        }
        return;
    }
    const QCursor cursor(pointer == Pointer::hourglass ? Qt::WaitCursor : Qt::BusyCursor);
    if (cursores_ == 0) {
        QApplication::setOverrideCursor(cursor);
        ++cursores_;
    } else {
        QApplication::changeOverrideCursor(cursor);
    }
}

void frm_project::show_training_label(bool visible) {
    Label10->setVisible(visible);
}

void frm_project::show_test_error(bool visible) {
    Label3[results::test_error]->setVisible(visible);
}

void frm_project::show_learning_rate(bool visible) {
    Label11->setVisible(visible);
    Label3[results::learning_rate]->setVisible(visible);
}

void frm_project::show_result(int index, const std::string& text) {
    if (index >= 0 && index < static_cast<int>(Label3.size()))
        Label3[static_cast<std::size_t>(index)]->setText(QString::fromStdString(text));
}

void frm_project::process_events() {
    // Pending window events run at the run's points, at most every 10 ms: a fast run is not
    // slowed by repainting what nobody can see, and a click still reaches it at once.
    if (relogio_eventos_.isValid() && relogio_eventos_.elapsed() < 10) return;
    relogio_eventos_.restart();
    QApplication::processEvents();
}

void frm_project::chart_scale(int interval) {
    garante_grafico().define_escala(interval);
}

void frm_project::chart_draw(std::span<const float> points) {
    frm_chart& c = garante_grafico();
    c.define_pontos(points, static_cast<int>(points.size()));
    // The first drawing of a run brings the chart in front of the windows that covered it; later
    // ones only show it again if it was closed, so a window the person brings forward during the
    // run stays in front.
    if (!c.isVisible() || grafico_novo_) {
        grafico_novo_ = false;
        c.mostra_a_frente();
        Command11->setEnabled(false);
    }
}

} // namespace corvane
