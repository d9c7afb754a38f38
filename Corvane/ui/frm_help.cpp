#include "frm_help.h"

#include "engine/installed_files.h"

#include <QCoreApplication>
#include <QDesktopServices>
#include <QDir>
#include <QFileInfo>
#include <QHelpContentWidget>
#include <QHelpEngine>
#include <QHelpLink>
#include <QHelpSearchEngine>
#include <QHelpSearchQueryWidget>
#include <QHelpSearchResultWidget>
#include <QSplitter>
#include <QStandardPaths>
#include <QTabWidget>
#include <QVBoxLayout>

namespace corvane {

HelpBrowser::HelpBrowser(QHelpEngine* engine, QWidget* parent)
    : QTextBrowser(parent), engine_(engine) {
    setOpenLinks(false);
    connect(this, &QTextBrowser::anchorClicked, this, [this](const QUrl& url) {
        if (url.scheme() == "qthelp")
            setSource(url);
        else if (url.isRelative())
            setSource(source().resolved(url));
        else
            QDesktopServices::openUrl(url);
    });
}

QVariant HelpBrowser::loadResource(int type, const QUrl& name) {
    if (name.scheme() == "qthelp") return engine_->fileData(name);
    return QTextBrowser::loadResource(type, name);
}

QString colecao_ajuda() {
    const QDir pasta(QCoreApplication::applicationDirPath());
    for (const QString& caminho :
         {pasta.filePath("Corvane.qhc"), pasta.filePath("help/Corvane.qhc"),
          pasta.filePath("../share/Corvane/Corvane.qhc")})
        if (QFileInfo::exists(caminho)) {
            // The search writes its index beside the collection: an installed collection, in
            // a folder the user cannot write, is opened from a copy in the user's cache.
            const QString copias =
                QStandardPaths::writableLocation(QStandardPaths::CacheLocation) + "/help";
            return QString::fromStdString(writable_help_collection(
                QDir::cleanPath(caminho).toStdString(), copias.toStdString()));
        }
    return {};
}

frm_help::frm_help(const QString& colecao, QWidget* parent) : QWidget(parent) {
    setObjectName("frm_help");
    setWindowTitle("Corvane Help");
    engine_ = new QHelpEngine(colecao, this);
    valida_ = !colecao.isEmpty() && engine_->setupData();

    browser_ = new HelpBrowser(engine_, this);
    browser_->setObjectName("helpBrowser");
    tabs_ = new QTabWidget(this);
    tabs_->setObjectName("helpTabs");

    auto* conteudo = engine_->contentWidget();
    conteudo->setObjectName("helpContents");
    tabs_->addTab(conteudo, tr("&Contents"));
    // A topic opens at a single click, as well as when activated (double click, Enter).
    connect(conteudo, &QHelpContentWidget::linkActivated, this, &frm_help::abre);
    connect(conteudo, &QAbstractItemView::clicked, this, [this](const QModelIndex& indice) {
        if (auto* item = engine_->contentModel()->contentItemAt(indice)) abre(item->url());
    });

    auto* pagina_pesquisa = new QWidget(this);
    auto* procura = engine_->searchEngine();
    auto* consulta = procura->queryWidget();
    consulta->setObjectName("helpSearchQuery");
    auto* resultados = procura->resultWidget();
    resultados->setObjectName("helpSearchResults");
    auto* layout_pesquisa = new QVBoxLayout(pagina_pesquisa);
    layout_pesquisa->addWidget(consulta);
    layout_pesquisa->addWidget(resultados, 1);
    tabs_->addTab(pagina_pesquisa, tr("&Search"));
    connect(consulta, &QHelpSearchQueryWidget::search, this,
            [this, consulta] { pesquisa(consulta->searchInput()); });
    connect(resultados, &QHelpSearchResultWidget::requestShowLink, this, &frm_help::abre);

    auto* divisor = new QSplitter(this);
    divisor->addWidget(tabs_);
    divisor->addWidget(browser_);
    divisor->setStretchFactor(1, 1);
    divisor->setSizes({230, 570});
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(divisor);
    resize(940, 680);

    if (!valida_) {
        browser_->setHtml(tr("<h2>Help is not available</h2><p>The help collection "
                             "<b>Corvane.qhc</b> was not found beside the program.</p>"));
        return;
    }
    // The first topic of the contents is the title page.
    if (auto* modelo = engine_->contentModel()) {
        auto abre_primeira = [this, modelo] {
            if (primeira_.isValid() || modelo->rowCount() == 0) return;
            if (auto* item = modelo->contentItemAt(modelo->index(0, 0))) primeira_ = item->url();
            if (browser_->source().isEmpty()) abre(primeira_);
        };
        connect(modelo, &QHelpContentModel::contentsCreated, this, abre_primeira);
        connect(modelo, &QHelpContentModel::contentsCreated, conteudo,
                &QHelpContentWidget::expandAll);
        conteudo->expandAll();
        abre_primeira();
    }
    procura->scheduleIndexDocumentation();
}

void frm_help::abre(const QUrl& url) {
    if (url.isValid()) browser_->setSource(url);
}

void frm_help::mostra_topicos() {
    tabs_->setCurrentIndex(0);
    if (primeira_.isValid()) abre(primeira_);
}

void frm_help::mostra_pesquisa() {
    tabs_->setCurrentIndex(1);
    auto* consulta = engine_->searchEngine()->queryWidget();
    consulta->setSearchInput(QString());
    consulta->setFocus();
}

void frm_help::pesquisa(const QString& texto) {
    engine_->searchEngine()->search(texto);
}

} // namespace corvane
