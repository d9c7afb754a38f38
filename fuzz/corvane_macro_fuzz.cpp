// The macro file: a load into a list, and a save and load again that gives back the same list.
#include "corvane_view.h"

#include "engine/macro_file.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    corvane::ListaMacro list;
    fuzz::QuietView view;
    const bool ok =
        fuzz::shown(corvane::carrega_macro(fuzz::as_file(fuzz::view(data, size)), list), view);
    FUZZ_CHECK(ok == (view.messages == 0));
    if (!ok) return 0;

    const std::string path = fuzz::scratch_folder() + "/macro.mcr";
    fuzz::QuietView save_view;
    if (!corvane::grava_macro(path, list, save_view)) {
        FUZZ_CHECK(save_view.messages == 1);
        return 0;
    }
    corvane::ListaMacro again;
    fuzz::QuietView load_view;
    FUZZ_CHECK(fuzz::shown(corvane::carrega_macro(path, again), load_view));
    FUZZ_CHECK(again == list);
    return 0;
}
