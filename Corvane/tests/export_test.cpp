// "Export..." and Copy of the error chart and of the grid window, driven as a user drives them:
// a run trained from the menu, then the context-menu entries and Ctrl+C, the files written
// opened and compared with what the windows show.
#include "frm_chart.h"
#include "frm_grid.h"
#include "frm_main.h"
#include "frm_project.h"
#include "frm_test_dialogs.h"

#include "engine/errors_file.h"
#include "engine/project_file.h"

#include "csv/csv.h"
#include "numtext/numtext.h"
#include "qtkit/export_actions.h"

#include <QAction>
#include <QChart>
#include <QChartView>
#include <QClipboard>
#include <QFile>
#include <QGuiApplication>
#include <QImage>
#include <QLabel>
#include <QLineSeries>
#include <QLocale>
#include <QMimeData>
#include <QProcess>
#include <QPushButton>
#include <QSettings>
#include <QStandardPaths>
#include <QTableWidget>
#include <QTemporaryDir>
#include <QTest>
#include <QValueAxis>
#include <QXmlStreamReader>

#include <algorithm>
#include <charconv>
#include <filesystem>

using namespace corvane;

namespace {

QAction* accao(QWidget* w, const char* nome) {
    for (QAction* a : w->actions())
        if (a->objectName() == QLatin1String(nome)) return a;
    qFatal("no action %s", nome);
}

// A number of a CSV cell, read without any locale.
float numero(const std::string& celula) {
    float v = 0.0f;
    const auto [fim, ec] = std::from_chars(celula.data(), celula.data() + celula.size(), v);
    if (ec != std::errc() || fim != celula.data() + celula.size())
        qFatal("not a number: %s", celula.c_str());
    return v;
}

std::vector<csv::Row> le_csv(const QString& caminho) {
    QFile f(caminho);
    if (!f.open(QIODevice::ReadOnly)) qFatal("cannot read %s", qPrintable(caminho));
    const QByteArray bytes = f.readAll();
    if (!bytes.contains("\r\n")) qFatal("%s: lines without CR LF", qPrintable(caminho));
    auto linhas = csv::parse(bytes.toStdString());
    if (!linhas) qFatal("%s is not CSV", qPrintable(caminho));
    return *linhas;
}

// The texts and the number of paths of an SVG file; fails the test when it is not XML.
struct Svg {
    QStringList textos;
    int caminhos = 0;
    bool valido = false;
};
Svg le_svg(const QString& caminho) {
    Svg svg;
    QFile f(caminho);
    if (!f.open(QIODevice::ReadOnly)) return svg;
    QXmlStreamReader xml(&f);
    while (!xml.atEnd()) {
        xml.readNext();
        if (!xml.isStartElement()) continue;
        if (xml.name() == QLatin1String("text")) svg.textos << xml.readElementText().trimmed();
        if (xml.name() == QLatin1String("path") || xml.name() == QLatin1String("polyline"))
            ++svg.caminhos;
    }
    svg.valido = !xml.hasError();
    return svg;
}

// Pixels of an image close to a colour.
int pixeis_da_cor(const QImage& imagem, QColor cor) {
    int n = 0;
    for (int y = 0; y < imagem.height(); ++y)
        for (int x = 0; x < imagem.width(); ++x) {
            const QColor p = imagem.pixelColor(x, y);
            if (std::abs(p.red() - cor.red()) + std::abs(p.green() - cor.green()) +
                    std::abs(p.blue() - cor.blue()) <
                60)
                ++n;
        }
    return n;
}

} // namespace

class ExportTest : public QObject {
    Q_OBJECT
    QTemporaryDir dir_;
    EstadoPrograma estado_;
    RecordingDialogs dialogs_;
    std::unique_ptr<frm_Main> janela_;
    std::optional<qtkit::ExportChoice> escolha_;
    QString sugerido_;
    QStringList filtros_;
    QStringList falhas_;

    QString caminho(const QString& nome) const { return dir_.filePath(nome); }

    void exporta(QWidget* w, const QString& ficheiro, const QString& filtro) {
        escolha_ = qtkit::ExportChoice{ficheiro, filtro};
        accao(w, "actionExport")->trigger();
    }

    frm_project* projecto() const { return janela_->findChild<frm_project*>(); }

private slots:
    void initTestCase() {
        QStandardPaths::setTestModeEnabled(true);
        QCoreApplication::setApplicationName("Corvane");
        QSettings("Corvane", "Corvane").remove("Export");
        // Numbers written the comma way everywhere Qt formats them.
        QLocale::setDefault(QLocale(QLocale::French, QLocale::France));
        qtkit::setExportChooser([this](QWidget*, const QString& sugerido, const QStringList& f) {
            sugerido_ = sugerido;
            filtros_ = f;
            return escolha_;
        });
        qtkit::setExportFailure([this](QWidget*, const QString& texto) { falhas_ << texto; });

        for (const char* nome : {"xor.txt", "xor_backpropagation.prj", "xor_backpropagation.wgt"})
            std::filesystem::copy(std::string(CORVANE_EXAMPLES) + "/" + nome,
                                  caminho(nome).toStdString());
        // A short run: 40 iterations.
        CommandView view(nullptr, dialogs_);
        definicoes_projecto d;
        QVERIFY(le_ficheiro_projecto(caminho("xor_backpropagation.prj").toStdString(), d).ok);
        d.Text1[slot::max_iteracoes] = "40";
        QVERIFY(grava_projecto(d, caminho("xor_backpropagation.prj").toStdString(), view));

        frm_Main::Opcoes o;
        o.fabrica = [this](QWidget* parent) {
            return std::unique_ptr<ProjectPort>(new frm_project(estado_, &dialogs_, parent));
        };
        o.dialogs = &dialogs_;
        o.estado = &estado_;
        o.logo = false;
        o.sair = [] {};
        janela_ = std::make_unique<frm_Main>(std::move(o));
        janela_->show();
        QVERIFY(QTest::qWaitForWindowExposed(janela_.get()));
        dialogs_.respostas = {caminho("xor_backpropagation.prj")};
        janela_->menu_open_project->trigger();
        QVERIFY(projecto());
        janela_->menu_start->trigger();
        QCOMPARE(projecto()->Label3[1]->text(), QString("40"));
        QTRY_VERIFY(projecto()->grafico() && projecto()->grafico()->isVisible());
        QVERIFY(dialogs_.mensagens.isEmpty());
    }

    // The chart as SVG and as a 3x PNG: the window's axes, labels and curve, drawn anew.
    void chart_figure_shows_what_the_window_shows() {
        frm_chart* grafico = projecto()->grafico();
        QChartView* vista = grafico->Graph1;
        exporta(vista, caminho("chart.svg"), "SVG image (*.svg)");
        QVERIFY2(falhas_.isEmpty(), qPrintable(falhas_.join('\n')));
        QVERIFY(filtros_.contains("PNG image, 3x size (*.png)") &&
                filtros_.contains("CSV table (*.csv)"));
        const Svg svg = le_svg(caminho("chart.svg"));
        QVERIFY(svg.valido);
        QVERIFY(svg.caminhos >= 2);
        QVERIFY2(svg.textos.contains("Iteration"), qPrintable(svg.textos.join('|')));
        // The horizontal axis ends where the window's does, with the same labels.
        auto* eixo_x = qobject_cast<QValueAxis*>(vista->chart()->axes(Qt::Horizontal).front());
        QVERIFY(svg.textos.contains("0"));
        QVERIFY2(svg.textos.contains(QString::number(qRound(eixo_x->max()))),
                 qPrintable(svg.textos.join('|')));

        exporta(vista, caminho("chart"), "PNG image, 3x size (*.png)");
        const QImage png(caminho("chart.png"));
        QCOMPARE(png.size(), vista->size() * 3);
        // The curve, in the series' colour, is there: a line 3 pixels wide over most of the
        // plot's width at least.
        auto* serie = qobject_cast<QLineSeries*>(vista->chart()->series().front());
        QVERIFY(pixeis_da_cor(png, serie->color()) > png.width());

        exporta(vista, caminho("chart.pdf"), "PDF document (*.pdf)");
        QFile pdf(caminho("chart.pdf"));
        QVERIFY(pdf.open(QIODevice::ReadOnly));
        QVERIFY(pdf.read(5) == "%PDF-");
    }

    // The errors history as CSV reads back to the chart's values and the errors file's.
    void errors_history_reads_back_in_a_comma_locale() {
        frm_chart* grafico = projecto()->grafico();
        exporta(grafico->Graph1, caminho("errors.csv"), "CSV table (*.csv)");
        const auto linhas = le_csv(caminho("errors.csv"));
        const auto ficheiro = le_ficheiro_erros(caminho("xor_backpropagation.err").toStdString());
        QVERIFY(ficheiro && ficheiro->size() == 40);
        const std::vector<float>& valores = grafico->conteudo().valores;
        QCOMPARE(linhas.size(), valores.size() + 1);
        QCOMPARE(linhas[0], (csv::Row{"Iteration", "Error"}));
        for (std::size_t k = 0; k < valores.size(); ++k) {
            QCOMPARE(linhas[k + 1][0], std::to_string(k + 1));
            QCOMPARE(numero(linhas[k + 1][1]), valores[k]);
            QCOMPARE(numero(linhas[k + 1][1]), (*ficheiro)[k]);
        }
        // The folder is remembered for the next export.
        QCOMPARE(QSettings("Corvane", "Corvane").value("Export/Folder").toString(), dir_.path());
        exporta(grafico->Graph1, caminho("again.csv"), "CSV table (*.csv)");
        QCOMPARE(sugerido_, caminho("error_evolution"));
    }

    // Ctrl+C on the chart: the picture for a document, the cells for a spreadsheet.
    void copy_of_the_chart() {
        frm_chart* grafico = projecto()->grafico();
        janela_->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(janela_.get()));
        grafico->Graph1->setFocus();
        QGuiApplication::clipboard()->clear();
        QTest::keyClick(grafico->Graph1, Qt::Key_C, Qt::ControlModifier);
        const QMimeData* dados = QGuiApplication::clipboard()->mimeData();
        QVERIFY(dados && dados->hasImage());
        QCOMPARE(qvariant_cast<QImage>(dados->imageData()).size(), grafico->Graph1->size());
        const QStringList linhas = dados->text().split('\n', Qt::SkipEmptyParts);
        QCOMPARE(linhas.size(), grafico->pontos() + 1);
        QCOMPARE(linhas[1].split('\t').size(), 2);
    }

    // The training data view as CSV: the grid's numbers, at full precision.
    void data_view_table_matches_the_grid() {
        projecto()->Command5[1]->click();
        frm_grid* grelha = janela_->grid();
        QCOMPARE(grelha->windowTitle(), QString("Trainning data"));
        exporta(grelha->MSFlexGrid1, caminho("data"), "CSV table (*.csv)");
        QCOMPARE(filtros_, QStringList{"CSV table (*.csv)"}); // a grid has no figure
        QCOMPARE(sugerido_, caminho("training_data"));
        const auto linhas = le_csv(caminho("data.csv"));
        QCOMPARE(linhas[0], (csv::Row{"Pattern", "IN 1", "IN 2", "OUT 1", "Network OUT 1"}));
        QCOMPARE(linhas.size(), std::size_t{5});
        for (int r = 1; r <= 4; ++r) {
            const csv::Row& l = linhas[static_cast<std::size_t>(r)];
            QCOMPARE(QString::fromStdString(l[0]), grelha->texto(r, 0));
            for (int c = 1; c <= 3; ++c)
                QCOMPARE(numero(l[static_cast<std::size_t>(c)]), grelha->texto(r, c).toFloat());
            QCOMPARE(QString::fromStdString(numtext::format(numero(l[4]), "0.0000E+00")),
                     grelha->texto(r, 4));
        }

        grelha->activateWindow();
        grelha->MSFlexGrid1->setFocus();
        QTest::keyClick(grelha->MSFlexGrid1, Qt::Key_C, Qt::ControlModifier);
        const QStringList copiadas =
            QGuiApplication::clipboard()->text().split('\n', Qt::SkipEmptyParts);
        QCOMPARE(copiadas.size(), 5);
        QCOMPARE(copiadas[0], QString("Pattern\tIN 1\tIN 2\tOUT 1\tNetwork OUT 1"));
    }

    void weights_view_table_matches_the_grid() {
        projecto()->Command6[0]->click();
        frm_grid* grelha = janela_->grid();
        QCOMPARE(grelha->windowTitle(), QString("Weights file"));
        exporta(grelha->MSFlexGrid1, caminho("weights.csv"), "CSV table (*.csv)");
        const auto linhas = le_csv(caminho("weights.csv"));
        QCOMPARE(linhas[0], (csv::Row{"Weight", "Value"}));
        // One row per label of the grid, in the grid's order (by block, target, then source).
        std::vector<std::pair<QString, QString>> celulas;
        for (int c = 0; c + 1 < grelha->colunas(); c += 2)
            for (int r = 0; r < grelha->linhas(); ++r)
                if (grelha->texto(r, c).startsWith('W'))
                    celulas.emplace_back(grelha->texto(r, c), grelha->texto(r, c + 1));
        std::sort(celulas.begin(), celulas.end());
        std::vector<std::pair<QString, QString>> exportadas;
        for (std::size_t k = 1; k < linhas.size(); ++k)
            exportadas.emplace_back(QString::fromStdString(linhas[k][0]),
                                    QString::number(numero(linhas[k][1])));
        std::sort(exportadas.begin(), exportadas.end());
        QCOMPARE(exportadas.size(), celulas.size());
        for (std::size_t k = 0; k < celulas.size(); ++k) {
            QCOMPARE(exportadas[k].first, celulas[k].first);
            QCOMPARE(exportadas[k].second.toFloat(), celulas[k].second.toFloat());
        }
        QCOMPARE(QString::fromStdString(linhas[1][0]), QString("W1-1/0"));
    }

    // A file that cannot be written: the message, and what was in its place stays.
    void failed_export_says_so_and_keeps_what_was_there() {
        QVERIFY(QDir(dir_.path()).mkpath("taken.csv/inside"));
        exporta(projecto()->grafico()->Graph1, caminho("taken.csv"), "CSV table (*.csv)");
        QCOMPARE(falhas_.size(), 1);
        QVERIFY(falhas_[0].contains("could not be written"));
        QVERIFY(QFileInfo(caminho("taken.csv/inside")).isDir());
        falhas_.clear();
        // The windows are as they were.
        QCOMPARE(projecto()->Label3[1]->text(), QString("40"));
        QVERIFY(projecto()->grafico()->isVisible());
    }

    // Batch mode: a file that cannot be written is reported and gives 1, the others are
    // written; a run that fails or a bad command line writes nothing and leaves what was there.
    void batch_export_failures() {
        QTemporaryDir lote;
        for (const char* nome : {"xor.txt", "xor_backpropagation.prj", "xor_backpropagation.wgt"})
            QVERIFY(QFile::copy(caminho(nome), lote.filePath(nome)));
        auto corre = [&lote](const QStringList& argumentos, QString* saida = nullptr) {
            QProcess p;
            QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
            env.insert("ASAN_OPTIONS", "detect_leaks=0");
            env.remove("QT_QPA_PLATFORM");
            env.remove("DISPLAY");
            p.setProcessEnvironment(env);
            p.setWorkingDirectory(lote.path());
            p.start(CORVANE_EXE, argumentos);
            if (!p.waitForFinished(120000)) return -1;
            if (saida) *saida = QString::fromUtf8(p.readAllStandardOutput());
            return p.exitCode();
        };
        auto escreve = [](const QString& f, const QByteArray& texto) {
            QFile ficheiro(f);
            return ficheiro.open(QIODevice::WriteOnly) && ficheiro.write(texto) == texto.size();
        };
        auto conteudo = [](const QString& f) {
            QFile ficheiro(f);
            return ficheiro.open(QIODevice::ReadOnly) ? ficheiro.readAll() : QByteArray();
        };
        const QString projecto = lote.filePath("xor_backpropagation.prj");
        const QString csv = lote.filePath("out.csv");
        QVERIFY(escreve(csv, "previous\r\n"));
        QVERIFY(QDir(lote.path()).mkpath("taken.png/inside"));

        QString saida;
        QCOMPARE(corre({"--evaluate", projecto, "--export-png", lote.filePath("taken.png"),
                        "--export-csv", csv},
                       &saida),
                 1);
        // No errors file yet: the chart's own message, and nothing written.
        QVERIFY2(saida.contains("MsgBox\tCorvane\tError reading trainning errors file."),
                 qPrintable(saida));
        QCOMPARE(conteudo(csv), QByteArray("previous\r\n"));

        QCOMPARE(corre({"--train", projecto, "--export-png", lote.filePath("taken.png"),
                        "--export-csv", csv},
                       &saida),
                 1);
        QVERIFY2(saida.contains("MsgBox\tCorvane\tThe file " + lote.filePath("taken.png") +
                                " could not be written.\n"),
                 qPrintable(saida));
        QVERIFY(QFileInfo(lote.filePath("taken.png/inside")).isDir());
        QVERIFY(conteudo(csv).startsWith("Pattern,IN 1,IN 2,OUT 1,Network OUT 1\r\n"));

        // Bad command lines: status 2, no window, nothing written.
        QVERIFY(escreve(csv, "previous\r\n"));
        for (const QStringList& mau :
             {QStringList{"--export-csv", csv}, QStringList{projecto, "--export-csv", csv},
              QStringList{"--train", projecto, "--export-png", csv, "--scale", "11"},
              QStringList{"--train", projecto, "--export-csv"},
              QStringList{"--random-weights", projecto, "--export-csv", csv}})
            QCOMPARE(corre(mau), 2);
        QCOMPARE(conteudo(csv), QByteArray("previous\r\n"));
        // A project that does not load: its message, status 1, nothing written.
        QCOMPARE(corre({"--train", lote.filePath("absent.prj"), "--export-csv", csv}), 1);
        QCOMPARE(conteudo(csv), QByteArray("previous\r\n"));
    }

    void cleanupTestCase() { janela_.reset(); }
};

QTEST_MAIN(ExportTest)
#include "export_test.moc"
