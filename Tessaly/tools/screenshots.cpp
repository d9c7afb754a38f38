// Shows the main window with two pattern windows and a weights editor on the examples, and
// saves pictures of them: screenshots <examples folder> <output folder>.
#include "frm_about.h"
#include "frm_document.h"
#include "frm_main.h"
#include "frm_synaptic_weights.h"
#include "ui_dialogs.h"

#include "qtkit/up_down.h"
#include "twips/twips.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QPushButton>
#include <QScreen>
#include <QSettings>
#include <QTemporaryDir>
#include <QTimer>

using namespace tessaly;

namespace {

// Answers the open dialog with the files queued in `next`.
class ScriptedDialogs : public UiDialogs {
public:
    QStringList next;
    QStringList openFiles(QWidget*, const QString&, const QString&, bool) override {
        return std::exchange(next, {});
    }
    QString saveFile(QWidget*, const QString&, const QString&, const QString&) override {
        return {};
    }
    void message(QWidget*, const QString&) override {}
    bool askYesNo(QWidget*, const QString&) override { return false; }
    void beep() override {}
    bool startProgram(const QStringList&) override { return false; }
};

void press(QWidget* w, const char* name) {
    w->findChild<QPushButton*>(name)->click();
}

} // namespace

int main(int argc, char* argv[]) {
    QApplication app(argc, argv);
    if (argc < 3) return 2;
    const QDir examples(QString::fromLocal8Bit(argv[1]));
    const QString out = QString::fromLocal8Bit(argv[2]);
    QTemporaryDir temp;
    auto settings = std::make_unique<QSettings>(temp.filePath("s.ini"), QSettings::IniFormat);
    settings->setValue("Settings/MainLeft", 0);
    settings->setValue("Settings/MainTop", 0);
    settings->setValue("Settings/MainWidth", 1000 * twips::per_pixel);
    settings->setValue("Settings/MainHeight", 560 * twips::per_pixel);
    ScriptedDialogs dialogs;
    frmMain main(std::move(settings), &dialogs);
    main.show();

    // Window 1: the letters A, T, L stored, then the noisy A recalled.
    QMdiSubWindow* first = main.mdiArea()->subWindowList().front();
    auto* one = qobject_cast<frmDocument*>(first->widget());
    one->findChild<QCheckBox*>("chkLoadAndStore")->setChecked(true);
    dialogs.next = {examples.filePath("A.Tsy"), examples.filePath("T.Tsy"),
                    examples.filePath("L.Tsy")};
    press(one, "cmdLoad");
    one->findChild<QCheckBox*>("chkLoadAndStore")->setChecked(false);
    one->findChild<QCheckBox*>("chkMatch")->setChecked(true);
    one->findChild<QComboBox*>("cmbTypeProcess")->setCurrentIndex(1);
    dialogs.next = {examples.filePath("A_noisy.Tsy")};
    press(one, "cmdLoad");
    press(one, "cmdRecall");
    first->move(0, 0);

    // Window 2: the noisy A as loaded, and its weights editor.
    frmDocument* two = main.newDocument();
    dialogs.next = {examples.filePath("A_noisy.Tsy")};
    press(two, "cmdLoad");
    dialogs.next = {examples.filePath("X.Tsy")};
    two->findChild<QCheckBox*>("chkLoadAndStore")->setChecked(true);
    press(two, "cmdLoad");
    dialogs.next = {examples.filePath("A_noisy.Tsy")};
    two->findChild<QCheckBox*>("chkLoadAndStore")->setChecked(false);
    press(two, "cmdLoad");
    two->parentWidget()->move(first->width() + 10, 0);
    press(two, "cmdGetWeight");
    frmSynapticWeights* editor = two->editor();
    editor->resize(720, 420);
    editor->move(100, 580);

    // A third window on the largest grid, with noise, and the About window.
    frmDocument big(&dialogs);
    for (int k = 0; k < 40; ++k) {
        big.findChild<qtkit::UpDown*>("updownLinhas")->stepUp();
        big.findChild<qtkit::UpDown*>("updownColunas")->stepUp();
    }
    press(&big, "cmdAddNoise");
    big.move(0, 600);
    big.show();
    frmAbout about(&dialogs, &main);
    about.show();

    QTimer::singleShot(2500, [&] {
        big.grab().save(out + "/tessaly_large.png");
        about.grab().save(out + "/tessaly_about.png");
        main.grab().save(out + "/tessaly.png");
        editor->grab().save(out + "/tessaly_editor.png");
        QGuiApplication::primaryScreen()->grabWindow(0).save(out + "/tessaly_desktop.png");
        app.quit();
    });
    return QApplication::exec();
}
