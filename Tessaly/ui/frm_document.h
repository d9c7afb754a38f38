// The pattern window: a drawing grid, its Hopfield network and its weights editor.
#pragma once

#include "array2d.h"
#include "hopfield_net.h"

#include <QPointer>
#include <QWidget>

#include <memory>
#include <vector>

class QAction;
class QCheckBox;
class QComboBox;
class QGroupBox;
class QLabel;
class QPushButton;
class QScrollBar;
class QTableWidget;
class QTimer;

namespace qtkit {
class UpDown;
}

namespace tessaly {

class UiDialogs;
using qtkit::UpDown;
class frmSynapticWeights;

class frmDocument : public QWidget, private NetDialog {
    Q_OBJECT
public:
    /// `dialogs` answers file dialogs and message boxes (default: the desktop's).
    explicit frmDocument(UiDialogs* dialogs = nullptr, QWidget* parent = nullptr);
    ~frmDocument() override;

    /// The number given by the main window, shown in the editor's caption.
    void setWindowNumber(std::int32_t n) { WindowNumber_ = n; }

    /// Loads a pattern file as the Load command does for one chosen file.
    void loadFile(const QString& path);

    const Pattern& pattern() const { return pattern_; }
    int rows() const { return rows_; }
    int columns() const { return columns_; }
    /// The weights editor while it exists (it is created hidden and closes after OK/Cancel).
    frmSynapticWeights* editor() const;

private:
    // NetDialog: what the network asks while recalling.
    bool AskYesNo(const std::string& text) override;
    void ShowMessage(const std::string& text) override;
    void Beep() override;

    void buildControls();
    /// "Export..." and Copy of the pattern, of the stored patterns and of the weights, in the
    /// grid's context menu.
    void addExports();
    std::vector<Pattern> storedPatterns();
    clsTessalyAlgorith& engine();
    void createEditor();

    void RebuildGrid(int newRows, int newColumns);
    void RedrawGrid();
    /// Sizes the square cells and places the table within the grid's place.
    void PlaceGrid();
    void EnableDimensions(bool enabled);
    void UpdateSeeStore();
    void LoadPatternFile(const QString& name, bool& ok);
    void frmSW_EditComplet(const FloatMatrix& outArr);
    void showEditor();

    void store();
    void save();
    void load();
    void gridMouse(QEvent* event);
    bool eventFilter(QObject* watched, QEvent* event) override;

    UiDialogs* dialogs_;
    std::unique_ptr<clsTessalyAlgorith> engine_;
    Pattern pattern_;
    int rows_ = 0;
    int columns_ = 0;
    FloatMatrix WeightsBuffer;
    bool PatternsStored = false;
    std::int32_t WindowNumber_ = 0;
    QPointer<frmSynapticWeights> editor_;

    // Drag on the grid: the cell pressed and the far corner reached.
    bool dragging_ = false;
    int anchorRow_ = 0, anchorColumn_ = 0, farRow_ = 0, farColumn_ = 0;

    QGroupBox* fraDim;
    QLabel* labLinhas;
    UpDown* updownLinhas;
    QLabel* Label1;
    QLabel* labColunas;
    UpDown* updownColunas;
    QWidget* gridArea_;
    QTableWidget* msfgGrelha;
    QGroupBox* Frame3;
    QPushButton* cmdAddNoise;
    QPushButton* cmdClearWindow;
    QGroupBox* Frame2;
    QComboBox* cmbTypeProcess;
    QCheckBox* chkMatch;
    QPushButton* cmdStep;
    QScrollBar* hscSeeStore;
    QLabel* lblSeeStore;
    QPushButton* cmdClearWeight;
    QPushButton* cmdNewWeight;
    QPushButton* cmdGetWeight;
    QPushButton* cmdRecall;
    QPushButton* cmdStore;
    QPushButton* cmdClean;
    QGroupBox* Frame1;
    QCheckBox* chkLoadAndStore;
    QPushButton* cmdSave;
    QPushButton* cmdLoad;
    QTimer* Timer1;
    QAction* actionExportStored;
    QAction* actionCopyStored;
    QAction* actionExportWeights;
    QAction* actionCopyWeights;
};

} // namespace tessaly
