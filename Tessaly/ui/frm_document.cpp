#include "frm_document.h"

#include "file_io.h"
#include "frm_synaptic_weights.h"
#include "main_settings.h"
#include "pattern_figure.h"
#include "pattern_file.h"
#include "pattern_ops.h"
#include "placement.h"
#include "ui_dialogs.h"
#include "weight_table.h"

#include "qtkit/export_actions.h"
#include "qtkit/up_down.h"
#include "qtkit/wait_cursor.h"

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QMouseEvent>
#include <QPushButton>
#include <QScrollBar>
#include <QStyledItemDelegate>
#include <QTableWidget>
#include <QTimer>
#include <QVBoxLayout>

#include <cmath>

namespace tessaly {

namespace {

// The smallest place of the grid, in pixels; it grows with the window.
constexpr int kGridWidth = 250;
constexpr int kGridHeight = 300;
// Cells never get smaller than this, in pixels.
constexpr int kMinCell = 2;

const char* const kPatternFilter = "TessalyFile (*.Tsy)";
const char* const kPatternDialogTitle = "Load Pattern";

QPushButton* Button(QWidget* parent, const char* name, const char* caption) {
    auto* b = new QPushButton(QString::fromLatin1(caption), parent);
    b->setObjectName(QString::fromLatin1(name));
    return b;
}

// The grid's cells show only their colour: the cell under the last click is not marked, though
// the grid takes the focus (so that Ctrl+C copies the pattern).
class PlainCells : public QStyledItemDelegate {
public:
    using QStyledItemDelegate::QStyledItemDelegate;

protected:
    void initStyleOption(QStyleOptionViewItem* option, const QModelIndex& index) const override {
        QStyledItemDelegate::initStyleOption(option, index);
        option->state &= ~QStyle::State_HasFocus;
    }
};

// The see-store caption: where the bar points and how many patterns there are.
QString SeeStoreText(int value, int count) {
    if (count < 1) return QStringLiteral("No stored patterns");
    return QStringLiteral("Pattern %1 of %2").arg(value).arg(count);
}

} // namespace

frmDocument::frmDocument(UiDialogs* dialogs, QWidget* parent)
    : QWidget(parent), dialogs_(dialogs != nullptr ? dialogs : &desktopDialogs()) {
    setObjectName("frmDocument");
    buildControls();
    addExports();

    rows_ = kStartRows;
    columns_ = kStartColumns;
    RebuildGrid(-1, -1);
    createEditor();
    hscSeeStore->setEnabled(false);
    chkMatch->setChecked(false);
    engine().UsedAsClassifier(false);
    cmbTypeProcess->addItems({"Random Serial", "Full Serial", "Full Parallel"});
    cmbTypeProcess->setCurrentIndex(0);
    engine().TypeProcessUsed(1);
}

frmDocument::~frmDocument() {
    if (editor_) delete editor_.data();
}

void frmDocument::buildControls() {
    fraDim = new QGroupBox("Dimensions", this);
    fraDim->setObjectName("fraDim");
    labLinhas = new QLabel(fraDim);
    labLinhas->setObjectName("labLinhas");
    updownLinhas = new UpDown("updownLinhas", kMinDimension, kMaxDimension, kMinDimension, fraDim);
    Label1 = new QLabel("X", fraDim);
    Label1->setObjectName("Label1");
    labColunas = new QLabel(fraDim);
    labColunas->setObjectName("labColunas");
    updownColunas =
        new UpDown("updownColunas", kMinDimension, kMaxDimension, kMinDimension, fraDim);
    for (QLabel* l : {labLinhas, labColunas}) {
        l->setFrameStyle(QFrame::Panel | QFrame::Sunken);
        l->setAlignment(Qt::AlignCenter);
        l->setMinimumWidth(30);
    }
    auto* dimLayout = new QHBoxLayout(fraDim);
    dimLayout->addWidget(labLinhas);
    dimLayout->addWidget(updownLinhas);
    dimLayout->addSpacing(6);
    dimLayout->addWidget(Label1);
    dimLayout->addSpacing(6);
    dimLayout->addWidget(labColunas);
    dimLayout->addWidget(updownColunas);
    dimLayout->addStretch();

    // The grid's place grows with the window; within it the table hugs its square cells.
    gridArea_ = new QWidget(this);
    gridArea_->setMinimumSize(kGridWidth, kGridHeight);
    gridArea_->setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Expanding);
    msfgGrelha = new QTableWidget(gridArea_);
    msfgGrelha->setObjectName("msfgGrelha");
    msfgGrelha->horizontalHeader()->hide();
    msfgGrelha->verticalHeader()->hide();
    msfgGrelha->setEditTriggers(QAbstractItemView::NoEditTriggers);
    msfgGrelha->setSelectionMode(QAbstractItemView::NoSelection);
    msfgGrelha->setFocusPolicy(Qt::ClickFocus);
    msfgGrelha->setItemDelegate(new PlainCells(msfgGrelha));
    msfgGrelha->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    msfgGrelha->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    msfgGrelha->horizontalHeader()->setMinimumSectionSize(1);
    msfgGrelha->verticalHeader()->setMinimumSectionSize(1);
    msfgGrelha->setStyleSheet(
        "QTableWidget { gridline-color: #808080; background: palette(window); }"
        "QTableWidget::item:selected { background: #7f7fff; }");
    msfgGrelha->viewport()->installEventFilter(this);
    gridArea_->installEventFilter(this);

    Frame3 = new QGroupBox(this);
    Frame3->setObjectName("Frame3");
    cmdAddNoise = Button(Frame3, "cmdAddNoise", "Add Noise");
    cmdClearWindow = Button(Frame3, "cmdClearWindow", "Clear Window");
    auto* f3 = new QHBoxLayout(Frame3);
    f3->addWidget(cmdAddNoise);
    f3->addWidget(cmdClearWindow);

    Frame2 = new QGroupBox(this);
    Frame2->setObjectName("Frame2");
    cmbTypeProcess = new QComboBox(Frame2);
    cmbTypeProcess->setObjectName("cmbTypeProcess");
    chkMatch = new QCheckBox("Used as a Classifier", Frame2);
    chkMatch->setObjectName("chkMatch");
    cmdStep = Button(Frame2, "cmdStep", "Step");
    hscSeeStore = new QScrollBar(Qt::Horizontal, Frame2);
    hscSeeStore->setObjectName("hscSeeStore");
    hscSeeStore->setRange(0, 0);
    // One pattern per page: the slider is as long as one pattern's share of the track.
    hscSeeStore->setPageStep(1);
    lblSeeStore = new QLabel(SeeStoreText(0, 0), Frame2);
    lblSeeStore->setObjectName("lblSeeStore");
    lblSeeStore->setAlignment(Qt::AlignCenter);
    cmdClearWeight = Button(Frame2, "cmdClearWeight", "Clear Weight");
    cmdNewWeight = Button(Frame2, "cmdNewWeight", "New Weight");
    cmdGetWeight = Button(Frame2, "cmdGetWeight", "Get Weight");
    cmdRecall = Button(Frame2, "cmdRecall", "Recall");
    cmdStore = Button(Frame2, "cmdStore", "Store");
    cmdClean = Button(Frame2, "cmdClean", "Clean");
    auto* f2 = new QGridLayout(Frame2);
    f2->addWidget(cmbTypeProcess, 0, 0, 1, 2);
    f2->addWidget(chkMatch, 1, 0, 1, 2);
    f2->addWidget(cmdStep, 2, 0);
    f2->addWidget(cmdRecall, 2, 1);
    f2->addWidget(hscSeeStore, 3, 0, 1, 2);
    f2->addWidget(lblSeeStore, 4, 0, 1, 2);
    f2->addWidget(cmdStore, 5, 0);
    f2->addWidget(cmdClean, 5, 1);
    f2->addWidget(cmdGetWeight, 6, 0);
    f2->addWidget(cmdNewWeight, 6, 1);
    f2->addWidget(cmdClearWeight, 7, 0, 1, 2);

    Frame1 = new QGroupBox(this);
    Frame1->setObjectName("Frame1");
    chkLoadAndStore = new QCheckBox("Load and Store", Frame1);
    chkLoadAndStore->setObjectName("chkLoadAndStore");
    cmdSave = Button(Frame1, "cmdSave", "Save");
    cmdLoad = Button(Frame1, "cmdLoad", "Load");
    auto* f1 = new QGridLayout(Frame1);
    f1->addWidget(chkLoadAndStore, 0, 0, 1, 2);
    f1->addWidget(cmdSave, 1, 0);
    f1->addWidget(cmdLoad, 1, 1);

    Timer1 = new QTimer(this);
    Timer1->setObjectName("Timer1");
    Timer1->setInterval(1000);

    auto* left = new QVBoxLayout;
    left->addWidget(fraDim);
    left->addWidget(gridArea_, 1);
    auto* right = new QVBoxLayout;
    right->addWidget(Frame3);
    right->addWidget(Frame2);
    right->addWidget(Frame1);
    right->addStretch();
    auto* top = new QHBoxLayout(this);
    top->setContentsMargins(8, 8, 8, 8);
    top->addLayout(left, 1);
    top->addLayout(right);

    connect(updownLinhas, &UpDown::valueChanged, labLinhas,
            [this](int v) { labLinhas->setNum(v); });
    connect(updownColunas, &UpDown::valueChanged, labColunas,
            [this](int v) { labColunas->setNum(v); });
    connect(updownLinhas, &UpDown::stepped, this, [this](int v) { RebuildGrid(v, -1); });
    connect(updownColunas, &UpDown::stepped, this, [this](int v) { RebuildGrid(-1, v); });
    connect(cmdAddNoise, &QPushButton::clicked, this, [this] {
        AddNoise(pattern_, ProgramRandom());
        RedrawGrid();
    });
    connect(cmdClearWindow, &QPushButton::clicked, this, [this] {
        msfgGrelha->setUpdatesEnabled(false);
        pattern_ = Pattern(rows_, columns_, -1);
        RedrawGrid();
    });
    connect(cmdStore, &QPushButton::clicked, this, &frmDocument::store);
    connect(cmdRecall, &QPushButton::clicked, this, [this] {
        qtkit::WaitCursor wait;
        pattern_ = engine().Recall(pattern_);
        EnableDimensions(false);
        RedrawGrid();
    });
    connect(cmdStep, &QPushButton::clicked, this, [this] {
        pattern_ = engine().StepRecall(pattern_);
        EnableDimensions(false);
        RedrawGrid();
    });
    connect(cmdClean, &QPushButton::clicked, this, [this] {
        engine().Clear();
        EnableDimensions(true);
        PatternsStored = false;
        UpdateSeeStore();
    });
    connect(cmdClearWeight, &QPushButton::clicked, this, [this] {
        engine().ClearSynapticWeights();
        UpdateSeeStore();
    });
    connect(cmdGetWeight, &QPushButton::clicked, this, [this] {
        WeightsBuffer = engine().SynapticWeights();
        showEditor();
    });
    connect(cmdNewWeight, &QPushButton::clicked, this, [this] {
        const int n = rows_ * columns_;
        WeightsBuffer = FloatMatrix(n, n, 0.0f);
        showEditor();
    });
    connect(cmbTypeProcess, &QComboBox::currentIndexChanged, this, [this](int index) {
        if (index >= 0) engine().TypeProcessUsed(index + 1);
    });
    connect(chkMatch, &QCheckBox::toggled, this,
            [this](bool checked) { engine().UsedAsClassifier(checked); });
    connect(hscSeeStore, &QScrollBar::valueChanged, this, [this](int value) {
        lblSeeStore->setText(SeeStoreText(value, hscSeeStore->maximum()));
        if (!hscSeeStore->isEnabled()) return;
        pattern_ = engine().GetStoreElement(value);
        EnableDimensions(false);
        RedrawGrid();
    });
    connect(cmdSave, &QPushButton::clicked, this, &frmDocument::save);
    connect(cmdLoad, &QPushButton::clicked, this, &frmDocument::load);
    connect(Timer1, &QTimer::timeout, this, [this] {
        msfgGrelha->setEnabled(true);
        Timer1->stop();
    });
}

void frmDocument::addExports() {
    qtkit::ExportSources pattern;
    pattern.figure = [this] { return std::optional(PatternFigure(pattern_)); };
    pattern.baseName = QStringLiteral("pattern");
    qtkit::addExportActions(msfgGrelha, pattern);

    qtkit::ExportSources stored;
    stored.figure = [this] { return StoredPatternsFigure(storedPatterns()); };
    stored.baseName = QStringLiteral("stored_patterns");
    qtkit::ExportSources weights;
    weights.table = [this]() -> std::optional<csv::Table> {
        if (!engine().HasSynapticWeights()) return std::nullopt;
        const FloatMatrix matrix = engine().SynapticWeights();
        if (matrix.empty()) return std::nullopt;
        return WeightTable(matrix, columns_);
    };
    weights.baseName = QStringLiteral("weights");

    const auto separator = [this] {
        auto* line = new QAction(msfgGrelha);
        line->setSeparator(true);
        msfgGrelha->addAction(line);
    };
    const auto entry = [this](const char* name, const char* text, auto run) {
        auto* action = new QAction(QString::fromLatin1(text), msfgGrelha);
        action->setObjectName(QString::fromLatin1(name));
        action->setEnabled(false);
        connect(action, &QAction::triggered, this, run);
        msfgGrelha->addAction(action);
        return action;
    };
    separator();
    actionExportStored = entry("actionExportStored", "Export Stored Patterns...",
                               [this, stored] { qtkit::exportWithDialog(this, stored); });
    actionCopyStored = entry("actionCopyStored", "Copy Stored Patterns",
                             [stored] { qtkit::copyToClipboard(stored); });
    separator();
    actionExportWeights = entry("actionExportWeights", "Export Weights...",
                                [this, weights] { qtkit::exportWithDialog(this, weights); });
    actionCopyWeights =
        entry("actionCopyWeights", "Copy Weights", [weights] { qtkit::copyToClipboard(weights); });
}

std::vector<Pattern> frmDocument::storedPatterns() {
    std::vector<Pattern> patterns;
    const std::int32_t count = engine().GetStoreCount();
    for (std::int32_t k = 1; k <= count; ++k)
        patterns.push_back(engine().GetStoreElement(k));
    return patterns;
}

clsTessalyAlgorith& frmDocument::engine() {
    if (!engine_) engine_ = std::make_unique<clsTessalyAlgorith>(static_cast<NetDialog*>(this));
    return *engine_;
}

void frmDocument::createEditor() {
    editor_ = new frmSynapticWeights(dialogs_, this);
    editor_->setAttribute(Qt::WA_DeleteOnClose);
    connect(editor_, &frmSynapticWeights::EditComplet, this, &frmDocument::frmSW_EditComplet);
}

void frmDocument::showEditor() {
    if (WeightsBuffer.empty()) return;
    if (!editor_) createEditor();
    editor_->setWindowTitle(
        QString::fromUtf8("Edit Synaptic Weights n.\u00ba %1").arg(WindowNumber_));
    editor_->setPatternColumns(columns_);
    if (!editor_->isVisible()) PlaceOnScreen(editor_, this);
    editor_->show();
    editor_->raise();
    editor_->LoadArray(WeightsBuffer);
}

bool frmDocument::AskYesNo(const std::string& text) {
    return dialogs_->askYesNo(this, QString::fromStdString(text));
}

void frmDocument::ShowMessage(const std::string& text) {
    dialogs_->message(this, QString::fromStdString(text));
}

void frmDocument::Beep() {
    dialogs_->beep();
}

void frmDocument::RebuildGrid(int newRows, int newColumns) {
    if (newRows != -1) rows_ = newRows;
    if (newColumns != -1) columns_ = newColumns;
    updownLinhas->setEnabled(false);
    updownColunas->setEnabled(false);
    updownLinhas->setValue(rows_);
    updownColunas->setValue(columns_);
    labLinhas->setNum(rows_);
    labColunas->setNum(columns_);
    updownLinhas->setEnabled(true);
    updownColunas->setEnabled(true);
    pattern_ = Pattern(rows_, columns_, -1);

    msfgGrelha->setUpdatesEnabled(false);
    msfgGrelha->clear();
    msfgGrelha->setRowCount(rows_);
    msfgGrelha->setColumnCount(columns_);
    PlaceGrid();
    for (int r = 0; r < rows_; ++r)
        for (int c = 0; c < columns_; ++c)
            msfgGrelha->setItem(r, c, new QTableWidgetItem);
    RedrawGrid();
    Timer1->stop();
    Timer1->setInterval(1000);
}

void frmDocument::PlaceGrid() {
    // Square cells, as large as the grid's place allows, the table centred across it.
    const int frame = 2 * msfgGrelha->frameWidth();
    const QSize room = gridArea_->size() - QSize(frame, frame);
    const int columns = std::max(columns_, 1);
    const int rows = std::max(rows_, 1);
    const int side = std::max(kMinCell, std::min(room.width() / columns, room.height() / rows));
    msfgGrelha->horizontalHeader()->setDefaultSectionSize(side);
    msfgGrelha->verticalHeader()->setDefaultSectionSize(side);
    const QSize table(side * columns + frame, side * rows + frame);
    msfgGrelha->setGeometry(
        QRect(QPoint(std::max(0, (gridArea_->width() - table.width()) / 2), 0), table));
}

void frmDocument::RedrawGrid() {
    if (pattern_.empty()) {
        RebuildGrid(-1, -1);
        return;
    }
    msfgGrelha->setUpdatesEnabled(false);
    for (int r = 0; r < pattern_.rows() && r < msfgGrelha->rowCount(); ++r) {
        for (int c = 0; c < pattern_.columns() && c < msfgGrelha->columnCount(); ++c) {
            if (QTableWidgetItem* item = msfgGrelha->item(r, c))
                item->setBackground(pattern_(r, c) == 1 ? Qt::black : Qt::white);
        }
    }
    msfgGrelha->setUpdatesEnabled(true);
    QCoreApplication::processEvents();
}

void frmDocument::EnableDimensions(bool enabled) {
    updownLinhas->setEnabled(enabled);
    updownColunas->setEnabled(enabled);
}

void frmDocument::UpdateSeeStore() {
    const std::int32_t count = engine().GetStoreCount();
    // Every change of the store or of the weights passes here.
    actionExportStored->setEnabled(count > 0);
    actionCopyStored->setEnabled(count > 0);
    actionExportWeights->setEnabled(engine().HasSynapticWeights());
    actionCopyWeights->setEnabled(engine().HasSynapticWeights());
    hscSeeStore->setEnabled(false);
    if (count < 1) {
        hscSeeStore->setRange(0, 0);
        lblSeeStore->setText(SeeStoreText(0, 0));
        return;
    }
    QCoreApplication::processEvents();
    hscSeeStore->setRange(1, count);
    hscSeeStore->setValue(count);
    lblSeeStore->setText(SeeStoreText(count, count));
    hscSeeStore->setEnabled(true);
}

void frmDocument::store() {
    engine().Add(pattern_);
    EnableDimensions(false);
    PatternsStored = true;
    UpdateSeeStore();
}

void frmDocument::frmSW_EditComplet(const FloatMatrix& outArr) {
    WeightsBuffer = outArr;
    engine().NumLinhas(rows_);
    engine().NumColunas(columns_);
    engine().SynapticWeights(WeightsBuffer);
    EnableDimensions(false);
    UpdateSeeStore();
}

void frmDocument::save() {
    const QString name = dialogs_->saveFile(this, kPatternDialogTitle, kPatternFilter, "Tsy");
    if (name.isEmpty()) return;
    msfgGrelha->setEnabled(false);
    Timer1->start();
    // A failed save leaves any previous file as it was, and says why.
    if (const auto failure = SaveFile(name.toStdString(), PatternFileText(pattern_)))
        dialogs_->message(this, QString::fromStdString(failure->Text()));
}

void frmDocument::LoadPatternFile(const QString& name, bool& ok) {
    const PatternLoad load = tessaly::LoadPatternFile(name.toStdString(), pattern_, PatternsStored);
    if (load.resized) RebuildGrid(load.pattern.rows(), load.pattern.columns());
    pattern_ = load.pattern;
    ok = load.ok();
    if (!ok) dialogs_->message(this, QString::fromStdString(load.failure->Text()));
}

void frmDocument::loadFile(const QString& path) {
    EnableDimensions(false);
    bool ok = false;
    LoadPatternFile(path, ok);
    msfgGrelha->setEnabled(false);
    Timer1->start();
    RedrawGrid();
    if (ok && chkLoadAndStore->isChecked()) store();
}

void frmDocument::load() {
    const QStringList names = dialogs_->openFiles(this, kPatternDialogTitle, kPatternFilter, true);
    if (names.isEmpty()) return;
    if (names.size() == 1) {
        if (!names.front().isEmpty()) loadFile(names.front());
        return;
    }
    EnableDimensions(false);
    msfgGrelha->setEnabled(false);
    for (const QString& name : names) {
        bool ok = false;
        LoadPatternFile(name, ok);
        // The grid follows the pattern also when a short file failed after a resize.
        RedrawGrid();
        if (ok && chkLoadAndStore->isChecked()) store();
    }
    Timer1->start();
}

bool frmDocument::eventFilter(QObject* watched, QEvent* event) {
    if (watched == gridArea_) {
        // Also reached while the table is being destroyed: only a resize touches it.
        if (event->type() == QEvent::Resize) PlaceGrid();
        return false;
    }
    if (watched == msfgGrelha->viewport()) {
        switch (event->type()) {
        case QEvent::MouseButtonPress:
        case QEvent::MouseMove:
        case QEvent::MouseButtonRelease:
        case QEvent::MouseButtonDblClick:
            // A disabled grid still sees the mouse here: while it is locked (the second after
            // a file dialog) clicks must not draw.
            if (msfgGrelha->isEnabled()) gridMouse(event);
            return true;
        default:
            break;
        }
    }
    return QWidget::eventFilter(watched, event);
}

void frmDocument::gridMouse(QEvent* event) {
    auto* mouse = static_cast<QMouseEvent*>(event);
    const QPoint pos = mouse->position().toPoint();
    const int row = msfgGrelha->rowAt(pos.y());
    const int column = msfgGrelha->columnAt(pos.x());
    switch (event->type()) {
    case QEvent::MouseButtonPress:
    case QEvent::MouseButtonDblClick:
        if (mouse->button() != Qt::LeftButton || row < 0 || column < 0) return;
        dragging_ = true;
        anchorRow_ = farRow_ = row;
        anchorColumn_ = farColumn_ = column;
        msfgGrelha->setCurrentCell(row, column, QItemSelectionModel::NoUpdate);
        break;
    case QEvent::MouseMove:
        if (!dragging_) return;
        if (row >= 0) farRow_ = row;
        if (column >= 0) farColumn_ = column;
        break;
    case QEvent::MouseButtonRelease: {
        if (mouse->button() != Qt::LeftButton || !dragging_) return;
        dragging_ = false;
        msfgGrelha->clearSelection();
        ToggleRectangle(pattern_, anchorRow_, anchorColumn_, farRow_, farColumn_);
        RedrawGrid();
        return;
    }
    default:
        return;
    }
    // The rectangle being dragged is shown as a selection.
    msfgGrelha->clearSelection();
    msfgGrelha->setRangeSelected(QTableWidgetSelectionRange(std::min(anchorRow_, farRow_),
                                                            std::min(anchorColumn_, farColumn_),
                                                            std::max(anchorRow_, farRow_),
                                                            std::max(anchorColumn_, farColumn_)),
                                 true);
}

} // namespace tessaly

namespace tessaly {

frmSynapticWeights* frmDocument::editor() const {
    return editor_.data();
}

} // namespace tessaly
