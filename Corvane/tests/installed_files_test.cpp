// Finding the installed files, and the user's writable copies of the examples and the help.
#include "engine/installed_files.h"
#include "test_files.h"

#include <gtest/gtest.h>

#include <unistd.h>

namespace corvane {
namespace {

namespace fs = std::filesystem;
using test::read_file;
using test::TempDir;
using test::write_file;

TEST(InstalledFiles, DataFolderIsTheShareSiblingOfBin) {
    TempDir d;
    fs::create_directories(d.path() / "usr/bin");
    fs::create_directories(d.path() / "build/Corvane");
    EXPECT_EQ(installed_data_folder(d.path() / "usr/bin"), fs::path());
    fs::create_directories(d.path() / "usr/share/Corvane");
    EXPECT_EQ(installed_data_folder(d.path() / "usr/bin"), d.path() / "usr/share/Corvane");
    fs::create_directories(d.path() / "build/share/Corvane");
    EXPECT_EQ(installed_data_folder(d.path() / "build/Corvane"), fs::path());
}

// An installed examples folder with a project beside its data and a sub-folder.
struct Examples {
    TempDir d;
    fs::path installed = d.path() / "share/examples";
    fs::path user = d.path() / "home/examples";
    Examples() {
        fs::create_directories(installed / "more");
        write_file((installed / "xor.prj").string(), "\"xor.txt\"\r\n");
        write_file((installed / "xor.txt").string(), "0\t1\r\n");
        write_file((installed / "more/two.mcr").string(), "\"../xor.prj\"\r\n");
        fs::permissions(installed / "xor.prj", fs::perms::owner_read | fs::perms::group_read);
    }
};

TEST(InstalledFiles, AnInstalledExampleOpensFromTheUsersCopyMadeOnFirstUse) {
    Examples e;
    // A file elsewhere is opened where it is, and nothing is copied.
    const std::string other = e.d / "mine.prj";
    EXPECT_EQ(user_copy_of_example(other, e.installed, e.user), other);
    EXPECT_FALSE(fs::exists(e.user));

    // The first example named copies them all; the copy is writable by its owner.
    const std::string copy =
        user_copy_of_example((e.installed / "xor.prj").string(), e.installed, e.user);
    EXPECT_EQ(copy, (e.user / "xor.prj").string());
    EXPECT_EQ(read_file(copy), "\"xor.txt\"\r\n");
    EXPECT_EQ(read_file((e.user / "more/two.mcr").string()), "\"../xor.prj\"\r\n");
    EXPECT_NE(fs::status(copy).permissions() & fs::perms::owner_write, fs::perms::none);
    EXPECT_FALSE(fs::exists(e.user.string() + ".part"));

    // The user's copy, trained since, is kept; a path reaching the example through ".."
    // is recognised.
    write_file(copy, "trained");
    const fs::path roundabout = e.installed / "more/../xor.prj";
    EXPECT_EQ(user_copy_of_example(roundabout.string(), e.installed, e.user), copy);
    EXPECT_EQ(read_file(copy), "trained");
    EXPECT_EQ(user_copy_of_example((e.installed / "more/two.mcr").string(), e.installed, e.user),
              (e.user / "more/two.mcr").string());
}

TEST(InstalledFiles, WithoutAUsableCopyTheNamedFileOpens) {
    Examples e;
    const std::string example = (e.installed / "xor.prj").string();
    // No installed folder known (a build folder), or the installed folder itself named.
    EXPECT_EQ(user_copy_of_example(example, fs::path(), e.user), example);
    EXPECT_EQ(user_copy_of_example(e.installed.string(), e.installed, e.user),
              e.installed.string());
    // The user's folder cannot be made: a plain file stands where its parent should be.
    write_file((e.d.path() / "home").string(), "");
    EXPECT_EQ(user_copy_of_example(example, e.installed, e.user), example);
    // A user copy made before this example was installed keeps its files and opens the named one.
    fs::remove(e.d.path() / "home");
    fs::create_directories(e.user);
    EXPECT_EQ(user_copy_of_example(example, e.installed, e.user), example);
}

TEST(InstalledFiles, HelpInAFolderTheUserCannotWriteOpensFromARefreshedCopy) {
    TempDir d;
    const fs::path share = d.path() / "share", cache = d.path() / "cache/help";
    fs::create_directories(share);
    write_file((share / "Corvane.qhc").string(), "collection");
    write_file((share / "Corvane.qch").string(), "pages");
    write_file((share / "notes.txt").string(), "other");
    // A writable folder: the collection itself.
    EXPECT_EQ(writable_help_collection(share / "Corvane.qhc", cache), (share / "Corvane.qhc"));
    EXPECT_FALSE(fs::exists(cache));
    if (::geteuid() == 0) GTEST_SKIP() << "every folder is writable for root";

    fs::permissions(share, fs::perms::owner_read | fs::perms::owner_exec);
    EXPECT_EQ(writable_help_collection(share / "Corvane.qhc", cache), (cache / "Corvane.qhc"));
    EXPECT_EQ(read_file((cache / "Corvane.qch").string()), "pages");
    EXPECT_FALSE(fs::exists(cache / "notes.txt"));
    // A copy as new as the installed collection is kept (the search index beside it stays
    // valid); a new installed version replaces it.
    write_file((cache / "Corvane.qhc").string(), "COLLECTION");
    fs::last_write_time(cache / "Corvane.qhc", fs::last_write_time(share / "Corvane.qhc"));
    writable_help_collection(share / "Corvane.qhc", cache);
    EXPECT_EQ(read_file((cache / "Corvane.qhc").string()), "COLLECTION");
    fs::permissions(share, fs::perms::owner_all);
    write_file((share / "Corvane.qch").string(), "new pages");
    fs::permissions(share, fs::perms::owner_read | fs::perms::owner_exec);
    writable_help_collection(share / "Corvane.qhc", cache);
    EXPECT_EQ(read_file((cache / "Corvane.qch").string()), "new pages");
    fs::permissions(share, fs::perms::owner_all);
}

} // namespace
} // namespace corvane
