#include "frm_logo.h"

#include <QFontMetricsF>
#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>

#include <algorithm>
#include <array>
#include <vector>

namespace corvane {

QPixmap desenho_logo(QSize size) {
    QPixmap pixmap(size);
    const double w = size.width(), h = size.height();
    QPainter p(&pixmap);
    p.setRenderHint(QPainter::Antialiasing);

    QLinearGradient fundo(0, 0, w, h);
    fundo.setColorAt(0, QColor(0x0B, 0x2A, 0x4A));
    fundo.setColorAt(1, QColor(0x1E, 0x5A, 0x7A));
    p.fillRect(pixmap.rect(), fundo);

    // A 3-4-2 network in the left third: inputs, one hidden layer, outputs.
    const std::array<int, 3> camadas{3, 4, 2};
    const double x0 = w * 0.07, dx = w * 0.115, raio = h * 0.045;
    std::vector<std::vector<QPointF>> nos;
    for (std::size_t c = 0; c < camadas.size(); ++c) {
        std::vector<QPointF> coluna;
        const int n = camadas[c];
        for (int i = 0; i < n; ++i)
            coluna.emplace_back(x0 + dx * static_cast<double>(c),
                                h * (0.5 + (i - (n - 1) / 2.0) * 0.2));
        nos.push_back(coluna);
    }
    for (std::size_t c = 0; c + 1 < nos.size(); ++c)
        for (std::size_t a = 0; a < nos[c].size(); ++a)
            for (std::size_t b = 0; b < nos[c + 1].size(); ++b) {
                const bool forte = (a + 2 * b) % 3 == 0;
                p.setPen(QPen(forte ? QColor(0xFF, 0xC8, 0x40, 220) : QColor(0x9C, 0xC8, 0xE0, 140),
                              forte ? 2.0 : 1.0));
                p.drawLine(nos[c][a], nos[c + 1][b]);
            }
    const std::array<QColor, 3> cores{QColor(0xFF, 0xFF, 0x80), QColor(0x80, 0xE0, 0xFF),
                                      QColor(0x80, 0xFF, 0xA0)};
    for (std::size_t c = 0; c < nos.size(); ++c)
        for (const auto& no : nos[c]) {
            p.setPen(QPen(Qt::white, 1.5));
            p.setBrush(cores[c]);
            p.drawEllipse(no, raio, raio);
        }

    // The name and what the program does.
    QFont nome("Sans Serif");
    nome.setPixelSize(static_cast<int>(h * 0.27));
    nome.setBold(true);
    p.setFont(nome);
    p.setPen(Qt::white);
    const QRectF texto(w * 0.40, h * 0.12, w * 0.58, h * 0.40);
    p.drawText(texto, Qt::AlignLeft | Qt::AlignBottom, "Corvane");
    // The smaller lines take the largest size at which the longer one fits the column.
    const QString linha1 = "Multilayer perceptron trainer";
    const QString linha2 = "Backpropagation \u00B7 Genetic algorithm";
    QFont sub("Sans Serif");
    sub.setPixelSize(std::max(6, static_cast<int>(h * 0.085)));
    while (sub.pixelSize() > 6 && QFontMetricsF(sub).horizontalAdvance(linha2) > w * 0.56)
        sub.setPixelSize(sub.pixelSize() - 1);
    p.setFont(sub);
    p.setPen(QColor(0xD8, 0xEC, 0xF8));
    p.drawText(QRectF(w * 0.405, h * 0.55, w * 0.58, h * 0.12), Qt::AlignLeft, linha1);
    p.setPen(QColor(0xFF, 0xC8, 0x40));
    p.drawText(QRectF(w * 0.405, h * 0.68, w * 0.58, h * 0.12), Qt::AlignLeft, linha2);
    p.setPen(QPen(QColor(0xFF, 0xC8, 0x40), 2));
    p.drawLine(QPointF(w * 0.405, h * 0.545), QPointF(w * 0.95, h * 0.545));
    return pixmap;
}

QIcon icone_programa() {
    QIcon icone;
    for (int lado : {16, 32, 64}) {
        QPixmap pixmap(lado, lado);
        pixmap.fill(Qt::transparent);
        QPainter p(&pixmap);
        p.setRenderHint(QPainter::Antialiasing);
        const double u = lado / 16.0;
        p.setBrush(QColor(0x0B, 0x2A, 0x4A));
        p.setPen(Qt::NoPen);
        p.drawRoundedRect(QRectF(0, 0, lado, lado), 3 * u, 3 * u);
        const QPointF entradas[] = {{3.5 * u, 4.5 * u}, {3.5 * u, 11.5 * u}};
        const QPointF oculta[] = {{8 * u, 3 * u}, {8 * u, 8 * u}, {8 * u, 13 * u}};
        const QPointF saida(12.5 * u, 8 * u);
        p.setPen(QPen(QColor(0xFF, 0xC8, 0x40), std::max(1.0, 0.7 * u)));
        for (const auto& a : entradas)
            for (const auto& b : oculta)
                p.drawLine(a, b);
        for (const auto& b : oculta)
            p.drawLine(b, saida);
        p.setPen(Qt::NoPen);
        p.setBrush(QColor(0x80, 0xE0, 0xFF));
        for (const auto& a : entradas)
            p.drawEllipse(a, 1.6 * u, 1.6 * u);
        for (const auto& b : oculta)
            p.drawEllipse(b, 1.6 * u, 1.6 * u);
        p.setBrush(QColor(0x80, 0xFF, 0xA0));
        p.drawEllipse(saida, 1.8 * u, 1.8 * u);
        p.end();
        icone.addPixmap(pixmap);
    }
    return icone;
}

// A picture of fixed size: its frame offers closing only.
frm_logo::frm_logo(QWidget* parent)
    : QWidget(parent, Qt::Tool | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                          Qt::WindowCloseButtonHint) {
    setObjectName("frm_logo");
    setWindowTitle("Corvane");
    setFixedSize(largura, altura);
    imagem_ = desenho_logo(QSize(largura, altura));
}

void frm_logo::centra(const QRect& ecra) {
    move(ecra.left() + (ecra.width() - largura) / 2,
         ecra.top() + static_cast<int>((ecra.height() - altura) / 2.5));
}

void frm_logo::paintEvent(QPaintEvent*) {
    QPainter p(this);
    p.drawPixmap(0, 0, imagem_);
}

} // namespace corvane
