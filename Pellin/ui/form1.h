// The k-NN classifier's one window: file and settings, the scheme, the confusion table.
#pragma once

#include <QWidget>

#include "csv/csv.h"

#include <optional>

#include <functional>

class QCheckBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;

namespace pellin {

class Form1 : public QWidget {
    Q_OBJECT
public:
    explicit Form1(QWidget* parent = nullptr);

    /// Shows a modal message; tests replace it with a recorder.
    std::function<void(const QString& title, const QString& text)> messageBox;
    /// Asks for a prototype file to open; empty when cancelled. Tests may replace it.
    std::function<QString()> chooseFile;

    void setFileName(const QString& name);

public slots:
    void Command1_Click();
    void Option1_Click();
    void Option2_Click();

    /// The results of the last Compute that succeeded, as "Export..." writes them.
    const std::optional<csv::Table>& results() const { return results_; }

private:
    std::optional<csv::Table> results_;
    QLabel* resultLabel(const char* name, QWidget* parent);
    void buildLayout();

    QGroupBox* Frame1;
    QGroupBox* Frame2;
    QLabel* Label13;
    QLabel* Label14;
    QLabel* Label1;
    QLineEdit* Text1;
    QLineEdit* Text2;
    QLineEdit* Text3;
    QPushButton* cmdBrowse;
    QRadioButton* Option1;
    QRadioButton* Option2;
    QCheckBox* Check1;
    QPushButton* Command1;
    QPushButton* Command3;
};

} // namespace pellin
