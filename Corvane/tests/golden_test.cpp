// Training results pinned to the digit: the errors file and the trained weights file of every
// example project and of a set of further configurations (both methods, every crossover kind,
// with and without the linear output layer, odd set sizes) must stay byte for byte what they
// were when recorded. The digests live in golden_training.txt; CORVANE_GOLDEN_RECORD=<file>
// writes them afresh instead of comparing.
#include "batch/batch.h"
#include "engine/pass_kernels.h"
#include "test_files.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <cstdlib>
#include <fstream>
#include <map>
#include <sstream>

namespace corvane {
namespace {

using test::TempDir;

std::uint64_t fnv1a(const std::string& bytes) {
    std::uint64_t h = 14695981039346656037ull;
    for (unsigned char c : bytes) {
        h ^= c;
        h *= 1099511628211ull;
    }
    return h;
}

// One training configuration: an example project with some of its 39 lines replaced, and
// optionally starting weights made here (so that no random generator is involved).
struct Config {
    std::string name;
    std::string project; // example project file
    std::map<int, std::string> lines;
    int weights = 0; // > 0: write this many deterministic starting weights
};

std::string quoted(const std::string& s) {
    return "\"" + s + "\"";
}

std::vector<Config> configs() {
    std::vector<Config> c;
    c.push_back({"xor_backpropagation", "xor_backpropagation.prj", {}, 0});
    c.push_back({"xor_genetic", "xor_genetic.prj", {}, 0});
    c.push_back({"breast_cancer_backpropagation", "breast_cancer_backpropagation.prj", {}, 0});
    c.push_back({"breast_cancer_genetic", "breast_cancer_genetic.prj", {}, 0});
    // 10-13-6-3 with the linear layer: outputs are columns 9..11 (overlapping the inputs).
    c.push_back({"breast_linear_3_outputs",
                 "breast_cancer_backpropagation.prj",
                 {{5, quoted("9")},
                  {6, quoted("11")},
                  {12, quoted("60")},
                  {14, quoted("13")},
                  {15, quoted("6")},
                  {7, quoted("0.002")},
                  {32, "1"}},
                 11 * 13 + 14 * 6 + 7 * 3});
    // 37 patterns (not a multiple of any vector width), 2 sigmoid outputs, a hard learning rate
    // so that retries happen.
    c.push_back({"breast_37_patterns_retries",
                 "breast_cancer_backpropagation.prj",
                 {{3, quoted("5")},
                  {4, quoted("41")},
                  {5, quoted("10")},
                  {6, quoted("11")},
                  {12, quoted("80")},
                  {14, quoted("5")},
                  {7, quoted("0.9")},
                  {8, quoted("0.5")}},
                 11 * 5 + 6 * 2});
    // One pattern only, linear layer of one neuron.
    c.push_back({"breast_one_pattern_linear",
                 "breast_cancer_backpropagation.prj",
                 {{3, quoted("9")},
                  {4, quoted("9")},
                  {12, quoted("50")},
                  {14, quoted("3")},
                  {15, quoted("1")},
                  {32, "1"}},
                 11 * 3 + 4 * 1 + 2 * 1});
    for (int kind = 1; kind <= 6; ++kind) {
        std::map<int, std::string> lines{{12, quoted("15")}, {16, quoted("12")}};
        for (int k = 11; k <= 16; ++k)
            lines[23 + k - 9] = k == 10 + kind ? "#TRUE#" : "#FALSE#";
        lines[31] = kind % 2 ? "1" : "0"; // elitism on odd kinds
        if (kind >= 5) {
            lines[32] = "1";
            lines[15] = quoted("4");
        }
        c.push_back({"breast_genetic_kind_" + std::to_string(kind), "breast_cancer_genetic.prj",
                     lines, kind >= 5 ? 11 * 8 + 9 * 4 + 5 : 0});
    }
    return c;
}

std::vector<std::string> split_lines(const std::string& text) {
    auto lines = test::crlf_lines(text);
    return lines;
}

// Trains one configuration in a copy of the examples and returns "errdigest wgtdigest".
std::string train(const Config& cfg) {
    TempDir dir;
    for (const auto& entry : std::filesystem::directory_iterator("../examples/Corvane"))
        if (entry.path().filename().string().rfind("digits", 0) != 0) // the large one is not used
            std::filesystem::copy(entry.path(), dir.path() / entry.path().filename());
    auto lines = split_lines(test::read_file(dir / cfg.project));
    for (const auto& [k, v] : cfg.lines)
        lines.at(static_cast<std::size_t>(k)) = v;
    if (cfg.weights > 0) {
        lines[13] = quoted("start.wgt");
        std::string w;
        for (int k = 0; k < cfg.weights; ++k) {
            // Small values of both signs, varied enough to train on.
            const int v = (k * 7919 + 13) % 2001 - 1000;
            w += std::to_string(v / 2000.0) + "\r\n";
        }
        test::write_file(dir / "start.wgt", w);
    }
    std::string project;
    for (const auto& l : lines)
        project += l + "\r\n";
    const std::string path = dir / ("golden.prj");
    test::write_file(path, project);
    std::ostringstream out, err;
    const auto status = batch::run({"--train", path}, out, err);
    EXPECT_EQ(status, 0) << cfg.name << ": " << out.str() << err.str();
    const std::string errors = test::read_file(dir / "golden.err");
    const std::string weights = test::read_file(
        cfg.weights > 0 ? dir / "start.wgt"
                        : dir / (cfg.project.substr(0, cfg.project.size() - 3) + "wgt"));
    EXPECT_FALSE(errors.empty()) << cfg.name;
    std::ostringstream s;
    s << std::hex << fnv1a(errors) << " " << fnv1a(weights);
    return s.str();
}

std::map<std::string, std::string> recorded() {
    std::map<std::string, std::string> m;
    std::ifstream in("tests/golden_training.txt");
    for (std::string name, e, w; in >> name >> e >> w;)
        m[name] = e + " " + w;
    return m;
}

TEST(Golden, TrainingFilesStayByteForByteTheSameOnEveryVectorPath) {
    const char* record = std::getenv("CORVANE_GOLDEN_RECORD");
    const auto expected = recorded();
    std::ofstream out;
    if (record) out.open(record);
    for (NucleoVectorial n : nucleos_disponiveis()) {
        ScopedNucleo use(n);
        for (const Config& cfg : configs()) {
            const std::string got = train(cfg);
            if (record) {
                if (n == NucleoVectorial::portavel) out << cfg.name << " " << got << "\n";
                continue;
            }
            auto it = expected.find(cfg.name);
            ASSERT_NE(it, expected.end()) << cfg.name << " is not recorded";
            EXPECT_EQ(got, it->second) << cfg.name << " on " << nome_nucleo(n);
        }
    }
}

} // namespace
} // namespace corvane
