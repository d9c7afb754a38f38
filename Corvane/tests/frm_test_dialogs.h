// Test doubles for the frame's dialogs: message boxes are recorded, file dialogs answered from a
// queue (an empty answer is a cancel).
#pragma once

#include "frame_dialogs.h"

#include <QList>
#include <QStringList>

#include <deque>
#include <optional>

namespace corvane {

class RecordingDialogs : public FrameDialogs {
public:
    struct Mensagem {
        QString titulo, texto;
        Icon icone;
    };
    QList<Mensagem> mensagens;
    QList<PedidoFicheiro> pedidos;
    std::deque<std::optional<QString>> respostas;

    void message(QWidget*, const QString& title, const QString& text, Icon icon) override {
        mensagens.append({title, text, icon});
    }
    std::optional<QString> file(QWidget*, const PedidoFicheiro& pedido) override {
        pedidos.append(pedido);
        if (respostas.empty()) return std::nullopt;
        const bool cancelado = !respostas.front().has_value();
        const QString r = cancelado ? QString() : *respostas.front();
        respostas.pop_front();
        if (cancelado) return std::nullopt;
        return r;
    }
    QStringList textos() const {
        QStringList t;
        for (const auto& m : mensagens)
            t << m.texto;
        return t;
    }
};

} // namespace corvane
