// Tessaly: the window, or a batch run when started with options.
#include "batch.h"
#include "frm_document.h"
#include "frm_main.h"
#include "main_settings.h"

#include <QApplication>
#include <QMdiArea>
#include <QMdiSubWindow>

#include <iostream>
#include <string>
#include <vector>

int main(int argc, char* argv[]) {
    const std::vector<std::string> args(argv + 1, argv + argc);
    if (tessaly::IsBatchCommandLine(args)) return tessaly::RunBatch(args, std::cout, std::cerr);
    if (args.size() > 1) {
        std::cerr << tessaly::BatchUsage();
        return 2;
    }

    QApplication app(argc, argv);
    QApplication::setApplicationName(tessaly::kApplicationTitle);
    QApplication::setOrganizationName(tessaly::kApplicationTitle);
    tessaly::frmMain window;
    window.show();
    if (args.size() == 1) {
        // Start on a pattern file: the first pattern window loads it.
        if (QMdiSubWindow* sub = window.mdiArea()->subWindowList().value(0))
            if (auto* document = qobject_cast<tessaly::frmDocument*>(sub->widget()))
                document->loadFile(QString::fromLocal8Bit(args.front().c_str()));
    }
    return QApplication::exec();
}
