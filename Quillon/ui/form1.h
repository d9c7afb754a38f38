// The analyser's window: file browser, signal drawing, segment lists and the transition table.
#pragma once

#include <QWidget>

#include <functional>

#include "engine/analysis.h"
#include "engine/parser.h"

class QCheckBox;
class QComboBox;
class QFileSystemModel;
class QLabel;
class QLineEdit;
class QListView;
class QListWidget;
class QPushButton;
class QRadioButton;
class QScrollBar;
class QTableWidget;
class QTreeView;

namespace quillon {

class GridEditor;
class SignalView;

class Form1 : public QWidget {
    Q_OBJECT
public:
    explicit Form1(QWidget* parent = nullptr);

    /// Shows a message box; tests replace it with a recorder.
    std::function<void(const QString& title, const QString& text)> showMessage;

    /// Browses to `folder`: the folder tree selects it and the file list shows its files.
    void setFolder(const QString& folder);
    /// The folder whose files the file list shows.
    QString folder() const;
    /// Selects the file `name` of the current folder in the file list (false when it is not
    /// listed yet: the list fills in the background).
    bool selectFile(const QString& name);

    /// Browses to the file at `path`, selects it and reads it as a signal.
    void openSignal(const QString& path);

    const Analysis& analysis() const { return a_; }

    // Controls, under their names.
    QTreeView* Dir1;
    QListView* File1;
    QRadioButton* Option1;
    QRadioButton* Option2;
    QRadioButton* Option3;
    QPushButton* CmdRead;
    QLabel* LblFName;
    QLabel* Label5;
    QLabel* Lblnt;
    QLabel* Label10;
    QLabel* Lblna;
    QLabel* LblMin;
    QLabel* LblMax;
    SignalView* Picture1;
    QListWidget* List1;
    QScrollBar* HScroll1;
    QLabel* LblInic;
    QLabel* Label4;
    QLineEdit* TxtIncr;
    QCheckBox* Check3;
    QLabel* Label6;
    QLabel* Label2;
    QLabel* LblX;
    QLabel* Label3;
    QLabel* LblY;
    QPushButton* CmdQuit;
    QLabel* Label7;
    QLineEdit* TxtTol;
    QComboBox* Combo1;
    QPushButton* CmdApp;
    QLabel* LblList;
    QListWidget* List2;
    QLabel* Label8;
    QLineEdit* TxtSlope1;
    QLineEdit* TxtSlope2;
    QPushButton* CmdLabel;
    QLabel* Label18;
    QLabel* Label15;
    QLabel* Label16;
    QLabel* Label17;
    QTableWidget* Grid;
    QLineEdit* TxtGrid;
    QListWidget* List3;
    QPushButton* CmdParse;
    QPushButton* CmdClear;
    QPushButton* CmdSave;
    QLabel* Label9;
    QLineEdit* TxtFName;
    QLabel* Label13;

public slots:
    void CmdRead_Click();
    void CmdApp_Click();
    void CmdLabel_Click();
    void CmdParse_Click();
    void CmdClear_Click();
    void CmdSave_Click();
    /// Redraws the picture and refills the sample listing.
    void Display();

protected:
    /// A click on the window's background ends an edit of the table.
    void mousePressEvent(QMouseEvent* event) override;
    /// Notices the user taking over the folder tree, and the tree's resizes.
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void createControls();
    void arrangeControls();
    void connectControls();
    /// "Export..." and Copy (Ctrl+C) in the context menus of the drawing, the sample listing, the
    /// segment list and the transition table.
    void addExports();
    void ShowList();
    /// Shows the counts of what is held: values read and line segments.
    void showCounts();
    void message(const Message& m);
    QString selectedPath() const;
    Cells cells() const;
    void setCells(const Cells& cells);
    void readSignal(const std::string& path);
    void readString(const std::string& path);
    void readTable(const std::string& path);
    /// Shows the files of `folder` in the file list.
    void listFolder(const QString& folder);
    /// Selects the current folder in the folder tree and scrolls it into view.
    void revealFolder();
    void revealPendingFolder();

    Analysis a_;
    QFileSystemModel* dirModel_;
    QFileSystemModel* fileModel_;
    GridEditor* gridEditor_;
    bool revealFolder_ = false; ///< keep the current folder in the tree's view
};

} // namespace quillon
