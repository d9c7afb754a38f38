// The synaptic-weights editor of one pattern window.
#pragma once

#include "array2d.h"
#include "weight_grid.h"

#include <QAbstractTableModel>
#include <QWidget>

class QCheckBox;
class QGroupBox;
class QLineEdit;
class QPushButton;
class QTableView;

namespace tessaly {

class UiDialogs;

/// The editor's cells as a table model: texts from a WeightGrid, neuron labels as headers.
class WeightsModel : public QAbstractTableModel {
    Q_OBJECT
public:
    WeightsModel(WeightGrid& grid, QObject* parent) : QAbstractTableModel(parent), grid_(grid) {}
    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;

    void setPatternColumns(int columns) { patternColumns_ = columns; }
    int patternColumns() const { return patternColumns_; }
    /// Everything changed (a new matrix, an initialisation, a loaded file).
    void reload();
    /// Cell (i, j) changed.
    void cellChanged(int i, int j);

private:
    WeightGrid& grid_;
    int patternColumns_ = 1;
};

class frmSynapticWeights : public QWidget {
    Q_OBJECT
public:
    frmSynapticWeights(UiDialogs* dialogs, QWidget* parent);

    /// The column count of the owning pattern window, for the neuron labels.
    void setPatternColumns(int columns);
    /// Shows `inArr` in the grid; a matrix with no elements changes nothing.
    void LoadArray(const FloatMatrix& inArr);

    const WeightGrid& cells() const { return grid_; }

signals:
    /// OK was pressed: the edited matrix.
    void EditComplet(const tessaly::FloatMatrix& outArr);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;

private:
    void BeginCellEdit(int key);
    /// Takes the pending edit into its cell; false when the value was refused with a message.
    bool CommitCellEdit();
    void LoadWeightsFile(const QString& name);
    static QString NeuronLabel(int k, int columns);

    void initialise();
    void ok();
    void save();
    void load();
    bool gridKey(QKeyEvent* key);
    bool editKey(QKeyEvent* key);
    void moveRow(int delta);
    /// The column header's menu: fit the column under the pointer, or all, to their texts.
    void columnsMenu(const QPoint& at);
    /// Columns `first` to `last` as wide as their widest text (and their label).
    void FitColumns(int first, int last);

    UiDialogs* dialogs_;
    WeightGrid grid_;
    WeightsModel* model_;
    int editRow_ = -1;
    int editColumn_ = -1;
    bool moving_ = false;
    bool committing_ = false;

    QTableView* gridTest;
    QLineEdit* txtEdit;
    QGroupBox* Frame1;
    QLineEdit* txtIn;
    QCheckBox* chkMatSimetrica;
    QPushButton* cmdOK;
    QPushButton* cmdCancel;
    QPushButton* cmdWeightsInitialisation;
    QPushButton* cmdSave;
    QPushButton* cmdLoad;
};

} // namespace tessaly
