#include "textfile/textfile.h"

#include <gtest/gtest.h>

#include <chrono>
#include <csignal>
#include <filesystem>
#include <fstream>
#include <sstream>

#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

namespace fs = std::filesystem;

namespace {

class TextFile : public ::testing::Test {
protected:
    void SetUp() override {
        dir = fs::temp_directory_path() /
              ("textfile_" + std::to_string(::getpid()) + "_" +
               ::testing::UnitTest::GetInstance()->current_test_info()->name());
        fs::create_directories(dir);
    }
    void TearDown() override {
        std::error_code ec;
        fs::permissions(dir, fs::perms::owner_all, ec);
        fs::remove_all(dir, ec);
    }
    static std::string read(const fs::path& p) {
        std::ifstream in(p, std::ios::binary);
        std::ostringstream s;
        s << in.rdbuf();
        return s.str();
    }
    static void put(const fs::path& p, const std::string& bytes) {
        std::ofstream(p, std::ios::binary) << bytes;
    }
    std::size_t entries() const {
        return static_cast<std::size_t>(
            std::distance(fs::directory_iterator(dir), fs::directory_iterator{}));
    }
    static bool isRoot() { return ::geteuid() == 0; }
    fs::path dir;
};

using WriteReplacing = TextFile;
using ReadWhole = TextFile;

} // namespace

TEST_F(WriteReplacing, WritesAndReplacesByteForByte) {
    const fs::path target = dir / "a.txt";
    ASSERT_TRUE(textfile::write_replacing(target.string(), std::string("1\r\n\0two\r\n", 9)));
    EXPECT_EQ(read(target), std::string("1\r\n\0two\r\n", 9));
    ASSERT_TRUE(textfile::write_replacing(target.string(), "new"));
    EXPECT_EQ(read(target), "new");
    ASSERT_TRUE(textfile::write_replacing(target.string(), ""));
    EXPECT_EQ(read(target), "");
    EXPECT_EQ(entries(), 1u);
}

TEST_F(WriteReplacing, NewFilesGetTheUsualModeAndReplacedFilesKeepTheirs) {
    const mode_t mask = ::umask(022);
    const fs::path target = dir / "a.txt";
    ASSERT_TRUE(textfile::write_replacing(target.string(), "old"));
    EXPECT_EQ(fs::status(target).permissions(), fs::perms(0644));
    fs::permissions(target, fs::perms(0640));
    ASSERT_TRUE(textfile::write_replacing(target.string(), "new"));
    EXPECT_EQ(fs::status(target).permissions(), fs::perms(0640));
    ::umask(mask);
}

// Runs `check` in a child process as a user who is not root (the process's own user when it is
// not root itself); true when the check held there.
template <class Check> bool asPlainUser(Check check) {
    const pid_t child = ::fork();
    if (child < 0) return false;
    if (child == 0) {
        if (::geteuid() == 0 && (::setgid(65534) != 0 || ::setuid(65534) != 0)) ::_exit(2);
        ::_exit(check() ? 0 : 1);
    }
    int status = 0;
    ::waitpid(child, &status, 0);
    return WIFEXITED(status) && WEXITSTATUS(status) == 0;
}

TEST_F(WriteReplacing, PermissionIsWhatTheSystemSaysAndTheReasonIsGiven) {
    const fs::path target = dir / "a.txt";
    ASSERT_TRUE(textfile::write_replacing(target.string(), "old"));
    fs::permissions(dir, fs::perms::all);
    struct stat before {};
    ::stat(target.c_str(), &before);
    const std::string mine = (dir / "mine.txt").string();

    // Another user's file that this user may not write, in a folder anyone may write: refused,
    // though the folder would let the file be replaced; a new file there is fine. (Run by a
    // plain user, the file is that user's own, read-only.)
    fs::permissions(target, isRoot() ? fs::perms(0644) : fs::perms(0444));
    EXPECT_TRUE(asPlainUser([&] {
        auto refused = textfile::write_replacing(target.string(), "lost");
        return !refused && refused.reason == target.string() + ": Permission denied" &&
               textfile::write_replacing(mine, "mine");
    }));
    fs::remove(mine);
    EXPECT_EQ(read(target), "old");

    // A file anyone may write, in a folder this user may not write: no new file can be made
    // there, and the reason names the folder.
    fs::permissions(target, fs::perms(0666));
    fs::permissions(dir, fs::perms(0755));
    EXPECT_TRUE(asPlainUser([&] {
        auto refused = textfile::write_replacing(target.string(), "lost");
        return !refused && refused.reason == dir.string() + ": Permission denied";
    }));
    fs::permissions(dir, fs::perms::owner_all);
    struct stat after {};
    ::stat(target.c_str(), &after);
    EXPECT_EQ(read(target), "old");
    EXPECT_EQ(after.st_uid, before.st_uid);
    EXPECT_EQ(entries(), 1u);
}

TEST_F(WriteReplacing, RefusesWhatIsNotARegularFile) {
    EXPECT_FALSE(textfile::write_replacing("", "x"));
    EXPECT_EQ(textfile::write_replacing(dir.string(), "x").reason,
              dir.string() + ": Is a directory");
    EXPECT_EQ(textfile::write_replacing((dir / "missing" / "a.txt").string(), "x").reason,
              (dir / "missing").string() + ": No such file or directory");
    ASSERT_EQ(::mkfifo((dir / "fifo").c_str(), 0600), 0);
    EXPECT_EQ(textfile::write_replacing((dir / "fifo").string(), "x").reason,
              (dir / "fifo").string() + ": not a regular file");
    EXPECT_TRUE(fs::is_fifo(dir / "fifo"));
    EXPECT_EQ(entries(), 1u);
}

TEST_F(WriteReplacing, APlantedLinkAtAGuessableNameIsNeverWrittenThrough) {
    const fs::path victim = dir / "victim";
    put(victim, "precious");
    const fs::path target = dir / "x.wgt";
    for (const char* planted : {"x.wgt.tmp~", ".x.wgt.tmp", "x.wgt~", ".x.wgt.XXXXXX"})
        fs::create_symlink(victim, dir / planted);
    ASSERT_TRUE(textfile::write_replacing(target.string(), "weights"));
    EXPECT_EQ(read(victim), "precious");
    EXPECT_EQ(read(target), "weights");
    EXPECT_FALSE(fs::is_symlink(target));
}

TEST_F(WriteReplacing, ALinkStaysALinkAndItsFileIsReplaced) {
    fs::create_directories(dir / "real");
    put(dir / "real" / "w.wgt", "old");
    fs::permissions(dir / "real" / "w.wgt", fs::perms(0604));
    // A relative link to a link to the file, from another folder.
    fs::create_symlink("real/w.wgt", dir / "inner");
    fs::create_directories(dir / "project");
    fs::create_symlink("../inner", dir / "project" / "w.wgt");
    ASSERT_TRUE(textfile::write_replacing((dir / "project" / "w.wgt").string(), "new"));
    EXPECT_TRUE(fs::is_symlink(dir / "project" / "w.wgt"));
    EXPECT_TRUE(fs::is_symlink(dir / "inner"));
    EXPECT_EQ(read(dir / "real" / "w.wgt"), "new");
    EXPECT_EQ(fs::status(dir / "real" / "w.wgt").permissions(), fs::perms(0604));
    EXPECT_EQ(std::distance(fs::directory_iterator(dir / "real"), fs::directory_iterator{}), 1);

    // A link to nowhere gets its file made; a loop of links is refused.
    fs::create_symlink("made.txt", dir / "dangling");
    ASSERT_TRUE(textfile::write_replacing((dir / "dangling").string(), "made"));
    EXPECT_EQ(read(dir / "made.txt"), "made");
    fs::create_symlink("loop2", dir / "loop1");
    fs::create_symlink("loop1", dir / "loop2");
    EXPECT_EQ(textfile::write_replacing((dir / "loop1").string(), "x").reason,
              (dir / "loop1").string() + ": Too many levels of symbolic links");
}

TEST_F(WriteReplacing, NamesUpToTheLongestTheSystemAllowsAreSaved) {
    for (std::size_t length : {251u, 254u, 255u}) {
        const fs::path target = dir / std::string(length, 'n');
        ASSERT_TRUE(textfile::write_replacing(target.string(), "x")) << length;
        EXPECT_EQ(read(target), "x");
        fs::remove(target);
    }
    // A long name of several-byte characters: the temporary name is cut between characters.
    std::string wide;
    while (wide.size() + 2 <= 254)
        wide += "\xC3\xA9";
    ASSERT_TRUE(textfile::write_replacing((dir / wide).string(), "e"));
    EXPECT_EQ(read(dir / wide), "e");
    EXPECT_EQ(entries(), 1u);
}

TEST_F(WriteReplacing, AWriteThatFailsMidwayLeavesThePreviousFileAndNoTemporary) {
    const fs::path target = dir / "a.txt";
    ASSERT_TRUE(textfile::write_replacing(target.string(), "old"));
    // In a child whose files may not grow past 4 KiB, the way a full disk stops a write.
    const pid_t child = ::fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
        std::signal(SIGXFSZ, SIG_IGN);
        const rlimit limit{4096, 4096};
        ::setrlimit(RLIMIT_FSIZE, &limit);
        auto r = textfile::write_replacing(target.string(), std::string(1 << 16, 'x'));
        ::_exit(!r && r.reason == target.string() + ": File too large" ? 0 : 1);
    }
    int status = 0;
    ::waitpid(child, &status, 0);
    EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0);
    EXPECT_EQ(read(target), "old");
    EXPECT_EQ(entries(), 1u);
}

TEST_F(WriteReplacing, TwoProcessesSavingOneFileEachLandWhole) {
    const fs::path target = dir / "w.wgt";
    // Each writer's content is recognisable as a whole: 12,000 lines of its own digit.
    auto content = [](char digit) {
        std::string s;
        for (int i = 0; i < 12000; ++i)
            s += std::string(8, digit) + "\r\n";
        return s;
    };
    const std::string first = content('1'), second = content('2');
    pid_t writers[2];
    for (int w = 0; w < 2; ++w) {
        writers[w] = ::fork();
        ASSERT_GE(writers[w], 0);
        if (writers[w] == 0) {
            for (int i = 0; i < 40; ++i)
                if (!textfile::write_replacing(target.string(), w == 0 ? first : second))
                    ::_exit(1);
            ::_exit(0);
        }
    }
    // Whatever moment the file is read at, it is one writer's whole content.
    int seen = 0;
    for (int alive = 2; alive > 0;) {
        const std::string now = read(target);
        if (!now.empty()) {
            ++seen;
            ASSERT_TRUE(now == first || now == second);
        }
        for (pid_t& w : writers) {
            int status = 0;
            if (w > 0 && ::waitpid(w, &status, WNOHANG) == w) {
                EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0);
                w = 0;
                --alive;
            }
        }
    }
    const std::string last = read(target);
    EXPECT_TRUE(last == first || last == second);
    EXPECT_GT(seen, 0);
    EXPECT_EQ(entries(), 1u);
}

TEST_F(ReadWhole, ReadsRegularFilesAndLinksToThemWithoutTheirMark) {
    put(dir / "a.txt", "\xEF\xBB\xBF"
                       "1\r\n2\r\n");
    fs::create_symlink("a.txt", dir / "link");
    for (const char* name : {"a.txt", "link"}) {
        const auto r = textfile::read_whole((dir / name).string());
        ASSERT_TRUE(r.ok()) << r.reason;
        EXPECT_EQ(r.bytes, "1\r\n2\r\n");
    }
    put(dir / "mark", "\xEF\xBB\xBF");
    EXPECT_EQ(textfile::read_whole((dir / "mark").string()).bytes, "");
    put(dir / "binary", std::string("\0\x01\xFF", 3));
    EXPECT_EQ(textfile::read_whole((dir / "binary").string()).bytes, std::string("\0\x01\xFF", 3));
}

TEST_F(ReadWhole, RefusesAtOnceWhatIsNotARegularFile) {
    using Status = textfile::ReadResult::Status;
    ASSERT_EQ(::mkfifo((dir / "fifo").c_str(), 0600), 0);
    fs::create_symlink("fifo", dir / "to_fifo");
    const auto start = std::chrono::steady_clock::now();
    for (const fs::path& p : {dir / "fifo", dir / "to_fifo", dir, fs::path("/dev/zero")}) {
        const auto r = textfile::read_whole(p.string());
        EXPECT_EQ(r.status, Status::not_regular) << p;
        EXPECT_EQ(r.reason, p.string() + ": not a regular file");
    }
    EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(2));
    EXPECT_EQ(textfile::read_whole((dir / "none").string()).status, Status::missing);
    EXPECT_EQ(textfile::read_whole("").status, Status::missing);
    fs::create_symlink("none", dir / "dangling");
    EXPECT_EQ(textfile::read_whole((dir / "dangling").string()).status, Status::missing);
    if (!isRoot()) {
        put(dir / "secret", "x");
        fs::permissions(dir / "secret", fs::perms::none);
        const auto r = textfile::read_whole((dir / "secret").string());
        EXPECT_EQ(r.status, Status::unreadable);
        EXPECT_EQ(r.reason, (dir / "secret").string() + ": Permission denied");
    }
}

TEST_F(ReadWhole, AFileOverTheLimitIsRefusedWholeNeverCut) {
    put(dir / "a", std::string(1000, '1'));
    EXPECT_TRUE(textfile::read_whole((dir / "a").string(), 1000).ok());
    const auto r = textfile::read_whole((dir / "a").string(), 999);
    EXPECT_EQ(r.status, textfile::ReadResult::Status::too_large);
    EXPECT_TRUE(r.bytes.empty());
    // A sparse file of 300 MB is refused by its size, before anything is read.
    std::ofstream(dir / "big").close();
    fs::resize_file(dir / "big", 300'000'000);
    const auto start = std::chrono::steady_clock::now();
    const auto big = textfile::read_whole((dir / "big").string());
    EXPECT_EQ(big.status, textfile::ReadResult::Status::too_large);
    EXPECT_EQ(big.reason, (dir / "big").string() + ": larger than 256 MiB");
    EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(1));
}

TEST_F(ReadWhole, PiecesAddUpToTheFileAndMeetTheSameRefusals) {
    using Status = textfile::ReadResult::Status;
    std::string content;
    for (int i = 0; content.size() < 100'000; ++i)
        content += std::to_string(i * 7919 % 1000) + "\t" + std::to_string(i) + "\r\n";
    put(dir / "a.txt", "\xEF\xBB\xBF" + content);
    textfile::PieceReader file((dir / "a.txt").string());
    ASSERT_TRUE(file.status().ok()) << file.status().reason;
    std::string read;
    std::size_t pieces = 0;
    for (std::size_t n; (n = file.read_more(read, 4096)) > 0; ++pieces)
        EXPECT_LE(n, 4096u);
    EXPECT_EQ(read, content);
    EXPECT_GT(pieces, 20u);
    EXPECT_TRUE(file.status().ok());

    // What read_whole refuses is refused when the reader is made, before anything is read.
    ASSERT_EQ(::mkfifo((dir / "fifo").c_str(), 0600), 0);
    std::ofstream(dir / "big").close();
    fs::resize_file(dir / "big", 300'000'000);
    const auto start = std::chrono::steady_clock::now();
    for (const fs::path& p :
         {dir / "fifo", dir, fs::path("/dev/zero"), dir / "none", dir / "big"}) {
        textfile::PieceReader refused(p.string());
        const auto whole = textfile::read_whole(p.string());
        EXPECT_EQ(refused.status().status, whole.status) << p;
        EXPECT_EQ(refused.status().reason, whole.reason) << p;
        EXPECT_NE(refused.status().status, Status::ok) << p;
        std::string none;
        EXPECT_EQ(refused.read_more(none, 4096), 0u) << p;
        EXPECT_TRUE(none.empty()) << p;
    }
    EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(2));
    // A limit passed while reading (the file grew) ends the reading as too large.
    put(dir / "b", std::string(5000, '1'));
    textfile::PieceReader grown((dir / "b").string(), 5000);
    ASSERT_TRUE(grown.status().ok());
    put(dir / "b", std::string(9000, '1'));
    std::string got;
    while (grown.read_more(got, 1000) > 0) {
    }
    EXPECT_EQ(grown.status().status, Status::too_large);
}

TEST(LooksWide, TellsSixteenBitTextFromBytes) {
    using namespace std::string_literals;
    EXPECT_TRUE(textfile::looks_wide("\xFF\xFE"
                                     "1\0\t\0"
                                     "2\0"s));
    EXPECT_TRUE(textfile::looks_wide("\xFE\xFF\0"
                                     "1"s));
    EXPECT_TRUE(textfile::looks_wide("1\0\t\0"
                                     "2\0\r\0\n\0"s));
    EXPECT_TRUE(textfile::looks_wide("\0"
                                     "1\0\t\0"
                                     "2\0\r\0\n"s));
    EXPECT_FALSE(textfile::looks_wide("1\t2\r\n3\t4\r\n"));
    EXPECT_FALSE(textfile::looks_wide("1\t2"));
    EXPECT_FALSE(textfile::looks_wide(""));
}
