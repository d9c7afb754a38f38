#include "cli.h"

#include <cstdlib>
#include <ostream>

namespace cli {

int report(const Stop& stop, std::ostream& out, std::ostream& err) {
    (stop.status == status_done ? out : err) << stop.text;
    return stop.status;
}

TakenExports take_export_options(std::vector<std::string>& args) {
    TakenExports taken;
    std::vector<std::string> rest;
    for (std::size_t k = 0; k < args.size(); ++k) {
        const std::string& option = args[k];
        std::string* target = nullptr;
        if (option == "--export-svg") target = &taken.exports.svg;
        if (option == "--export-png") target = &taken.exports.png;
        if (option == "--export-pdf") target = &taken.exports.pdf;
        if (option == "--export-csv") target = &taken.exports.csv;
        if (!target && option != "--scale") {
            rest.push_back(option);
            continue;
        }
        if (k + 1 >= args.size() || args[k + 1].empty()) {
            taken.error = option + " needs a value";
            return taken;
        }
        const std::string& value = args[++k];
        if (target) {
            *target = value;
            continue;
        }
        char* end = nullptr;
        const double scale = std::strtod(value.c_str(), &end);
        if (end == value.c_str() || *end != '\0' || !(scale >= 1.0 && scale <= 10.0)) {
            taken.error = "--scale must be a number from 1 to 10";
            return taken;
        }
        taken.exports.scale = scale;
    }
    args = std::move(rest);
    return taken;
}

std::string export_usage(bool figure) {
    std::string usage;
    if (figure)
        usage += "  --export-svg FILE   write the figure as SVG\n"
                 "  --export-png FILE   write the figure as PNG (--scale N, 1 to 10, default 1)\n"
                 "  --export-pdf FILE   write the figure as PDF\n";
    usage += "  --export-csv FILE   write the table as CSV (UTF-8, \".\" decimal point)\n";
    return usage;
}

} // namespace cli
