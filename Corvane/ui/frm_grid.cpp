#include "frm_grid.h"

#include "qtkit/export_actions.h"
#include "twips/twips.h"

#include <QAction>
#include <QHeaderView>
#include <QTableWidget>
#include <QVBoxLayout>

namespace corvane {

namespace {
// The margin added around the cells: 400 twips at 15 twips to the pixel.
constexpr int margem = 400 / twips::per_pixel;
constexpr int largura_minima_coluna = 64;

// The file name the export dialog suggests for what a caption names.
QString nome_exportacao(const QString& caption) {
    if (caption.startsWith(QLatin1String("Trainning"))) return QStringLiteral("training_data");
    if (caption.startsWith(QLatin1String("Test"))) return QStringLiteral("test_data");
    if (caption.startsWith(QLatin1String("Weights"))) return QStringLiteral("weights");
    return QStringLiteral("grid");
}
} // namespace

QColor cor_celula(CorCelula cor) {
    switch (cor) {
    case CorCelula::amarelo:
        return QColor(0xFF, 0xFF, 0x00);
    case CorCelula::ciano:
        return QColor(0x00, 0xFF, 0xFF);
    case CorCelula::cinzento:
        return QColor(0xC0, 0xC0, 0xC0);
    case CorCelula::amarelo_claro:
        return QColor(0xFF, 0xFF, 0xC0);
    case CorCelula::fixa:
    case CorCelula::normal:
        break;
    }
    return {};
}

frm_grid::frm_grid(QWidget* parent) : QWidget(parent) {
    setObjectName("frm_grid");
    MSFlexGrid1 = new QTableWidget(this);
    MSFlexGrid1->setObjectName("MSFlexGrid1");
    MSFlexGrid1->setEditTriggers(QAbstractItemView::NoEditTriggers);
    MSFlexGrid1->setSelectionMode(QAbstractItemView::ContiguousSelection);
    MSFlexGrid1->verticalHeader()->setDefaultAlignment(Qt::AlignCenter);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(MSFlexGrid1);
    ConteudoGrelha vazio;
    vazio.dimensiona(linhas_minimas, colunas_minimas, 1);
    mostra(vazio, QString());

    // "Export..." and Copy (Ctrl+C) in the grid's context menu give the whole table shown.
    qtkit::ExportSources exportar;
    exportar.table = [this]() -> std::optional<csv::Table> {
        if (tabela_.header.empty()) return std::nullopt;
        return tabela_;
    };
    const qtkit::ExportActions acoes = qtkit::addExportActions(MSFlexGrid1, exportar);
    // The dialog suggests a name after what the grid shows now.
    QObject::disconnect(acoes.exportAction, &QAction::triggered, nullptr, nullptr);
    connect(acoes.exportAction, &QAction::triggered, this, [this, exportar]() mutable {
        exportar.baseName = nome_exportacao(windowTitle());
        qtkit::exportWithDialog(this, exportar);
    });
}

void frm_grid::mostra(const ConteudoGrelha& c, const QString& caption) {
    setWindowTitle(caption);
    tabela_ = c.table;
    linhas_ = c.linhas;
    colunas_ = c.colunas;
    fixas_ = c.linhas_fixas > 0 ? 1 : 0;
    auto* g = MSFlexGrid1;
    g->setUpdatesEnabled(false);
    g->clear();
    g->setRowCount(c.linhas - fixas_);
    g->setColumnCount(c.colunas - fixas_);
    g->horizontalHeader()->setVisible(fixas_ == 1);
    g->verticalHeader()->setVisible(fixas_ == 1);
    if (fixas_ == 1) {
        QStringList topo, lado;
        for (int k = 1; k < c.colunas; ++k)
            topo << QString::fromStdString(c(0, k).texto);
        for (int r = 1; r < c.linhas; ++r)
            lado << QString::fromStdString(c(r, 0).texto);
        g->setHorizontalHeaderLabels(topo);
        g->setVerticalHeaderLabels(lado);
    }
    for (int r = fixas_; r < c.linhas; ++r)
        for (int k = fixas_; k < c.colunas; ++k) {
            const Celula& celula = c(r, k);
            if (celula.texto.empty() && celula.cor == CorCelula::normal) continue;
            auto* item = new QTableWidgetItem(QString::fromStdString(celula.texto));
            const QColor fundo = cor_celula(celula.cor);
            if (fundo.isValid()) {
                item->setBackground(fundo);
                item->setForeground(Qt::black);
            }
            g->setItem(r - fixas_, k - fixas_, item);
        }
    g->resizeColumnsToContents();
    for (int k = 0; k < g->columnCount(); ++k)
        g->setColumnWidth(k, std::max(g->columnWidth(k), largura_minima_coluna));
    g->setUpdatesEnabled(true);
}

QString frm_grid::texto(int linha, int coluna) const {
    if (linha < 0 || coluna < 0 || linha >= linhas_ || coluna >= colunas_) return {};
    if (fixas_ == 1 && linha == 0 && coluna == 0) return {};
    if (fixas_ == 1 && linha == 0) {
        auto* h = MSFlexGrid1->horizontalHeaderItem(coluna - 1);
        return h ? h->text() : QString();
    }
    if (fixas_ == 1 && coluna == 0) {
        auto* h = MSFlexGrid1->verticalHeaderItem(linha - 1);
        return h ? h->text() : QString();
    }
    auto* item = MSFlexGrid1->item(linha - fixas_, coluna - fixas_);
    return item ? item->text() : QString();
}

QColor frm_grid::cor(int linha, int coluna) const {
    if (linha < fixas_ || coluna < fixas_ || linha >= linhas_ || coluna >= colunas_) return {};
    auto* item = MSFlexGrid1->item(linha - fixas_, coluna - fixas_);
    if (!item || item->background().style() == Qt::NoBrush) return {};
    return item->background().color();
}

QSize frm_grid::tamanho_desejado(QSize limite) const {
    const auto* g = MSFlexGrid1;
    int largura = g->frameWidth() * 2 + margem;
    int altura = g->frameWidth() * 2 + margem;
    if (g->verticalHeader()->isVisible()) largura += g->verticalHeader()->sizeHint().width();
    if (g->horizontalHeader()->isVisible()) altura += g->horizontalHeader()->sizeHint().height();
    for (int k = 0; k < g->columnCount() && largura < limite.width(); ++k)
        largura += g->columnWidth(k);
    for (int r = 0; r < g->rowCount() && altura < limite.height(); ++r)
        altura += g->rowHeight(r);
    return QSize(std::min(largura, limite.width()), std::min(altura, limite.height()));
}

} // namespace corvane
