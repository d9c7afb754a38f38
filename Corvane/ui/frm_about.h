// The About window.
#pragma once

#include <QDialog>

class QLabel;

namespace corvane {

/// "About Corvane": the picture, "Version 1.0" and the label "001226".
class frm_About : public QDialog {
    Q_OBJECT
public:
    explicit frm_About(QWidget* parent = nullptr);

    QLabel* Image1;
    QLabel* Label1; // "Version 1.0"
    QLabel* Label2; // "001226"
};

} // namespace corvane
