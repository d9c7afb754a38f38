// The MLP size calculator: specifications on top, one list per bound below.
#pragma once

#include <QWidget>
#include <functional>
#include <map>

class QGroupBox;
class QLabel;
class QLineEdit;
class QListWidget;
class QPushButton;

namespace dimora {

class frmNNDim : public QWidget {
    Q_OBJECT
public:
    explicit frmNNDim(QWidget* parent = nullptr);

    /// Shows a message box; tests replace it with a recorder.
    using MessageHandler = std::function<void(const QString& title, const QString& text)>;
    void setMessageHandler(MessageHandler handler) { message_ = std::move(handler); }

    void cmdCompute_Click();

    /// The check box on a failure's message box that keeps the rest of one Compute quiet.
    static constexpr const char* kQuietRestCaption =
        "Do not show the remaining messages of this Compute";

private:
    friend class NNDimWindowView;
    void quit();
    /// A failure of a size function on one row; the rows after it go on.
    static bool isRowFailure(const QString& title);
    /// Shows a message, unless the user asked for no more row failures in this Compute.
    void message(const QString& title, const QString& text);

    QGroupBox* Frame1;
    QLabel *Label1, *Label2, *Label3, *Label4, *Label5, *Label6, *Label7, *Label8, *Label9,
        *Label10, *Label13, *Label19, *Label20;
    QLineEdit *Txtd, *Txth1, *Txth2, *Txte, *Txta;
    QPushButton *cmdCompute, *cmdQuit;
    QListWidget *ListUW, *ListND, *ListVCDl, *ListVCDu, *ListLB, *ListUB;
    std::map<std::string, QLineEdit*> fields_;
    std::map<std::string, QListWidget*> lists_;
    MessageHandler message_;
    bool quietRest_ = false; ///< no more row failures shown in the running Compute
};

} // namespace dimora
