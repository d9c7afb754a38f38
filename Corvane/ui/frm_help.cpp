#include "frm_help.h"

#include "engine/installed_files.h"

#include <QCoreApplication>
#include <QDesktopServices>
#include <QDir>
#include <QFile>
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

namespace {

// A help collection is an SQLite database: a file without its header (empty, or garbage) is not
// handed to the help engine, which would write a new empty collection into it.
bool parece_colecao(const QString& colecao) {
    QFile ficheiro(colecao);
    if (colecao.isEmpty() || !ficheiro.open(QIODevice::ReadOnly)) return false;
    return ficheiro.read(16) == QByteArray("SQLite format 3", 16);
}

// True when the collection names documentation and every documentation file it names gives
// its pages: a damaged collection or help file opens without complaint and shows nothing.
bool paginas_disponiveis(QHelpEngine* engine) {
    const QStringList documentacao = engine->registeredDocumentations();
    if (documentacao.isEmpty()) return false;
    for (const QString& nome : documentacao) {
        const QList<QUrl> paginas = engine->files(nome, QString(), QStringLiteral("html"));
        if (paginas.isEmpty() || engine->fileData(paginas.first()).isEmpty()) return false;
    }
    return true;
}

} // namespace

frm_help::frm_help(const QString& colecao, QWidget* parent) : QWidget(parent) {
    setObjectName("frm_help");
    setWindowTitle("Corvane Help");
    colecao_ = colecao;
    const bool legivel = parece_colecao(colecao);
    engine_ = new QHelpEngine(legivel ? colecao : QString(), this);
    valida_ = legivel && engine_->setupData() && paginas_disponiveis(engine_);

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
        if (colecao.isEmpty())
            browser_->setHtml(tr("<h2>Help is not available</h2><p>The help collection "
                                 "<b>Corvane.qhc</b> was not found beside the program.</p>"));
        else
            mostra_indisponivel();
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
        // The contents are read apart from the pages: a collection whose contents come out
        // empty has nothing to show.
        connect(modelo, &QHelpContentModel::contentsCreated, this, [this, modelo] {
            if (modelo->rowCount() == 0 && browser_->source().isEmpty()) mostra_indisponivel();
        });
        connect(modelo, &QHelpContentModel::contentsCreated, conteudo,
                &QHelpContentWidget::expandAll);
        conteudo->expandAll();
        abre_primeira();
    }
    procura->scheduleIndexDocumentation();
}

void frm_help::mostra_indisponivel() {
    valida_ = false;
    browser_->setHtml(
        tr("<h2>Help is not available</h2><p>The help collection <b>%1</b> is damaged or "
           "incomplete: its pages cannot be read. Installing the program again restores it.</p>")
            .arg(QFileInfo(colecao_).fileName().toHtmlEscaped()));
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
