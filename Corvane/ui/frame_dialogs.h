// The message boxes and file dialogs of the frame, macro and grid windows (and the file dialogs
// of the project window), behind one interface so that tests answer them without blocking.
#pragma once

#include "engine/view.h"

#include <QString>

#include <optional>

class QWidget;

namespace corvane {

/// One file dialog: its title, filter (Qt form, e.g. "Project file (*.prj)"), default suffix
/// and starting name; a save dialog may ask before overwriting; an open dialog may insist on an
/// existing file.
struct PedidoFicheiro {
    QString titulo;
    QString filtro;
    QString extensao;
    QString inicial;
    bool gravar = false;
    bool confirmar_substituicao = false;
    bool deve_existir = false;
};

/// An open dialog for an existing file.
PedidoFicheiro pedido_abrir(const QString& titulo, const QString& filtro, const QString& extensao,
                            const QString& inicial = {});
/// A save dialog, asking before overwriting when `confirmar` is set.
PedidoFicheiro pedido_gravar(const QString& titulo, const QString& filtro, const QString& extensao,
                             const QString& inicial, bool confirmar);

class FrameDialogs {
public:
    virtual ~FrameDialogs() = default;
    /// A modal message box.
    virtual void message(QWidget* parent, const QString& title, const QString& text, Icon icon) = 0;
    /// A modal file dialog; nullopt when it was cancelled.
    virtual std::optional<QString> file(QWidget* parent, const PedidoFicheiro& pedido) = 0;
};

/// The real dialogs (QMessageBox and QFileDialog).
FrameDialogs& qt_dialogs();

/// A `TrainerView` for the commands of these windows that call the engine outside a training
/// run: messages go to the dialogs, the pointer to the application's override cursor (always
/// restored), everything else is not theirs to show.
class CommandView : public SilentView {
public:
    CommandView(QWidget* parent, FrameDialogs& dialogs) : parent_(parent), dialogs_(dialogs) {}
    ~CommandView() override;
    CommandView(const CommandView&) = delete;
    CommandView& operator=(const CommandView&) = delete;

    void message(std::string_view title, std::string_view text, Icon icon) override;
    void set_pointer(Pointer pointer) override;

private:
    QWidget* parent_;
    FrameDialogs& dialogs_;
    bool cursor_ = false;
};

} // namespace corvane
