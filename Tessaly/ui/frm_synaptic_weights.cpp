#include "frm_synaptic_weights.h"

#include "file_io.h"
#include "ui_dialogs.h"
#include "weight_table.h"

#include "qtkit/export_actions.h"
#include "qtkit/key_filter.h"
#include "qtkit/wait_cursor.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QScrollBar>
#include <QTableView>
#include <QVBoxLayout>

#include <algorithm>

namespace tessaly {

namespace {

const char* const kWeightsFilter = "Tessaly Weights File (*.TsyW)";

QPushButton* Button(QWidget* parent, const char* name, const char* caption) {
    auto* b = new QPushButton(QString::fromLatin1(caption), parent);
    b->setObjectName(QString::fromLatin1(name));
    return b;
}

} // namespace

// ---------------------------------------------------------------- model

int WeightsModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : grid_.rows();
}

int WeightsModel::columnCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : grid_.columns();
}

QVariant WeightsModel::data(const QModelIndex& index, int role) const {
    if (!index.isValid()) return {};
    if (role == Qt::DisplayRole) {
        const std::string_view text = grid_.Text(index.row(), index.column());
        return QString::fromLatin1(text.data(), static_cast<qsizetype>(text.size()));
    }
    if (role == Qt::TextAlignmentRole) return int(Qt::AlignRight | Qt::AlignVCenter);
    return {};
}

QVariant WeightsModel::headerData(int section, Qt::Orientation orientation, int role) const {
    if (role == Qt::DisplayRole)
        return QString::fromStdString(WeightGrid::NeuronLabel(section + 1, patternColumns_));
    if (role == Qt::TextAlignmentRole)
        return int((orientation == Qt::Vertical ? Qt::AlignLeft : Qt::AlignHCenter) |
                   Qt::AlignVCenter);
    return {};
}

void WeightsModel::reload() {
    beginResetModel();
    endResetModel();
}

void WeightsModel::cellChanged(int i, int j) {
    const QModelIndex at = index(i, j);
    emit dataChanged(at, at, {Qt::DisplayRole});
}

// ---------------------------------------------------------------- window

frmSynapticWeights::frmSynapticWeights(UiDialogs* dialogs, QWidget* parent)
    : QWidget(parent, Qt::Window), dialogs_(dialogs) {
    setObjectName("frmSynapticWeights");
    model_ = new WeightsModel(grid_, this);

    gridTest = new QTableView(this);
    gridTest->setObjectName("gridTest");
    gridTest->setModel(model_);
    gridTest->setEditTriggers(QAbstractItemView::NoEditTriggers);
    gridTest->setSelectionMode(QAbstractItemView::SingleSelection);
    gridTest->setTabKeyNavigation(false);
    gridTest->installEventFilter(this);

    txtEdit = new QLineEdit(this);
    txtEdit->setObjectName("txtEdit");
    txtEdit->setFont(gridTest->font());
    txtEdit->setAlignment(Qt::AlignRight);
    txtEdit->hide();
    qtkit::filterDigits(txtEdit, {.point = true, .comma = true, .signs = true, .exponent = true});
    txtEdit->installEventFilter(this);

    // Every row as high as the edit box; the label column as wide as the widest label.
    const int rowHeight = txtEdit->sizeHint().height();
    gridTest->verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    gridTest->verticalHeader()->setDefaultSectionSize(rowHeight);
    gridTest->verticalHeader()->setMinimumWidth(
        gridTest->fontMetrics().horizontalAdvance("( 50 # 50 )") + 12);
    gridTest->verticalHeader()->setDefaultAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    // Data columns start as wide as a neuron label; the person may drag them wider, and a
    // double click on a column's edge (or the header's menu) fits them to their texts.
    QHeaderView* columnsHeader = gridTest->horizontalHeader();
    columnsHeader->setSectionResizeMode(QHeaderView::Interactive);
    columnsHeader->setMinimumSectionSize(gridTest->fontMetrics().horizontalAdvance("0") + 8);
    columnsHeader->setDefaultSectionSize(gridTest->fontMetrics().horizontalAdvance("( 50 , 50 )") +
                                         12);
    columnsHeader->setContextMenuPolicy(Qt::CustomContextMenu);
    connect(columnsHeader, &QHeaderView::customContextMenuRequested, this,
            &frmSynapticWeights::columnsMenu);
    // The table's own fitting samples rows one by one, too slow for 2500 of them.
    disconnect(columnsHeader, SIGNAL(sectionHandleDoubleClicked(int)), gridTest,
               SLOT(resizeColumnToContents(int)));
    connect(columnsHeader, &QHeaderView::sectionHandleDoubleClicked, this,
            [this](int column) { FitColumns(column, column); });

    Frame1 = new QGroupBox(this);
    Frame1->setObjectName("Frame1");
    txtIn = new QLineEdit("0", Frame1);
    txtIn->setObjectName("txtIn");
    txtIn->setMaximumWidth(90);
    qtkit::filterDigits(txtIn, {.point = true, .comma = true, .signs = true, .exponent = true});
    chkMatSimetrica = new QCheckBox("Matrix is Symmetric", Frame1);
    chkMatSimetrica->setObjectName("chkMatSimetrica");
    chkMatSimetrica->setChecked(true);
    cmdOK = Button(Frame1, "cmdOK", "OK");
    cmdCancel = Button(Frame1, "cmdCancel", "Cancel");
    cmdWeightsInitialisation = Button(Frame1, "cmdWeightsInitialisation", "Weights Initialisation");
    cmdSave = Button(Frame1, "cmdSave", "Save");
    cmdLoad = Button(Frame1, "cmdLoad", "Load");
    auto* frame = new QGridLayout(Frame1);
    frame->addWidget(cmdWeightsInitialisation, 0, 0);
    frame->addWidget(txtIn, 0, 1);
    frame->addWidget(chkMatSimetrica, 0, 2);
    frame->setColumnStretch(3, 1);
    frame->addWidget(cmdSave, 0, 4);
    frame->addWidget(cmdLoad, 0, 5);
    frame->addWidget(cmdOK, 1, 4);
    frame->addWidget(cmdCancel, 1, 5);

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(8, 8, 8, 8);
    layout->addWidget(gridTest, 1);
    layout->addWidget(Frame1);
    resize(640, 420);

    // "Export..." and Copy (Ctrl+C) of the matrix as the cells show it, in the grid's context
    // menu.
    qtkit::ExportSources weights;
    weights.table = [this]() -> std::optional<csv::Table> {
        if (grid_.empty()) return std::nullopt;
        return WeightTable(grid_, model_->patternColumns());
    };
    weights.baseName = QStringLiteral("weights");
    qtkit::addExportActions(gridTest, weights);

    connect(gridTest, &QTableView::clicked, this,
            [this](const QModelIndex&) { BeginCellEdit(32); });
    connect(gridTest->selectionModel(), &QItemSelectionModel::currentChanged, this, [this] {
        if (!moving_) CommitCellEdit();
    });
    connect(gridTest->horizontalScrollBar(), &QScrollBar::valueChanged, this,
            [this] { CommitCellEdit(); });
    connect(gridTest->verticalScrollBar(), &QScrollBar::valueChanged, this,
            [this] { CommitCellEdit(); });
    // A column that changes width moves the cells under the edit box, as scrolling does.
    connect(gridTest->horizontalHeader(), &QHeaderView::sectionResized, this,
            [this] { CommitCellEdit(); });
    connect(cmdWeightsInitialisation, &QPushButton::clicked, this, &frmSynapticWeights::initialise);
    connect(cmdOK, &QPushButton::clicked, this, &frmSynapticWeights::ok);
    connect(cmdCancel, &QPushButton::clicked, this, &QWidget::close);
    connect(cmdSave, &QPushButton::clicked, this, &frmSynapticWeights::save);
    connect(cmdLoad, &QPushButton::clicked, this, &frmSynapticWeights::load);
}

void frmSynapticWeights::columnsMenu(const QPoint& at) {
    QHeaderView* header = gridTest->horizontalHeader();
    const int column = header->logicalIndexAt(at);
    QMenu menu(this);
    menu.setObjectName("mnuColumns");
    QAction* fitOne = menu.addAction("Fit Column to Contents");
    fitOne->setEnabled(column >= 0);
    QAction* fitAll = menu.addAction("Fit All Columns to Contents");
    QAction* chosen = menu.exec(header->viewport()->mapToGlobal(at));
    if (chosen == fitOne) FitColumns(column, column);
    if (chosen == fitAll) FitColumns(0, grid_.columns() - 1);
}

void frmSynapticWeights::FitColumns(int first, int last) {
    CommitCellEdit();
    qtkit::WaitCursor wait;
    // Only the longest text of each column is measured: a 2500 x 2500 matrix fits at once.
    QHeaderView* header = gridTest->horizontalHeader();
    gridTest->setUpdatesEnabled(false);
    for (int j = std::max(first, 0); j <= last && j < grid_.columns(); ++j) {
        int width = header->sectionSizeHint(j);
        const int row = grid_.LongestTextRow(j);
        if (row >= 0)
            width = std::max(width, gridTest->sizeHintForIndex(model_->index(row, j)).width() +
                                        (gridTest->showGrid() ? 1 : 0));
        header->resizeSection(j, width);
    }
    gridTest->setUpdatesEnabled(true);
}

void frmSynapticWeights::setPatternColumns(int columns) {
    model_->setPatternColumns(columns);
    emit model_->headerDataChanged(Qt::Horizontal, 0, std::max(0, grid_.columns() - 1));
    emit model_->headerDataChanged(Qt::Vertical, 0, std::max(0, grid_.rows() - 1));
}

QString frmSynapticWeights::NeuronLabel(int k, int columns) {
    return QString::fromStdString(WeightGrid::NeuronLabel(k, columns));
}

void frmSynapticWeights::LoadArray(const FloatMatrix& inArr) {
    if (inArr.empty()) return;
    qtkit::WaitCursor wait;
    gridTest->setUpdatesEnabled(false);
    grid_.LoadArray(inArr);
    model_->reload();
    gridTest->setCurrentIndex(model_->index(0, 0));
    gridTest->setUpdatesEnabled(true);
}

void frmSynapticWeights::BeginCellEdit(int key) {
    const QModelIndex current = gridTest->currentIndex();
    if (!current.isValid()) return;
    editRow_ = current.row();
    editColumn_ = current.column();
    if (key >= 0 && key <= 32) {
        const std::string_view text = grid_.Text(editRow_, editColumn_);
        txtEdit->setText(QString::fromLatin1(text.data(), static_cast<qsizetype>(text.size())));
        txtEdit->selectAll();
    } else if (key == '.' || (key >= '0' && key <= '9')) {
        txtEdit->setText(QString(QChar(key)));
        txtEdit->setCursorPosition(1);
    } else {
        txtEdit->setText("0");
        txtEdit->setCursorPosition(1);
    }
    const QRect cell = gridTest->visualRect(current);
    if (!gridTest->viewport()->rect().intersects(cell)) return;
    const QPoint topLeft = gridTest->viewport()->mapTo(this, cell.topLeft());
    txtEdit->setGeometry(QRect(topLeft, cell.size()));
    txtEdit->show();
    txtEdit->raise();
    txtEdit->setFocus();
}

bool frmSynapticWeights::CommitCellEdit() {
    if (committing_) return true;
    committing_ = true;
    const std::string text = txtEdit->text().toStdString();
    WeightEdit edit = WeightEdit::NotANumber;
    if (!txtEdit->isHidden() && editRow_ >= 0) {
        edit = grid_.Commit(editRow_, editColumn_, text, chkMatSimetrica->isChecked());
        if (edit == WeightEdit::Stored) {
            model_->cellChanged(editRow_, editColumn_);
            model_->cellChanged(editColumn_, editRow_);
        }
    }
    txtEdit->hide();
    committing_ = false;
    // The box is hidden first: the focus coming back after the message commits nothing more.
    if (edit != WeightEdit::Overflow) return true;
    dialogs_->message(this, QString::fromStdString(OverflowFailure().Text()));
    return false;
}

void frmSynapticWeights::moveRow(int delta) {
    CommitCellEdit();
    gridTest->setFocus();
    const QModelIndex current = gridTest->currentIndex();
    const int row = current.row() + delta;
    if (!current.isValid() || row < 0 || row >= grid_.rows()) return;
    moving_ = true;
    gridTest->setCurrentIndex(model_->index(row, current.column()));
    moving_ = false;
}

bool frmSynapticWeights::gridKey(QKeyEvent* key) {
    const QString text = key->text();
    if (text.isEmpty() || key->key() == Qt::Key_Tab || key->key() == Qt::Key_Backtab ||
        (key->modifiers() & (Qt::ControlModifier | Qt::AltModifier)))
        return false;
    BeginCellEdit(text.front().unicode());
    return true;
}

bool frmSynapticWeights::editKey(QKeyEvent* key) {
    switch (key->key()) {
    case Qt::Key_Return:
    case Qt::Key_Enter:
        CommitCellEdit();
        gridTest->setFocus();
        return true;
    case Qt::Key_Escape:
        txtEdit->hide();
        gridTest->setFocus();
        return true;
    case Qt::Key_Up:
        moveRow(-1);
        return true;
    case Qt::Key_Down:
        moveRow(+1);
        return true;
    default:
        return false;
    }
}

bool frmSynapticWeights::eventFilter(QObject* watched, QEvent* event) {
    if (watched == gridTest) {
        if (event->type() == QEvent::KeyPress && gridKey(static_cast<QKeyEvent*>(event)))
            return true;
        if (event->type() == QEvent::FocusIn) CommitCellEdit();
    } else if (watched == txtEdit && event->type() == QEvent::KeyPress) {
        if (editKey(static_cast<QKeyEvent*>(event))) return true;
    }
    return QWidget::eventFilter(watched, event);
}

void frmSynapticWeights::mousePressEvent(QMouseEvent* event) {
    CommitCellEdit();
    QWidget::mousePressEvent(event);
}

void frmSynapticWeights::initialise() {
    qtkit::WaitCursor wait;
    gridTest->setUpdatesEnabled(false);
    const WeightEdit edit = grid_.Initialise(txtIn->text().toStdString());
    if (edit == WeightEdit::Stored) {
        const QModelIndex current = gridTest->currentIndex();
        model_->reload();
        gridTest->setCurrentIndex(current.isValid() ? model_->index(current.row(), current.column())
                                                    : model_->index(0, 0));
    }
    gridTest->setUpdatesEnabled(true);
    if (edit == WeightEdit::NotANumber) dialogs_->beep();
    if (edit == WeightEdit::Overflow)
        dialogs_->message(this, QString::fromStdString(OverflowFailure().Text()));
}

void frmSynapticWeights::ok() {
    // A pending edit that is refused keeps the editor open, so the value can be mended.
    if (!CommitCellEdit()) return;
    FloatMatrix matrix;
    {
        qtkit::WaitCursor wait;
        matrix = grid_.ToMatrix();
    }
    emit EditComplet(matrix);
    close();
}

void frmSynapticWeights::save() {
    const QString name = dialogs_->saveFile(this, "Save Synaptic Weights", kWeightsFilter, "TsyW");
    if (name.isEmpty()) return;
    if (!CommitCellEdit()) return;
    std::optional<Failure> failure;
    {
        qtkit::WaitCursor wait;
        failure = SaveFile(name.toStdString(), grid_.FileText());
    }
    // A failed save leaves any previous file as it was, and says why.
    if (failure) dialogs_->message(this, QString::fromStdString(failure->Text()));
}

void frmSynapticWeights::load() {
    const QStringList names =
        dialogs_->openFiles(this, "Load Synaptic Weights", kWeightsFilter, false);
    if (names.isEmpty() || names.front().isEmpty()) return;
    LoadWeightsFile(names.front());
}

void frmSynapticWeights::LoadWeightsFile(const QString& name) {
    std::optional<Failure> failure;
    {
        qtkit::WaitCursor wait;
        gridTest->setUpdatesEnabled(false);
        const FileContents file = ReadWholeFile(name.toStdString());
        failure = file.failure ? file.failure : grid_.LoadFileText(file.bytes);
        model_->reload();
        gridTest->setCurrentIndex(model_->index(0, 0));
        gridTest->setUpdatesEnabled(true);
    }
    if (failure) dialogs_->message(this, QString::fromStdString(failure->Text()));
}

} // namespace tessaly
