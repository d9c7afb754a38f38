// The help window: the program's help collection with its contents and full-text search.
#pragma once

#include <QTextBrowser>
#include <QWidget>

class QHelpEngine;
class QTabWidget;

namespace corvane {

/// Shows pages of a help collection ("qthelp://" links) and ordinary web links elsewhere.
class HelpBrowser : public QTextBrowser {
    Q_OBJECT
public:
    HelpBrowser(QHelpEngine* engine, QWidget* parent);
    QVariant loadResource(int type, const QUrl& name) override;

private:
    QHelpEngine* engine_;
};

class frm_help : public QWidget {
    Q_OBJECT
public:
    /// Opens the collection file `colecao` (see `colecao_ajuda`).
    explicit frm_help(const QString& colecao, QWidget* parent = nullptr);

    /// True when the collection could be opened and holds at least one page.
    bool valida() const { return valida_; }

    /// The contents, with the first topic shown.
    void mostra_topicos();
    /// The search page with an empty key.
    void mostra_pesquisa();
    /// Shows a page of the collection.
    void abre(const QUrl& url);
    /// Starts a full-text search for `texto` (results appear when the search has finished).
    void pesquisa(const QString& texto);

    QHelpEngine* engine() const { return engine_; }
    HelpBrowser* browser() const { return browser_; }
    QTabWidget* tabs() const { return tabs_; }

private:
    /// Says in the page area that the collection's pages cannot be read.
    void mostra_indisponivel();

    QHelpEngine* engine_;
    HelpBrowser* browser_;
    QTabWidget* tabs_;
    QString colecao_;
    QUrl primeira_;
    bool valida_ = false;
};

/// Where the help collection lies: "Corvane.qhc" in the program's folder, else in its "help"
/// subfolder, else in "../share/Corvane" beside it. Empty when none exists.
QString colecao_ajuda();

} // namespace corvane
