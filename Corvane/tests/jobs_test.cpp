// Many runs at once, through the program as a script starts it: separate processes give the
// files one process gives, failures are rows, and a resumed plan trains only what is missing.
#include "engine/macro_file.h"
#include "engine/project_file.h"
#include "recorder.h"
#include "test_files.h"

#include <gtest/gtest.h>

#include <fcntl.h>
#include <sys/wait.h>
#include <unistd.h>

#include <csignal>

#include <cstdlib>

namespace corvane {
namespace {

using test::TempDir;

struct Folder {
    TempDir dir;
    Folder() {
        std::filesystem::copy("../examples/Corvane", dir.path(),
                              std::filesystem::copy_options::recursive);
    }
    // Runs Corvane with `args`; its standard output and error are kept.
    int corvane(const std::string& args) {
        const std::string command = std::string(CORVANE_EXE) + " " + args + " >" +
                                    (dir / "stdout") + " 2>" + (dir / "stderr");
        const int status = std::system(command.c_str());
        out = test::read_file(dir / "stdout");
        err = test::read_file(dir / "stderr");
        return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    }
    std::string file(const std::string& name) const { return test::read_file(dir / name); }
    std::string out, err;
};

// The project file without the two time captions, which depend on the clock.
std::vector<std::string> project_without_times(const std::string& content) {
    auto lines = test::crlf_lines(content);
    EXPECT_EQ(lines.size(), 39u);
    if (lines.size() == 39u) lines.erase(lines.begin() + 36, lines.begin() + 38);
    return lines;
}

TEST(Jobs, SeparateProcessesWriteWhatOneProcessWrites) {
    Folder one, many;
    for (Folder* f : {&one, &many}) {
        ListaMacro lista;
        lista[0] = "xor_genetic.prj";
        lista[1] = "xor_backpropagation.prj";
        lista[2] = "xor_genetic.prj"; // trains again from the first run's weights
        test::Recorder view;
        ASSERT_TRUE(grava_macro(f->dir / "m.mcr", lista, view));
    }
    ASSERT_EQ(one.corvane("--run-macro " + (one.dir / "m.mcr") + " --seed 7 --summary " +
                          (one.dir / "s.csv")),
              0)
        << one.out;
    ASSERT_EQ(many.corvane("--run-macro " + (many.dir / "m.mcr") + " --seed 7 --jobs 2 --summary " +
                           (many.dir / "s.csv")),
              0)
        << many.err;
    for (const std::string& name : std::vector<std::string>{"xor_genetic", "xor_backpropagation"}) {
        EXPECT_EQ(one.file(name + ".err"), many.file(name + ".err")) << name;
        EXPECT_EQ(one.file(name + ".wgt"), many.file(name + ".wgt")) << name;
        EXPECT_EQ(project_without_times(one.file(name + ".prj")),
                  project_without_times(many.file(name + ".prj")))
            << name;
    }
    // Progress counts finished runs, so which run is third depends on the two processes' speed;
    // every run is reported once, the genetic project twice.
    EXPECT_NE(many.err.find("[3/3] "), std::string::npos) << many.err;
    std::size_t genetic_lines = 0;
    for (std::size_t at = 0; (at = many.err.find("] xor_genetic.prj: ", at)) != std::string::npos;
         ++at)
        ++genetic_lines;
    EXPECT_EQ(genetic_lines, 2u) << many.err;
    EXPECT_TRUE(std::filesystem::exists(many.dir / "m.results/3.log"));
    // The two tables agree on everything but the folders and the wall times.
    const auto rows = [](const std::string& csv, const std::string& folder) {
        std::vector<std::string> kept;
        for (auto line : test::crlf_lines(csv)) {
            for (std::size_t at; (at = line.find(folder)) != std::string::npos;)
                line.erase(at, folder.size());
            kept.push_back(line);
        }
        return kept;
    };
    const auto a = rows(one.file("s.csv"), one.dir.path().string());
    const auto b = rows(many.file("s.csv"), many.dir.path().string());
    ASSERT_EQ(a.size(), 1u + 3u + 2u);
    ASSERT_EQ(b.size(), a.size());
    for (std::size_t i = 0; i < a.size(); ++i) {
        // Cut out the wall time: the field after the stop reason.
        auto cut = [](std::string s) {
            for (const std::string& reason :
                 std::vector<std::string>{",goal,", ",iteration limit,"}) {
                auto at = s.find(reason);
                if (at != std::string::npos) {
                    auto from = at + reason.size();
                    s.erase(from, s.find(',', from) - from);
                }
            }
            return s;
        };
        EXPECT_EQ(cut(a[i]), cut(b[i]));
    }
}

TEST(Jobs, AFailedRunIsARowAndResumeTrainsOnlyWhatHasNoResult) {
    Folder f;
    test::write_file(f.dir / "sweep.txt", "Max. iterations = 20\nSeeds = 1..3\n");
    ASSERT_EQ(f.corvane("--expand-sweep " + (f.dir / "xor_genetic.prj") + " " +
                        (f.dir / "sweep.txt") + " " + (f.dir / "out")),
              0)
        << f.out;
    EXPECT_EQ(f.out, "Projects\t3\n");
    const std::string broken = "out/xor_genetic_it-20_seed-2.prj";
    test::write_file(f.dir / broken, "\"only one line\"\r\n");
    EXPECT_EQ(
        f.corvane("--run-macro " + (f.dir / "out") + " --jobs 2 --summary " + (f.dir / "s.csv")),
        1);
    const std::string csv = f.file("s.csv");
    EXPECT_NE(csv.find("failed,Error loading project file!"), std::string::npos) << csv;
    EXPECT_EQ(std::count(csv.begin(), csv.end(), '\n'), 1 + 3 + 2) << csv;
    EXPECT_TRUE(std::filesystem::exists(f.dir / "out/xor_genetic_it-20_seed-3.err"));

    // As after a killed run: one result missing.
    std::filesystem::remove(f.dir / "out/results/3.result");
    std::filesystem::remove(f.dir / "out/xor_genetic_it-20_seed-3.err");
    EXPECT_EQ(f.corvane("--run-macro " + (f.dir / "out") + " --jobs 2 --resume"), 1);
    EXPECT_EQ(std::count(f.err.begin(), f.err.end(), '\n'), 1) << f.err;
    EXPECT_EQ(f.err.rfind("[3/3] xor_genetic_it-20_seed-3.prj: ", 0), 0u) << f.err;
    EXPECT_TRUE(std::filesystem::exists(f.dir / "out/xor_genetic_it-20_seed-3.err"));

    // The table alone, from the records.
    EXPECT_EQ(f.corvane("--summary " + (f.dir / "t.csv") + " " + (f.dir / "out")), 0);
    EXPECT_EQ(test::crlf_lines(f.file("t.csv")).size(), 1u + 3u + 2u);
}

TEST(Jobs, AnInterruptedPlanKeepsWhatEndedAndResumesTheRest) {
    Folder f;
    test::write_file(f.dir / "sweep.txt", "Max. iterations = 20\nSeeds = 1..3\n");
    ASSERT_EQ(f.corvane("--expand-sweep " + (f.dir / "breast_cancer_genetic.prj") + " " +
                        (f.dir / "sweep.txt") + " " + (f.dir / "out")),
              0);
    // The first run is short; the second and third train far longer than the stop takes to come
    // (the genetic error of these data never meets the goal of 0), so the stop finds the second
    // one training however fast or loaded the machine.
    const auto iterations = [&f](int seed, const std::string& count) {
        const std::string project =
            f.dir / ("out/breast_cancer_genetic_it-20_seed-" + std::to_string(seed) + ".prj");
        definicoes_projecto d;
        ASSERT_TRUE(le_ficheiro_projecto(project, d).ok) << project;
        ASSERT_EQ(d.Text1[slot::objectivo_erro], "0");
        d.Text1[slot::max_iteracoes] = count;
        test::Recorder view;
        ASSERT_TRUE(grava_projecto(d, project, view));
    };
    iterations(2, "32766");
    iterations(3, "32766");
    const std::string progress = f.dir / "progress";
    const pid_t pid = ::fork();
    ASSERT_GE(pid, 0);
    if (pid == 0) {
        const int fd = ::open(progress.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
        ::dup2(fd, 2);
        const std::string out = f.dir / "out";
        ::execl(CORVANE_EXE, CORVANE_EXE, "--run-macro", out.c_str(), "--jobs", "1",
                static_cast<char*>(nullptr));
        ::_exit(127);
    }
    // Stops the runner as soon as its first run has ended, while the second trains.
    for (int i = 0; i < 6000 && test::read_file(progress).find("[1/3]") == std::string::npos; ++i)
        ::usleep(10000);
    ::kill(pid, SIGTERM);
    int status = 0;
    ASSERT_EQ(::waitpid(pid, &status, 0), pid);
    ASSERT_TRUE(WIFEXITED(status));
    EXPECT_EQ(WEXITSTATUS(status), 1);
    EXPECT_NE(test::read_file(progress).find("interrupted; runs without a result: 2"),
              std::string::npos)
        << "progress: " << test::read_file(progress);
    EXPECT_TRUE(std::filesystem::exists(f.dir / "out/results/1.result"));
    EXPECT_FALSE(std::filesystem::exists(f.dir / "out/results/2.result"));

    // The runs that were cut short train again, at their planned length this time.
    iterations(2, "20");
    iterations(3, "20");
    EXPECT_EQ(f.corvane("--run-macro " + (f.dir / "out") + " --jobs 2 --resume"), 0) << f.err;
    EXPECT_EQ(std::count(f.err.begin(), f.err.end(), '\n'), 2) << f.err;
    EXPECT_TRUE(std::filesystem::exists(f.dir / "out/results/3.result"));
}

TEST(Jobs, BadCommandLines) {
    Folder f;
    for (const std::string& bad : std::vector<std::string>{
             "--run-macro m.mcr --resume", "--evaluate a.prj --jobs 2", "--evaluate a.prj --seed 1",
             "--train a.prj --seed -1", "--train a.prj --seed 4294967296", "--expand-sweep a b",
             "--train a.prj --max-runs 5", "--run-macro m.mcr --result r", "--summary"})
        EXPECT_EQ(f.corvane(bad), 2) << bad;
    EXPECT_EQ(f.corvane("--run-macro " + f.dir.path().string() + " --seed 3"), 2);
}

} // namespace
} // namespace corvane
