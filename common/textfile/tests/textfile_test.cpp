#include "textfile/textfile.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sstream>
#include <unistd.h>

namespace fs = std::filesystem;

namespace {

class WriteReplacing : public ::testing::Test {
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
    bool onlyTarget() const {
        return std::distance(fs::directory_iterator(dir), fs::directory_iterator{}) == 1;
    }
    fs::path dir;
};

} // namespace

TEST_F(WriteReplacing, WritesAndReplacesByteForByte) {
    const fs::path target = dir / "a.txt";
    ASSERT_TRUE(textfile::write_replacing(target.string(), std::string("1\r\n\0two\r\n", 9)));
    EXPECT_EQ(read(target), std::string("1\r\n\0two\r\n", 9));
    ASSERT_TRUE(textfile::write_replacing(target.string(), "new"));
    EXPECT_EQ(read(target), "new");
    EXPECT_TRUE(onlyTarget());
}

TEST_F(WriteReplacing, KeepsPermissionsAndRefusesReadOnlyFiles) {
    const fs::path target = dir / "a.txt";
    ASSERT_TRUE(textfile::write_replacing(target.string(), "old"));
    fs::permissions(target, fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read);
    ASSERT_TRUE(textfile::write_replacing(target.string(), "new"));
    EXPECT_EQ(fs::status(target).permissions(),
              fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read);
    fs::permissions(target, fs::perms::owner_read);
    EXPECT_FALSE(textfile::write_replacing(target.string(), "lost"));
    EXPECT_EQ(read(target), "new");
    EXPECT_TRUE(onlyTarget());
}

TEST_F(WriteReplacing, FailuresLeaveThePreviousFile) {
    EXPECT_FALSE(textfile::write_replacing("", "x"));
    EXPECT_FALSE(textfile::write_replacing(dir.string(), "x"));
    EXPECT_FALSE(textfile::write_replacing((dir / "missing" / "a.txt").string(), "x"));
    const fs::path target = dir / "a.txt";
    ASSERT_TRUE(textfile::write_replacing(target.string(), "old"));
    fs::permissions(dir, fs::perms::owner_read | fs::perms::owner_exec);
    if (::geteuid() != 0) { // root writes into read-only folders anyway
        EXPECT_FALSE(textfile::write_replacing(target.string(), "lost"));
        EXPECT_EQ(read(target), "old");
    }
    fs::permissions(dir, fs::perms::owner_all);
    EXPECT_TRUE(onlyTarget());
}

TEST_F(WriteReplacing, AFullDeviceLeavesThePreviousFile) {
    // /dev/full accepts the open but fails every write; the temporary file beside a target
    // there cannot be made, so try the write failure through a file that is a full device.
    if (!fs::exists("/dev/full")) GTEST_SKIP() << "no /dev/full";
    const fs::path target = dir / "a.txt";
    ASSERT_TRUE(textfile::write_replacing(target.string(), "old"));
    fs::create_symlink("/dev/full", dir / "a.txt.tmp~");
    EXPECT_FALSE(textfile::write_replacing(target.string(), std::string(1 << 16, 'x')));
    EXPECT_EQ(read(target), "old");
}
