#include "frame_dialogs.h"

#include "qtkit/message.h"

#include <QApplication>
#include <QCursor>
#include <QFileDialog>

namespace corvane {

namespace {

class QtDialogs : public FrameDialogs {
public:
    void message(QWidget* parent, const QString& title, const QString& text, Icon icon) override {
        qtkit::showMessage(parent, title, text,
                           icon == Icon::critical ? qtkit::MessageIcon::critical
                                                  : qtkit::MessageIcon::none);
    }

    std::optional<QString> file(QWidget* parent, const PedidoFicheiro& p) override {
        QFileDialog dialog(parent, p.titulo, p.inicial, p.filtro);
        dialog.setAcceptMode(p.gravar ? QFileDialog::AcceptSave : QFileDialog::AcceptOpen);
        dialog.setFileMode(p.deve_existir ? QFileDialog::ExistingFile : QFileDialog::AnyFile);
        dialog.setDefaultSuffix(p.extensao);
        if (!p.confirmar_substituicao) dialog.setOption(QFileDialog::DontConfirmOverwrite);
        if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
            return std::nullopt;
        return dialog.selectedFiles().constFirst();
    }
};

} // namespace

PedidoFicheiro pedido_abrir(const QString& titulo, const QString& filtro, const QString& extensao,
                            const QString& inicial) {
    PedidoFicheiro p;
    p.titulo = titulo;
    p.filtro = filtro;
    p.extensao = extensao;
    p.inicial = inicial;
    p.deve_existir = true;
    return p;
}

PedidoFicheiro pedido_gravar(const QString& titulo, const QString& filtro, const QString& extensao,
                             const QString& inicial, bool confirmar) {
    PedidoFicheiro p;
    p.titulo = titulo;
    p.filtro = filtro;
    p.extensao = extensao;
    p.inicial = inicial;
    p.gravar = true;
    p.confirmar_substituicao = confirmar;
    return p;
}

FrameDialogs& qt_dialogs() {
    static QtDialogs dialogs;
    return dialogs;
}

CommandView::~CommandView() {
    if (cursor_) QApplication::restoreOverrideCursor();
}

void CommandView::message(std::string_view title, std::string_view text, Icon icon) {
    // A message box is never shown under the hourglass.
    set_pointer(Pointer::arrow);
    dialogs_.message(parent_, QString::fromUtf8(title.data(), static_cast<qsizetype>(title.size())),
                     QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size())), icon);
}

void CommandView::set_pointer(Pointer pointer) {
    const bool busy = pointer != Pointer::arrow;
    if (busy && !cursor_)
        QApplication::setOverrideCursor(
            QCursor(pointer == Pointer::hourglass ? Qt::WaitCursor : Qt::BusyCursor));
    else if (!busy && cursor_)
        QApplication::restoreOverrideCursor();
    cursor_ = busy;
}

} // namespace corvane
