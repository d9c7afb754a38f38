// The start-up logo window and the program's picture.
#pragma once

#include <QIcon>
#include <QWidget>

class QLabel;

namespace corvane {

/// The program's picture: a small layered network beside the program's name, `size` pixels.
QPixmap desenho_logo(QSize size);

/// The program's icon: the same network, small and square.
QIcon icone_programa();

/// The logo window shown at start-up: a 508 x 204 pixel picture that stays until the user closes
/// it.
class frm_logo : public QWidget {
    Q_OBJECT
public:
    explicit frm_logo(QWidget* parent = nullptr);
    static constexpr int largura = 508, altura = 204;
    /// Left (screen width - width) / 2, top (screen height - height) / 2.5.
    void centra(const QRect& ecra);

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QPixmap imagem_;
};

} // namespace corvane
