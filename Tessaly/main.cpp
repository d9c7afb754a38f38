// Tessaly: the window (on the pattern file named, if one is), or a batch run when started with
// options.
#include "batch.h"

#include "cli/cli.h"

#include <iostream>
#include <string>
#include <vector>

#ifdef SUITE_WINDOWS
#include "batch_figures.h"
#include "frm_document.h"
#include "frm_main.h"
#include "main_settings.h"

#include <QApplication>
#include <QMdiArea>
#include <QMdiSubWindow>
#endif

int main(int argc, char* argv[]) {
    const std::vector<std::string> args(argv + 1, argv + argc);
    if (cli::how_to_start(args, true) == cli::Start::batch) {
#ifdef SUITE_WINDOWS
        return tessaly::batch_main(args, std::cout, std::cerr, tessaly::WriteBatchFigures);
#else
        return tessaly::batch_main(args, std::cout, std::cerr);
#endif
    }
#ifdef SUITE_WINDOWS
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
#else
    return cli::window_not_built("Tessaly", std::cerr);
#endif
}
