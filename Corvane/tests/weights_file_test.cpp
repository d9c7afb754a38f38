// Weights file reading and writing, random deviates and the fixed random sequence.
#include "engine/weights_file.h"
#include "recorder.h"
#include "test_files.h"
#include "test_networks.h"

#include <gtest/gtest.h>

#include <sys/resource.h>
#include <unistd.h>

#include <csignal>
#include <filesystem>
#include <iterator>

#include <bit>
#include <cmath>
#include <limits>

namespace corvane {
namespace {

using test::Recorder;
using test::TempDir;

Rede network(bool linear) {
    Rede rede;
    rede.dimensiona(test::shape(2, 3, 2, 1, linear));
    return rede;
}

std::string numbers(int count, float first = 1.0f) {
    std::string out;
    for (int i = 0; i < count; ++i)
        out += std::to_string(first + static_cast<float>(i)) + "\r\n";
    return out;
}

TEST(WeightsFile, ReadsExactlyTheWeightsTheNetworkNeeds) {
    TempDir dir;
    Recorder r;
    Rede rede = network(false); // 2-3-1: 13 weights
    test::write_file(dir / "13.wgt", numbers(13));
    ASSERT_TRUE(test::shown(le_pesos(dir / "13.wgt", rede), r));
    EXPECT_EQ(rede.W1.front(), 1.0f);
    EXPECT_EQ(rede.W1.back(), 9.0f);
    EXPECT_EQ(rede.W2, (std::vector<float>{10, 11, 12, 13}));

    test::write_file(dir / "20.wgt", numbers(20, 100.0f)); // the rest is ignored
    EXPECT_TRUE(test::shown(le_pesos(dir / "20.wgt", rede), r));
    EXPECT_EQ(rede.W2.back(), 112.0f);
    test::write_file(dir / "commas.wgt",
                     "1, 2,3\n4 5\n-1.234568E-02\n.5\n7\n8\n9\n10\n11\n12\n13\n");
    EXPECT_TRUE(test::shown(le_pesos(dir / "commas.wgt", rede), r));
    EXPECT_EQ(rede.W1[5], -1.234568E-02f);
    EXPECT_EQ(rede.W1[6], 0.5f);
    // A byte-order mark before the first number is no part of it.
    test::write_file(dir / "mark.wgt", "\xEF\xBB\xBF" + numbers(13, 2.0f));
    EXPECT_TRUE(test::shown(le_pesos(dir / "mark.wgt", rede), r));
    EXPECT_EQ(rede.W1.front(), 2.0f);
    EXPECT_TRUE(r.messages.empty());
}

TEST(WeightsFile, UnsuitableFilesAreRefusedKeepingWhatWasRead) {
    TempDir dir;
    Rede rede = network(false);
    struct Case {
        std::string content;
        int good; // values read before the failure
    };
    for (const Case& c : {Case{numbers(12), 12}, Case{"1\r\n2\r\nabc\r\n" + numbers(10), 2},
                          Case{"1\r\n1e999\r\n" + numbers(11), 1},
                          // 1e39 fits a double but no float.
                          Case{"1\r\n2\r\n1e39\r\n" + numbers(10), 2},
                          Case{"1\r\n-1e39\r\n" + numbers(11), 1}, Case{"", 0},
                          // A byte-order mark and nothing else holds no number.
                          Case{"\xEF\xBB\xBF", 0}}) {
        Recorder r;
        rede.W1.assign(rede.W1.size(), -7.0f);
        test::write_file(dir / "bad.wgt", c.content);
        EXPECT_FALSE(test::shown(le_pesos(dir / "bad.wgt", rede), r));
        EXPECT_EQ(r.texts(), std::vector<std::string>{std::string(msg::pesos_inadequados)});
        EXPECT_EQ(r.busy_calls, std::vector<bool>{false});
        EXPECT_EQ(r.pointer, Pointer::arrow);
        std::vector<float> all = rede.todos_pesos();
        for (int k = 0; k < c.good; ++k)
            EXPECT_EQ(all[static_cast<std::size_t>(k)], static_cast<float>(k + 1));
        if (c.good < 9) {
            EXPECT_EQ(all[static_cast<std::size_t>(c.good)], -7.0f);
        }
    }
    // The same 13 numbers are too few once the linear output layer is on.
    Recorder r;
    Rede linear = network(true);
    test::write_file(dir / "13.wgt", numbers(13));
    EXPECT_FALSE(test::shown(le_pesos(dir / "13.wgt", linear), r));
    EXPECT_EQ(r.texts(), std::vector<std::string>{std::string(msg::pesos_inadequados)});

    Recorder missing;
    EXPECT_FALSE(test::shown(le_pesos(dir / "none.wgt", rede), missing));
    EXPECT_EQ(missing.texts(), std::vector<std::string>{std::string(msg::erro_carregar_pesos)});
}

TEST(WeightsFile, WrittenValuesReadBackAsTheSameFloats) {
    TempDir dir;
    Recorder r;
    Rede rede = network(true);
    const float special[] = {0.0f,         -0.0f,   1.0f / 3.0f,
                             -1e-30f,      3.4e38f, std::numeric_limits<float>::denorm_min(),
                             123456789.0f, -0.1f};
    std::vector<float> all = rede.todos_pesos();
    for (std::size_t k = 0; k < all.size(); ++k)
        all[k] = k < 8 ? special[k] : std::nextafter(special[k % 8], 1.0f);
    rede.define_pesos(all.data());
    ASSERT_TRUE(grava_pesos(dir / "w.wgt", rede, r));
    auto lines = test::crlf_lines(test::read_file(dir / "w.wgt"));
    EXPECT_EQ(lines.size(), all.size());
    Rede back = network(true);
    ASSERT_TRUE(test::shown(le_pesos(dir / "w.wgt", back), r));
    std::vector<float> again = back.todos_pesos();
    for (std::size_t k = 0; k < all.size(); ++k)
        EXPECT_EQ(again[k], all[k]) << k; // -0 is written as 0

    EXPECT_FALSE(grava_pesos(dir / "missing/w.wgt", rede, r));
    // The message says why, as the system put it.
    EXPECT_EQ(r.texts(),
              std::vector<std::string>{std::string(msg::erro_gravar_pesos) + "\n" +
                                       (dir / "missing") + ": No such file or directory"});
}

// A save that cannot be completed leaves the previous file as it was and no temporary file.
TEST(WeightsFile, SavesThatCannotCompleteKeepThePreviousFile) {
    namespace fs = std::filesystem;
    TempDir dir;
    const std::string path = dir / "w.wgt";
    test::write_file(path, "0.5\r\n");
    auto only_the_old_file = [&] {
        EXPECT_EQ(test::read_file(path), "0.5\r\n");
        EXPECT_EQ(std::distance(fs::directory_iterator(dir.path()), fs::directory_iterator()), 1);
    };
    Recorder r;
    {
        // The writer fails midway: the process may write only 4 KiB into any file.
        std::signal(SIGXFSZ, SIG_IGN);
        rlimit saved{};
        ASSERT_EQ(getrlimit(RLIMIT_FSIZE, &saved), 0);
        rlimit small = saved;
        small.rlim_cur = 4096;
        ASSERT_EQ(setrlimit(RLIMIT_FSIZE, &small), 0);
        const bool written = grava_valores(path, std::vector<float>(100000, 0.125f), r);
        setrlimit(RLIMIT_FSIZE, &saved);
        EXPECT_FALSE(written);
        only_the_old_file();
    }
    std::vector<std::string> reasons{std::string(msg::erro_gravar_pesos) + "\n" + path +
                                     ": File too large"};
    if (::geteuid() != 0) { // root may write any file: the system says so, not its mode
        fs::permissions(path, fs::perms::owner_read | fs::perms::group_read);
        EXPECT_FALSE(grava_valores(path, {1.0f}, r)) << "a read-only file is not replaced";
        only_the_old_file();
        reasons.push_back(std::string(msg::erro_gravar_pesos) + "\n" + path +
                          ": Permission denied");
    }
    EXPECT_EQ(r.texts(), reasons);
    fs::permissions(path, fs::perms::owner_read | fs::perms::owner_write);
    ASSERT_TRUE(grava_valores(path, {1.0f}, r));
    EXPECT_EQ(fs::status(path).permissions(), fs::perms::owner_read | fs::perms::owner_write)
        << "a replaced file keeps its permissions";

    fs::permissions(dir.path(), fs::perms::owner_read | fs::perms::owner_exec);
    const bool folder_writable = access(dir.path().c_str(), W_OK) == 0; // as root it stays so
    const bool written = !folder_writable && grava_valores(path, {2.0f}, r);
    fs::permissions(dir.path(), fs::perms::owner_all);
    if (!folder_writable) {
        EXPECT_FALSE(written) << "read-only folder";
        EXPECT_EQ(test::read_file(path), "1\r\n");
    }
}

TEST(RandomWeights, DeviateAtTheEndsOfItsRange) {
    EXPECT_NEAR(desvio_aleatorio(-1.0f, 2.0f), -0.00895, 1e-5);
    EXPECT_NEAR(desvio_aleatorio(0.0f, 2.0f), 9.5971, 1e-3);
    EXPECT_EQ(desvio_aleatorio(0.5f, 1.0f), -desvio_aleatorio(-0.5f, 1.0f));
    // Rayleigh law: the mean magnitude is about 1.25 s.
    Rnd rnd;
    double sum = 0;
    for (int i = 0; i < 100000; ++i)
        sum += std::fabs(desvio_aleatorio(static_cast<float>(2 * rnd() - 1), 1.0f));
    EXPECT_NEAR(sum / 100000, 1.2533, 0.02);
}

TEST(RandomWeights, EveryProgramStartDrawsTheSameNumbers) {
    Rnd a, b;
    for (int i = 0; i < 1000; ++i) {
        const double v = a();
        ASSERT_EQ(v, b());
        ASSERT_GE(v, 0.0);
        ASSERT_LT(v, 1.0);
        ASSERT_EQ(static_cast<double>(static_cast<float>(v)), v); // single resolution
    }
    Rede x = network(true), y = network(true);
    Rnd ra, rb;
    pesos_aleatorios(x, ra, true, 2.0f);
    pesos_aleatorios(y, rb, true, 2.0f);
    EXPECT_EQ(x.todos_pesos(), y.todos_pesos());
    Rede plain = network(true);
    Rnd rc;
    pesos_aleatorios(plain, rc, false, 2.0f);
    for (float v : plain.todos_pesos()) {
        EXPECT_GE(v, -1.0f);
        EXPECT_LT(v, 1.0f);
    }
}

} // namespace
} // namespace corvane
