#include "cli/cli.h"

#include <gtest/gtest.h>

#include <array>
#include <filesystem>
#include <fstream>
#include <sstream>

namespace {

using Args = std::vector<std::string>;

TEST(Cli, OneRuleDecidesBetweenTheWindowAndTheBatchMode) {
    EXPECT_EQ(cli::how_to_start({}, true), cli::Start::window);
    EXPECT_EQ(cli::how_to_start({"x.prj"}, true), cli::Start::window);
    EXPECT_EQ(cli::how_to_start({"x.prj"}, false), cli::Start::batch);
    EXPECT_EQ(cli::how_to_start({"-h"}, true), cli::Start::batch);
    EXPECT_EQ(cli::how_to_start({""}, true), cli::Start::batch);
    EXPECT_EQ(cli::how_to_start({"a", "b"}, true), cli::Start::batch);
}

constexpr std::array<cli::OptionSpec, 3> kKnown{{{"--file", 1}, {"--label", 2}, {"--edition", 0}}};

TEST(Cli, OptionsAreReadInOrderWithTheirValues) {
    const cli::ReadOptions read = cli::read_options(
        {"--file", "a", "--edition", "--label", "1", "-2", "--file", "--edition"}, kKnown);
    ASSERT_EQ(read.error, "");
    ASSERT_EQ(read.given.size(), 4u);
    EXPECT_EQ(read.given[2].values, (Args{"1", "-2"}));
    // The last one given wins, and a value is whatever argument follows.
    ASSERT_NE(read.value("--file"), nullptr);
    EXPECT_EQ(*read.value("--file"), "--edition");
    EXPECT_TRUE(read.has("--edition"));
    EXPECT_FALSE(read.has("--other"));
}

TEST(Cli, BadCommandLinesSayWhatIsWrongAndHelpWinsEverywhere) {
    EXPECT_EQ(cli::read_options({"--file"}, kKnown).error, "--file needs a value");
    EXPECT_EQ(cli::read_options({"--label", "1"}, kKnown).error, "--label needs 2 values");
    EXPECT_EQ(cli::read_options({"--edition", "x"}, kKnown).error, "unknown option x");
    const cli::ReadOptions help = cli::read_options({"--bogus", "--file", "-h"}, kKnown);
    EXPECT_TRUE(help.help);
    EXPECT_EQ(help.error, "");

    const cli::Stop stop = cli::bad_command_line("Pellin", "unknown option x", "Usage: ...\n");
    EXPECT_EQ(stop.status, cli::status_bad_command_line);
    EXPECT_EQ(stop.text, "Pellin: unknown option x\n\nUsage: ...\n");
    std::ostringstream out, err;
    EXPECT_EQ(cli::report(stop, out, err), 2);
    EXPECT_EQ(out.str(), "");
    EXPECT_EQ(cli::report(cli::help("Usage\n"), out, err), 0);
    EXPECT_EQ(out.str(), "Usage\n");
}

TEST(Cli, WholeNumbersAreDecimalDigitsWithinTheirRange) {
    EXPECT_EQ(cli::whole_number("42", 0, 100), 42);
    EXPECT_EQ(cli::whole_number("0", 0, 100), 0); // both ends belong to the range
    EXPECT_EQ(cli::whole_number("100", 0, 100), 100);
    EXPECT_EQ(cli::whole_number("-3", -5, 5), -3);
    for (const char* bad :
         {"", "+4", " 4", "4 ", "4.0", "1e2", "0x10", "101", "-1", "99999999999999999999999"})
        EXPECT_EQ(cli::whole_number(bad, 0, 100), std::nullopt) << bad;
}

TEST(Cli, EveryLineEndOfAMessageIsWrittenTheSameWay) {
    std::ostringstream out;
    cli::write_message(out, "Title", "one\r\ntwo\nthree\rfour\n");
    cli::write_result(out, "Label1", "a\nb");
    EXPECT_EQ(out.str(), "MsgBox\tTitle\tone\\ntwo\\nthree\\nfour\\n\nLabel1\ta\\nb\n");
}

TEST(Cli, ExportOptionsAreTakenOutOfTheCommandLine) {
    Args args{"--set",   "1", "--export-png", "a.png", "--scale", "3",
              "--steps", "2", "--export-csv", "t.csv"};
    const cli::TakenExports taken = cli::take_export_options(args);
    EXPECT_EQ(taken.error, "");
    EXPECT_EQ(args, (Args{"--set", "1", "--steps", "2"}));
    EXPECT_EQ(taken.exports.png, "a.png");
    EXPECT_EQ(taken.exports.csv, "t.csv");
    EXPECT_EQ(taken.exports.scale, 3.0);
    EXPECT_TRUE(taken.exports.wantsFigure());
    for (Args bad : {Args{"--export-svg"}, Args{"--scale", "0.5"}, Args{"--scale", "3x"},
                     Args{"--export-csv", ""}})
        EXPECT_NE(cli::take_export_options(bad).error, "") << bad.front();
}

TEST(Cli, TheTableIsSavedOrTheFailureIsAMessageBox) {
    const auto folder = std::filesystem::temp_directory_path() / "cli_test_export";
    std::filesystem::create_directories(folder);
    csv::Table table;
    table.header = {"a", "b"};
    table.rows = {{csv::number(1.5), "x, y"}};
    cli::Exports exports;
    std::ostringstream out;
    EXPECT_EQ(cli::write_table_export(exports, table, "T", out), 0); // nothing asked for

    exports.csv = (folder / "t.csv").string();
    EXPECT_EQ(cli::write_table_export(exports, table, "T", out), 0);
    std::ifstream in(exports.csv);
    std::stringstream written;
    written << in.rdbuf();
    EXPECT_EQ(written.str(), csv::to_csv(table));
    EXPECT_EQ(out.str(), "");

    EXPECT_EQ(cli::write_table_export(exports, std::nullopt, "T", out), 1);
    exports.csv = folder.string(); // a folder cannot be replaced by a file
    EXPECT_EQ(cli::write_table_export(exports, table, "T", out), 1);
    EXPECT_EQ(out.str(), "MsgBox\tT\tThe file " + (folder / "t.csv").string() +
                             " could not be written.\nMsgBox\tT\tThe file " + folder.string() +
                             " could not be written.\n");
    std::filesystem::remove_all(folder);
}

TEST(Cli, FiguresGoThroughTheHookOrEachFileAskedForIsAFailure) {
    cli::Exports exports;
    std::ostringstream out;
    int calls = 0;
    const cli::FigureFiles<int> hook = [&](const cli::Exports&, const int& results, std::ostream&) {
        return ++calls, results;
    };
    EXPECT_EQ(cli::write_figure_exports(exports, hook, 1, "T", out), 0); // nothing asked for
    exports.csv = "t.csv";
    EXPECT_EQ(cli::write_figure_exports(exports, hook, 1, "T", out), 0); // a table is no figure
    EXPECT_EQ(calls, 0);

    exports.svg = "f.svg";
    exports.pdf = "f.pdf";
    EXPECT_EQ(cli::write_figure_exports(exports, hook, 1, "T", out), 1);
    EXPECT_EQ(calls, 1);
    EXPECT_EQ(out.str(), "");
    EXPECT_EQ(cli::write_figure_exports(exports, cli::FigureFiles<int>{}, 0, "T", out), 1);
    EXPECT_EQ(out.str(), "MsgBox\tT\tThe file f.svg could not be written.\n"
                         "MsgBox\tT\tThe file f.pdf could not be written.\n");
}

} // namespace
