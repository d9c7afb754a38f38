#include "form1.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QFileInfo>
#include <QFileSystemModel>
#include <QFontDatabase>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListView>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollBar>
#include <QTableWidget>
#include <QTreeView>
#include <QVBoxLayout>

#include "engine/approximation.h"
#include "engine/display.h"
#include "engine/labelling.h"
#include "engine/messages.h"
#include "engine/result_tables.h"
#include "engine/segment_list.h"
#include "engine/signal_file.h"
#include "numtext/numtext.h"
#include "qtkit/export_actions.h"
#include "qtkit/key_filter.h"
#include "qtkit/message.h"
#include "qtkit/wait_cursor.h"
#include "ui/grid_editor.h"
#include "ui/signal_figure.h"
#include "ui/signal_view.h"

namespace quillon {
namespace {

template <typename T> T* make(QWidget* parent, const char* name, const QString& text = {}) {
    T* w = new T(parent);
    w->setObjectName(name);
    if constexpr (requires { w->setText(text); })
        if (!text.isEmpty()) w->setText(text);
    return w;
}

QString qs(const std::string& s) {
    return QString::fromStdString(s);
}

void fill(QListWidget* list, const std::vector<std::string>& lines) {
    list->clear();
    QStringList items;
    items.reserve(static_cast<qsizetype>(lines.size()));
    for (const auto& l : lines)
        items << qs(l);
    list->addItems(items);
}

// The step box keeps only the digits: every other typed character, backspace included, is
// discarded; keys that type nothing (arrows, Delete, Tab) keep their usual work.
class StepKeyFilter : public QObject {
public:
    using QObject::QObject;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() == QEvent::KeyPress) {
            auto* key = static_cast<QKeyEvent*>(event);
            if (key->key() == Qt::Key_Delete || key->key() == Qt::Key_Tab ||
                key->key() == Qt::Key_Backtab)
                return false;
            QString text = key->text();
            if (!text.isEmpty() && !(text.size() == 1 && text[0] >= '0' && text[0] <= '9'))
                return true;
        }
        return QObject::eventFilter(watched, event);
    }
};

} // namespace

Form1::Form1(QWidget* parent) : QWidget(parent) {
    setObjectName("Form1");
    setWindowTitle("Quillon");
    showMessage = [this](const QString& title, const QString& text) {
        qtkit::showMessage(this, title, text);
    };
    createControls();
    arrangeControls();
    connectControls();
    addExports();
    setFolder(QDir::currentPath());
    resize(1220, 780);
}

void Form1::createControls() {
    dirModel_ = new QFileSystemModel(this);
    dirModel_->setFilter(QDir::AllDirs | QDir::NoDotAndDotDot | QDir::Drives);
    dirModel_->setRootPath(QDir::rootPath());
    Dir1 = make<QTreeView>(this, "Dir1");
    Dir1->setModel(dirModel_);
    for (int c = 1; c < dirModel_->columnCount(); ++c)
        Dir1->hideColumn(c);
    Dir1->setHeaderHidden(true);
    fileModel_ = new QFileSystemModel(this);
    fileModel_->setFilter(QDir::Files | QDir::NoDotAndDotDot);
    File1 = make<QListView>(this, "File1");
    File1->setModel(fileModel_);

    Option1 = make<QRadioButton>(this, "Option1", "Signal");
    Option2 = make<QRadioButton>(this, "Option2", "String");
    Option3 = make<QRadioButton>(this, "Option3", "Table");
    Option1->setChecked(true);
    CmdRead = make<QPushButton>(this, "CmdRead", "Read");
    LblFName = make<QLabel>(this, "LblFName");
    LblFName->setWordWrap(true);
    LblFName->setFrameShape(QFrame::StyledPanel);
    LblFName->setMinimumHeight(36);
    Label5 = make<QLabel>(this, "Label5", "Nr of read values");
    Lblnt = make<QLabel>(this, "Lblnt");
    Label10 = make<QLabel>(this, "Label10", "Nr of line segments");
    Lblna = make<QLabel>(this, "Lblna");
    for (QLabel* l : {Lblnt, Lblna}) {
        l->setFrameShape(QFrame::StyledPanel);
        l->setMinimumWidth(50);
        l->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    }
    LblMax = make<QLabel>(this, "LblMax");
    LblMin = make<QLabel>(this, "LblMin");
    for (QLabel* l : {LblMax, LblMin}) {
        l->setAlignment(Qt::AlignRight);
        l->setMinimumWidth(56);
    }
    Picture1 = new SignalView(this);
    Picture1->setObjectName("Picture1");

    QFont fixed = QFontDatabase::systemFont(QFontDatabase::FixedFont);
    List1 = make<QListWidget>(this, "List1");
    HScroll1 = make<QScrollBar>(this, "HScroll1");
    HScroll1->setOrientation(Qt::Horizontal);
    HScroll1->setRange(1, last_begin(false));
    HScroll1->setSingleStep(1);
    HScroll1->setPageStep(100);
    LblInic = make<QLabel>(this, "LblInic", "1");
    LblInic->setMinimumWidth(40);
    LblInic->setFrameShape(QFrame::StyledPanel);
    Label4 = make<QLabel>(this, "Label4", "Step");
    TxtIncr = make<QLineEdit>(this, "TxtIncr", "1");
    TxtIncr->setMaximumWidth(50);
    TxtIncr->installEventFilter(new StepKeyFilter(TxtIncr));
    TxtIncr->setContextMenuPolicy(Qt::NoContextMenu);
    TxtIncr->setAcceptDrops(false);
    Check3 = make<QCheckBox>(this, "Check3");
    Label6 = make<QLabel>(this, "Label6", "Zoom 4x");
    Label2 = make<QLabel>(this, "Label2", "x");
    LblX = make<QLabel>(this, "LblX");
    Label3 = make<QLabel>(this, "Label3", "y ");
    LblY = make<QLabel>(this, "LblY");
    for (QLabel* l : {LblX, LblY}) {
        l->setMinimumWidth(60);
        l->setFrameShape(QFrame::StyledPanel);
        l->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    }
    CmdQuit = make<QPushButton>(this, "CmdQuit", "QUIT");

    Label7 = make<QLabel>(this, "Label7", "Tolerance");
    TxtTol = make<QLineEdit>(this, "TxtTol", "1");
    Combo1 = make<QComboBox>(this, "Combo1");
    Combo1->addItems({"Chebychev", "Euclidian"});
    Combo1->setCurrentIndex(0);
    CmdApp = make<QPushButton>(this, "CmdApp", "Piecewise Approximation");
    LblList = make<QLabel>(this, "LblList", qs(kSignalHeader));
    List2 = make<QListWidget>(this, "List2");
    Label8 = make<QLabel>(this, "Label8", "Slopes");
    TxtSlope1 = make<QLineEdit>(this, "TxtSlope1", "0.1");
    TxtSlope2 = make<QLineEdit>(this, "TxtSlope2", "5");
    for (QLineEdit* e : {TxtTol, TxtSlope1, TxtSlope2}) {
        qtkit::filterDigits(e, {.point = true});
        e->setMaximumWidth(60);
    }
    CmdLabel = make<QPushButton>(this, "CmdLabel", "Segment Labelling");

    Label18 = make<QLabel>(this, "Label18", "STATE TRANSITION TABLE");
    Label18->setAlignment(Qt::AlignCenter);
    Label15 = make<QLabel>(this, "Label15", "Present State");
    Label16 = make<QLabel>(this, "Label16", "Input");
    Label17 = make<QLabel>(this, "Label17", "Next State");
    for (QLabel* l : {Label15, Label16, Label17})
        l->setAlignment(Qt::AlignCenter);
    Grid = make<QTableWidget>(this, "Grid");
    Grid->setRowCount(kGridRows);
    Grid->setColumnCount(kGridColumns);
    Grid->horizontalHeader()->hide();
    Grid->verticalHeader()->hide();
    Grid->horizontalHeader()->setSectionResizeMode(QHeaderView::Stretch);
    Grid->verticalHeader()->setDefaultSectionSize(22);
    Grid->setSelectionMode(QAbstractItemView::SingleSelection);
    Grid->setCurrentCell(0, 0);
    gridEditor_ = new GridEditor(Grid);
    TxtGrid = gridEditor_->TxtGrid();
    List3 = make<QListWidget>(this, "List3");
    CmdParse = make<QPushButton>(this, "CmdParse", "Parse");
    CmdClear = make<QPushButton>(this, "CmdClear", "Clear");
    CmdSave = make<QPushButton>(this, "CmdSave", "Save");
    Label9 = make<QLabel>(this, "Label9", "Filename");
    TxtFName = make<QLineEdit>(this, "TxtFName");
    Label13 = make<QLabel>(this, "Label13", ".txt");
    for (QListWidget* l : {List1, List2, List3})
        l->setFont(fixed);
    LblList->setFont(fixed);
    // Room for a whole sample item and a file name, however narrow the window gets.
    List1->setMinimumWidth(QFontMetrics(fixed).horizontalAdvance("2000: -12345.67") +
                           List1->verticalScrollBar()->sizeHint().width() + 8);
    TxtFName->setMinimumWidth(TxtFName->fontMetrics().horizontalAdvance("segments") + 12);
}

void Form1::arrangeControls() {
    // Left: the file browser and what to read.
    auto* left = new QVBoxLayout;
    left->addWidget(Dir1, 3);
    left->addWidget(File1, 2);
    auto* options = new QHBoxLayout;
    options->addWidget(Option1);
    options->addWidget(Option2);
    options->addWidget(Option3);
    left->addLayout(options);
    left->addWidget(CmdRead);
    left->addWidget(LblFName);

    // Centre: the drawing with its scale labels, scrolling and readout, then the lists.
    auto* scale = new QVBoxLayout;
    scale->addWidget(LblMax);
    scale->addStretch();
    scale->addWidget(LblMin);
    auto* drawing = new QHBoxLayout;
    drawing->addLayout(scale);
    drawing->addWidget(Picture1, 1);
    auto* scroll = new QHBoxLayout;
    scroll->addSpacing(LblMax->minimumWidth() + 6);
    scroll->addWidget(HScroll1, 1);
    scroll->addWidget(LblInic);
    auto* view = new QHBoxLayout;
    view->addSpacing(LblMax->minimumWidth() + 6);
    view->addWidget(Label4);
    view->addWidget(TxtIncr);
    view->addSpacing(16);
    view->addWidget(Check3);
    view->addWidget(Label6);
    view->addStretch();
    view->addWidget(Label2);
    view->addWidget(LblX);
    view->addSpacing(8);
    view->addWidget(Label3);
    view->addWidget(LblY);

    auto* counts = new QGridLayout;
    counts->addWidget(Label5, 0, 0);
    counts->addWidget(Lblnt, 0, 1);
    counts->addWidget(Label10, 1, 0);
    counts->addWidget(Lblna, 1, 1);
    auto* tolerance = new QHBoxLayout;
    tolerance->addWidget(Label7);
    tolerance->addWidget(TxtTol);
    tolerance->addWidget(Combo1, 1);
    auto* slopes = new QHBoxLayout;
    slopes->addWidget(Label8);
    slopes->addWidget(TxtSlope1);
    slopes->addWidget(TxtSlope2);
    slopes->addStretch();
    auto* steps = new QVBoxLayout;
    steps->addLayout(counts);
    steps->addSpacing(8);
    steps->addLayout(tolerance);
    steps->addWidget(CmdApp);
    steps->addSpacing(8);
    steps->addLayout(slopes);
    steps->addWidget(CmdLabel);
    steps->addStretch();
    steps->addWidget(CmdQuit);
    auto* segments = new QVBoxLayout;
    segments->addWidget(LblList);
    segments->addWidget(List2);
    auto* lists = new QHBoxLayout;
    lists->addWidget(List1, 2);
    lists->addLayout(segments, 5);
    lists->addLayout(steps, 3);

    auto* centre = new QVBoxLayout;
    centre->addLayout(drawing, 3);
    centre->addLayout(scroll);
    centre->addLayout(view);
    centre->addLayout(lists, 2);

    // Right: the transition table, the parse and the save.
    auto* heads = new QHBoxLayout;
    heads->addWidget(Label15, 1);
    heads->addWidget(Label16, 1);
    heads->addWidget(Label17, 1);
    auto* tableButtons = new QHBoxLayout;
    tableButtons->addWidget(CmdParse);
    tableButtons->addWidget(CmdClear);
    auto* save = new QHBoxLayout;
    save->addWidget(Label9);
    save->addWidget(TxtFName, 1);
    save->addWidget(Label13);
    save->addWidget(CmdSave);
    auto* right = new QVBoxLayout;
    right->addWidget(Label18);
    right->addLayout(heads);
    right->addWidget(Grid, 3);
    right->addLayout(tableButtons);
    right->addWidget(List3, 1);
    right->addLayout(save);

    auto* all = new QHBoxLayout(this);
    all->addLayout(left, 2);
    all->addLayout(centre, 7);
    all->addLayout(right, 2);
}

void Form1::connectControls() {
    // The folder tree lists its folders in the background, and every folder listed or sorted
    // above the chosen one pushes it down: keep it in view until the user takes over the tree.
    connect(dirModel_, &QFileSystemModel::directoryLoaded, this, &Form1::revealPendingFolder);
    connect(dirModel_, &QFileSystemModel::layoutChanged, this, &Form1::revealPendingFolder);
    connect(Dir1->verticalScrollBar(), &QScrollBar::actionTriggered, this,
            [this] { revealFolder_ = false; });
    for (QObject* tree : {static_cast<QObject*>(Dir1), static_cast<QObject*>(Dir1->viewport())})
        tree->installEventFilter(this);
    connect(Dir1, &QTreeView::clicked, this,
            [this](const QModelIndex& index) { listFolder(dirModel_->filePath(index)); });
    connect(Dir1->selectionModel(), &QItemSelectionModel::currentChanged, this,
            [this](const QModelIndex& index) {
                if (index.isValid()) listFolder(dirModel_->filePath(index));
            });
    connect(CmdRead, &QPushButton::clicked, this, &Form1::CmdRead_Click);
    connect(CmdApp, &QPushButton::clicked, this, &Form1::CmdApp_Click);
    connect(CmdLabel, &QPushButton::clicked, this, &Form1::CmdLabel_Click);
    connect(CmdParse, &QPushButton::clicked, this, &Form1::CmdParse_Click);
    connect(CmdClear, &QPushButton::clicked, this, &Form1::CmdClear_Click);
    connect(CmdSave, &QPushButton::clicked, this, &Form1::CmdSave_Click);
    connect(CmdQuit, &QPushButton::clicked, this, &QWidget::close);
    connect(HScroll1, &QScrollBar::valueChanged, this, [this](int value) {
        LblInic->setText(QString::number(value));
        Display();
    });
    connect(TxtIncr, &QLineEdit::textChanged, this, [this](const QString& text) {
        if (!text.isEmpty()) Display();
    });
    connect(Check3, &QCheckBox::clicked, this, [this](bool zoom) {
        // The scroll bar reaches further with zoom; a value past the new end is pulled back,
        // which redraws through the scroll bar's own change.
        int before = HScroll1->value();
        HScroll1->setMaximum(last_begin(zoom));
        if (HScroll1->value() == before) Display();
    });
    connect(Picture1, &SignalView::pointerMoved, this, [this](double x, double y) {
        auto [tx, ty] = pointer_readout(a_, x, y);
        LblX->setText(qs(tx));
        LblY->setText(qs(ty));
    });
}

void Form1::addExports() {
    // The drawing gives its figure (Ctrl+C copies it as an image), as long as a signal was read.
    qtkit::ExportSources drawing;
    drawing.figure = [this]() -> std::optional<qtkit::Figure> {
        if (a_.na < 1) return std::nullopt;
        return signalFigure({Picture1->plan(), Picture1->scaleHeight(), LblMax->text(),
                             LblMin->text(), Picture1->size(), LblMax->font(),
                             Picture1->palette().color(QPalette::Mid)});
    };
    drawing.baseName = QStringLiteral("signal");
    qtkit::addExportActions(Picture1, drawing);

    qtkit::ExportSources samples;
    samples.table = [this] { return sample_table(a_, Picture1->plan().listed); };
    samples.baseName = QStringLiteral("samples");
    qtkit::addExportActions(List1, samples);

    qtkit::ExportSources segments;
    segments.table = [this] { return segment_table(a_); };
    segments.baseName = QStringLiteral("segments");
    qtkit::addExportActions(List2, segments);

    // A cell being typed is stored first, as Parse stores it.
    qtkit::ExportSources transitions;
    transitions.table = [this] {
        gridEditor_->commit();
        return transition_table(cells());
    };
    transitions.baseName = QStringLiteral("transitions");
    qtkit::addExportActions(Grid, transitions);
}

void Form1::mousePressEvent(QMouseEvent* event) {
    gridEditor_->commit();
    QWidget::mousePressEvent(event);
}

void Form1::setFolder(const QString& folder) {
    listFolder(folder);
    revealFolder_ = true;
    revealFolder();
}

void Form1::listFolder(const QString& folder) {
    QString path = QDir(folder).absolutePath();
    fileModel_->setRootPath(path);
    File1->setRootIndex(fileModel_->index(path));
    // A file chosen in another folder is no longer chosen.
    if (File1->currentIndex().parent() != File1->rootIndex()) File1->setCurrentIndex(QModelIndex());
}

void Form1::revealFolder() {
    QModelIndex dirIndex = dirModel_->index(folder());
    if (!dirIndex.isValid()) return;
    if (Dir1->currentIndex() != dirIndex) Dir1->setCurrentIndex(dirIndex);
    Dir1->scrollTo(dirIndex, QAbstractItemView::PositionAtCenter);
}

bool Form1::eventFilter(QObject* watched, QEvent* event) {
    switch (event->type()) {
    case QEvent::MouseButtonPress:
    case QEvent::Wheel:
    case QEvent::KeyPress:
        // The user browses the tree: it is theirs to scroll from now on.
        revealFolder_ = false;
        break;
    case QEvent::Resize:
        if (revealFolder_ && watched == Dir1->viewport())
            QMetaObject::invokeMethod(this, &Form1::revealPendingFolder, Qt::QueuedConnection);
        break;
    default:
        break;
    }
    return QWidget::eventFilter(watched, event);
}

void Form1::revealPendingFolder() {
    if (revealFolder_) revealFolder();
}

QString Form1::folder() const {
    return fileModel_->rootPath();
}

bool Form1::selectFile(const QString& name) {
    QModelIndex index = fileModel_->index(QDir(folder()).filePath(name));
    if (!index.isValid() || index.parent() != File1->rootIndex()) return false;
    File1->setCurrentIndex(index);
    return true;
}

void Form1::openSignal(const QString& path) {
    QFileInfo info(path);
    setFolder(info.absolutePath());
    Option1->setChecked(true);
    if (!selectFile(info.fileName())) {
        // The file list fills in the background: select the file once its folder is listed.
        auto* once = new QObject(this);
        connect(fileModel_, &QFileSystemModel::directoryLoaded, once,
                [this, once, name = info.fileName()] {
                    if (selectFile(name)) once->deleteLater();
                });
    }
    LblFName->setText(info.absoluteFilePath());
    readSignal(info.absoluteFilePath().toStdString());
}

QString Form1::selectedPath() const {
    QString path = folder();
    if (!path.endsWith('/')) path += '/';
    QModelIndex index = File1->currentIndex();
    if (index.isValid() && index.parent() == File1->rootIndex())
        path += fileModel_->fileName(index);
    return path;
}

void Form1::message(const Message& m) {
    if (showMessage) showMessage(qs(m.title), qs(m.text));
}

void Form1::CmdRead_Click() {
    QString path = selectedPath();
    LblFName->setText(path);
    std::string file = path.toStdString();
    if (Option2->isChecked())
        readString(file);
    else if (Option3->isChecked())
        readTable(file);
    else
        readSignal(file);
}

void Form1::readSignal(const std::string& path) {
    qtkit::WaitCursor wait;
    if (auto m = read_signal(a_, path)) {
        message(*m);
        return;
    }
    LblList->setText(qs(kSignalHeader));
    showCounts();
    LblMin->setText(qs(numtext::format(a_.ymin, "#####.#")));
    LblMax->setText(qs(numtext::format(a_.ymax, "#####.#")));
    ShowList();
    Display();
}

void Form1::readString(const std::string& path) {
    if (auto m = read_string(a_, path)) {
        message(*m);
        return;
    }
    LblList->setText(qs(kStringHeader));
    showCounts();
    ShowList();
}

void Form1::readTable(const std::string& path) {
    gridEditor_->commit();
    Cells c = cells();
    if (auto m = read_table(c, path)) {
        message(*m);
        return;
    }
    setCells(c);
}

void Form1::Display() {
    DisplayPlan plan;
    if (auto m = quillon::Display(a_, HScroll1->value(), TxtIncr->text().toStdString(),
                                  Check3->isChecked(), plan)) {
        message(*m);
        return;
    }
    List1->clear();
    QStringList items;
    items.reserve(static_cast<qsizetype>(plan.listing.size()));
    for (const auto& item : plan.listing)
        items << qs(item);
    List1->addItems(items);
    Picture1->draw(plan, a_.scaleHeight);
}

void Form1::showCounts() {
    // What was read: samples of a signal, or symbols of a string. Line segments exist only
    // after an approximation of the signal now held; a new signal or a string has none.
    bool string = a_.mode == Mode::string_read || a_.mode == Mode::string_parsed;
    Lblnt->setText(QString::number(string ? a_.nseg : a_.na));
    Lblna->setText(has_segments(a_.mode) ? QString::number(a_.nseg) : QString());
}

void Form1::ShowList() {
    fill(List2, quillon::ShowList(a_));
}

void Form1::CmdApp_Click() {
    qtkit::WaitCursor wait;
    if (auto m = approximate(a_, TxtTol->text().toStdString(), Combo1->currentIndex())) {
        message(*m);
        return;
    }
    showCounts();
    ShowList();
    Display();
}

void Form1::CmdLabel_Click() {
    if (auto m = quillon::CmdLabel(a_, TxtSlope1->text().toStdString(),
                                   TxtSlope2->text().toStdString())) {
        message(*m);
        return;
    }
    Display();
    ShowList();
}

Cells Form1::cells() const {
    Cells c;
    for (int r = 0; r < kGridRows; ++r)
        for (int col = 0; col < kGridColumns; ++col)
            c[static_cast<std::size_t>(r * kGridColumns + col)] =
                cellText(Grid, r, col).toStdString();
    return c;
}

void Form1::setCells(const Cells& c) {
    for (int r = 0; r < kGridRows; ++r)
        for (int col = 0; col < kGridColumns; ++col)
            setCellText(Grid, r, col, qs(c[static_cast<std::size_t>(r * kGridColumns + col)]));
}

void Form1::CmdParse_Click() {
    gridEditor_->commit();
    ParseResult r = quillon::CmdParse(a_, cells());
    if (!(r.message && *r.message == msg::no_string)) fill(List3, r.list3);
    if (r.message) {
        message(*r.message);
        return;
    }
    Display();
    ShowList();
}

void Form1::CmdClear_Click() {
    gridEditor_->commit();
    for (int r = 0; r < kGridRows; ++r)
        for (int col = 0; col < kGridColumns; ++col)
            setCellText(Grid, r, col, QString());
}

void Form1::CmdSave_Click() {
    QString path = folder();
    if (!path.endsWith('/')) path += '/';
    path += TxtFName->text() + ".txt";
    if (auto m = save_segments(a_, path.toStdString())) message(*m);
}

} // namespace quillon
