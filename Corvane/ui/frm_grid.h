// The grid window: a data set with the network's answers, or the network's weights.
#pragma once

#include "engine/grid_content.h"

#include <QColor>
#include <QSize>
#include <QWidget>

class QTableWidget;

namespace corvane {

class frm_grid : public QWidget {
    Q_OBJECT
public:
    explicit frm_grid(QWidget* parent = nullptr);

    /// Fills the grid with `conteudo` (header rows and columns become the grid's fixed headers)
    /// and sets the window caption. "Export..." and Copy (Ctrl+C) of the grid's context menu
    /// give the content's table.
    void mostra(const ConteudoGrelha& conteudo, const QString& caption);

    /// The grid's size, in cells, including the fixed row and column.
    int linhas() const { return linhas_; }
    int colunas() const { return colunas_; }
    /// Text and background of cell (row, column), counted as in the content (a fixed row or
    /// column is row or column 0).
    QString texto(int linha, int coluna) const;
    QColor cor(int linha, int coluna) const;

    /// The size the window asks for: every column and row of the grid plus a small margin,
    /// bounded by `limite`.
    QSize tamanho_desejado(QSize limite) const;

    QTableWidget* MSFlexGrid1;

private:
    int linhas_ = 0;
    int colunas_ = 0;
    int fixas_ = 0;
    csv::Table tabela_; ///< what the grid shows, for export (no header: nothing shown yet)
};

/// The colour a cell kind is painted with.
QColor cor_celula(CorCelula cor);

} // namespace corvane
