#include <gtest/gtest.h>

#include <sys/stat.h>
#include <unistd.h>

#include <sys/resource.h>
#include <unistd.h>

#include <csignal>
#include <filesystem>
#include <iterator>

#include "engine/messages.h"
#include "engine/signal_file.h"
#include "engine/text_file.h"
#include "test_support.h"

namespace quillon {
namespace {

TEST(SignalText, SeparatorsAndLineEnds) {
    EXPECT_EQ(parse_signal("0\r\n1.5\r\n2.25\r\n"), (std::vector<float>{0.0f, 1.5f, 2.25f}));
    EXPECT_EQ(parse_signal("1, 2 3,4\n\n-5e-1\t6"),
              (std::vector<float>{1.0f, 2.0f, 3.0f, 4.0f, -0.5f, 6.0f}));
}

TEST(SignalText, CutAtTheMaximumWithoutComplaint) {
    std::string text;
    for (int i = 0; i < 2500; ++i)
        text += std::to_string(i) + "\n";
    text += "not a number\n"; // after the cut: never looked at
    auto samples = parse_signal(text);
    ASSERT_TRUE(samples);
    ASSERT_EQ(samples->size(), 2000u);
    EXPECT_EQ(samples->back(), 1999.0f);
}

TEST(SignalText, RefusesWhatIsNotASignal) {
    EXPECT_EQ(parse_signal(""), std::nullopt);
    EXPECT_EQ(parse_signal(" \r\n,,"), std::nullopt);
    EXPECT_EQ(parse_signal("1,2,x,4"), std::nullopt);
    EXPECT_EQ(parse_signal("1e39"), std::nullopt);
    EXPECT_EQ(parse_signal("1e400"), std::nullopt);
}

TEST(ReadSignal, StoresTheSignalAndItsRange) {
    test::TempFile f("signal.txt", "3, -1.5\r\n7\r\n");
    Analysis a;
    ASSERT_EQ(read_signal(a, f.path()), std::nullopt);
    EXPECT_EQ(a.na, 3);
    EXPECT_EQ(a.mode, Mode::signal_only);
    EXPECT_EQ(a.ymin, -1.5f);
    EXPECT_EQ(a.ymax, 7.0f);
    EXPECT_EQ(a.approx[2], -1.5f);
    EXPECT_DOUBLE_EQ(a.scaleHeight, 10.5);
}

TEST(ReadSignal, FailureKeepsThePreviousSignal) {
    test::TempFile good("good.txt", "1 2 3 4 5");
    Analysis a;
    ASSERT_EQ(read_signal(a, good.path()), std::nullopt);
    a.mode = Mode::approximated;
    const Analysis before = a;
    test::TempFile bad("bad.txt", "9 9 oops 9");
    EXPECT_EQ(read_signal(a, bad.path()), msg::file_error);
    test::TempFile binary("bin.dat", std::string("\x7f"
                                                 "ELF\0\0\x01\x02",
                                                 8));
    EXPECT_EQ(read_signal(a, binary.path()), msg::file_error);
    EXPECT_EQ(read_signal(a, good.dir()), msg::file_error) << "a folder is no file";
    EXPECT_EQ(read_signal(a, good.dir() + "/none.txt"), msg::file_error);
    EXPECT_EQ(a.y, before.y);
    EXPECT_EQ(a.na, before.na);
    EXPECT_EQ(a.mode, before.mode);
}

TEST(ReadSignal, AByteOrderMarkAloneOrANulSeparatorIsNoSignal) {
    test::TempFile good("good.txt", "1 2 3");
    Analysis a;
    ASSERT_EQ(read_signal(a, good.path()), std::nullopt);
    test::TempFile mark("mark.txt", "\xEF\xBB\xBF");
    EXPECT_EQ(read_signal(a, mark.path()), msg::file_error);
    test::TempFile nul("nul.txt", std::string("4\0"
                                              "5\0"
                                              "6",
                                              5));
    EXPECT_EQ(read_signal(a, nul.path()), msg::file_error);
    EXPECT_EQ(a.na, 3);
    EXPECT_EQ(a.y[3], 3.0f);
    // The mark before numbers is dropped and the numbers read.
    test::TempFile marked("marked.txt", "\xEF\xBB\xBF"
                                        "4 5");
    ASSERT_EQ(read_signal(a, marked.path()), std::nullopt);
    EXPECT_EQ(a.na, 2);
    EXPECT_EQ(a.y[1], 4.0f);
}

TEST(TextFile, MarksAndControlCharacters) {
    EXPECT_EQ(checked_text("\xEF\xBB\xBF"
                           "1,2"),
              "1,2");
    EXPECT_EQ(checked_text("1,2\r\n\x1A garbage \x01"), "1,2\r\n");
    EXPECT_EQ(checked_text("1\t2"), "1\t2");
    EXPECT_EQ(checked_text(std::string("1\0"
                                       "2",
                                       3)),
              std::nullopt);
    EXPECT_EQ(checked_text("1\x1b[2"), std::nullopt);
}

TEST(TextFile, LongFilesAreRefusedNeverCut) {
    test::TempFile lines("long.txt", "111\r\n222\r\n333");
    const TextFileRead cut = read_text_file(lines.path(), 12);
    EXPECT_EQ(cut.text, std::nullopt);
    EXPECT_EQ(cut.failure, msg::file_too_large);
    EXPECT_EQ(read_text_file(lines.path(), 13).text, "111\r\n222\r\n333");
    // Ten numbers, more blanks than the reader takes, ten numbers: all or nothing.
    Analysis a;
    test::TempFile spread("spread.txt", std::string("1 2 3 4 5 6 7 8 9 10") +
                                            std::string(300, ' ') + "1 2 3 4 5 6 7 8 9 10");
    EXPECT_EQ(read_text_file(spread.path(), 100).failure, msg::file_too_large);
    ASSERT_EQ(read_signal(a, spread.path()), std::nullopt);
    EXPECT_EQ(a.na, 20);
}

TEST(TextFile, WhatIsNotARegularFileIsRefusedAtOnce) {
    test::TempFile f("x.txt", "1 2");
    const std::string fifo = f.dir() + "/fifo";
    ASSERT_EQ(::mkfifo(fifo.c_str(), 0600), 0);
    Analysis a;
    for (const std::string& path : {fifo, std::string("/dev/zero"), f.dir()})
        EXPECT_EQ(read_signal(a, path), msg::file_error) << path;
    ::unlink(fifo.c_str());
}

TEST(TextFile, WriteReplacesAndFailureKeeps) {
    test::TempFile f("out.txt", "old");
    ASSERT_TRUE(write_text_file(f.path(), "new\r\n"));
    EXPECT_EQ(f.read(), "new\r\n");
    EXPECT_FALSE(write_text_file(f.dir() + "/no/such/folder/x.txt", "x"));
    EXPECT_FALSE(write_text_file(f.dir(), "x")) << "a folder cannot be replaced";
    EXPECT_EQ(f.read(), "new\r\n");
}

// A save that cannot be completed leaves the previous file as it was and no temporary file.
TEST(TextFile, IncompleteSavesKeepThePreviousFile) {
    namespace fs = std::filesystem;
    test::TempFile f("kept.txt", "previous\r\n");
    auto only_the_file = [&] {
        EXPECT_EQ(f.read(), "previous\r\n");
        EXPECT_EQ(std::distance(fs::directory_iterator(f.dir()), fs::directory_iterator()), 1);
    };
    {
        // The writer fails midway: the process may write only 4 KiB into any file.
        std::signal(SIGXFSZ, SIG_IGN);
        rlimit saved{};
        ASSERT_EQ(getrlimit(RLIMIT_FSIZE, &saved), 0);
        rlimit small = saved;
        small.rlim_cur = 4096;
        ASSERT_EQ(setrlimit(RLIMIT_FSIZE, &small), 0);
        const bool written = write_text_file(f.path(), std::string(1 << 20, 'x'));
        setrlimit(RLIMIT_FSIZE, &saved);
        EXPECT_FALSE(written);
        only_the_file();
    }
    if (::geteuid() != 0) { // root may write any file
        fs::permissions(f.path(), fs::perms::owner_read | fs::perms::group_read);
        EXPECT_FALSE(write_text_file(f.path(), "new")) << "a read-only file is not replaced";
        only_the_file();
    }
    fs::permissions(f.path(), fs::perms::owner_read | fs::perms::owner_write);
    ASSERT_TRUE(write_text_file(f.path(), "new"));
    EXPECT_EQ(fs::status(f.path()).permissions(), fs::perms::owner_read | fs::perms::owner_write)
        << "a replaced file keeps its permissions";
}

TEST(TextFile, ReadOnlyFolderKeepsThePreviousFile) {
    namespace fs = std::filesystem;
    test::TempFile f("kept.txt", "previous");
    fs::permissions(f.dir(), fs::perms::owner_read | fs::perms::owner_exec);
    const bool folder_writable = access(f.dir().c_str(), W_OK) == 0; // as root it stays so
    const bool written = !folder_writable && write_text_file(f.path(), "new");
    fs::permissions(f.dir(), fs::perms::owner_all);
    if (folder_writable) GTEST_SKIP() << "folder permissions do not bind this user";
    EXPECT_FALSE(written);
    EXPECT_EQ(f.read(), "previous");
    EXPECT_EQ(std::distance(fs::directory_iterator(f.dir()), fs::directory_iterator()), 1);
}

} // namespace
} // namespace quillon
