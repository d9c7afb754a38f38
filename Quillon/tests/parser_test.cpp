#include <gtest/gtest.h>

#include "engine/messages.h"
#include "engine/parser.h"
#include "test_support.h"

namespace quillon {
namespace {

using Rows = std::vector<std::array<const char*, 3>>;

Cells table(const Rows& rows) {
    Cells c{};
    for (std::size_t r = 0; r < rows.size(); ++r)
        for (std::size_t col = 0; col < 3; ++col)
            c[r * 3 + col] = rows[r][col];
    return c;
}

Analysis labelled(const std::vector<std::string>& symbols, Mode m = Mode::labelled) {
    Analysis a;
    a.mode = m;
    a.nseg = static_cast<std::int16_t>(symbols.size());
    for (std::size_t k = 0; k < symbols.size(); ++k)
        a.symbol[k + 1] = symbols[k];
    return a;
}

std::vector<std::string> states(const Analysis& a) {
    return {a.state.begin() + 1, a.state.begin() + 1 + a.nseg};
}

const Rows kExample{{"A", "h", "A"}, {"A", "u", "B"}, {"B", "d", "F"}};

TEST(Parse, RecognisesAndStartsAgain) {
    Analysis a = labelled({"h", "u", "d", "u", "x", "d"});
    ParseResult r = CmdParse(a, table(kExample));
    ASSERT_EQ(r.message, std::nullopt);
    // After F the automaton restarts at A; an unknown symbol gives "?" and restarts too.
    EXPECT_EQ(states(a), (std::vector<std::string>{"A", "B", "F", "B", "?", "?"}));
    EXPECT_EQ(a.mode, Mode::parsed);
    EXPECT_EQ(r.list3,
              (std::vector<std::string>{"A", "B", "h", "u", "d", "1,1,A", "1,2,B", "2,3,F"}));
}

TEST(Parse, MissingTransitionRestartsFromTheInitialState) {
    Analysis a = labelled({"u", "u", "d"});
    ASSERT_EQ(CmdParse(a, table(kExample)).message, std::nullopt);
    EXPECT_EQ(states(a), (std::vector<std::string>{"B", "?", "?"}));
}

TEST(Parse, ModeAfterParsing) {
    Analysis a = labelled({"h"});
    ASSERT_EQ(CmdParse(a, table(kExample)).message, std::nullopt);
    ASSERT_EQ(CmdParse(a, table(kExample)).message, std::nullopt);
    EXPECT_EQ(a.mode, Mode::parsed) << "parsing again keeps the segment columns";

    Analysis read = labelled({"h", "u", "d"}, Mode::string_read);
    ASSERT_EQ(CmdParse(read, table(kExample)).message, std::nullopt);
    EXPECT_EQ(read.mode, Mode::string_parsed);
    ASSERT_EQ(CmdParse(read, table(kExample)).message, std::nullopt);
    EXPECT_EQ(read.mode, Mode::string_parsed);
    EXPECT_EQ(states(read), (std::vector<std::string>{"A", "B", "F"}));
}

struct TableCase {
    const char* name;
    Rows rows;
    Message message;
    std::vector<std::string> list3;
};

class TableMessages : public ::testing::TestWithParam<TableCase> {};

TEST_P(TableMessages, StopWithTheirMessage) {
    const TableCase& c = GetParam();
    Analysis a = labelled({"h", "u"});
    a.state[1] = "old";
    ParseResult r = CmdParse(a, table(c.rows));
    EXPECT_EQ(r.message, c.message);
    EXPECT_EQ(r.list3, c.list3);
    EXPECT_EQ(a.mode, Mode::labelled);
    EXPECT_EQ(a.state[1], "old");
}

INSTANTIATE_TEST_SUITE_P(
    Parse, TableMessages,
    ::testing::Values(TableCase{"EmptyTable", {}, msg::invalid_table, {}},
                      TableCase{"RowZeroWithoutNextState",
                                {{"A", "h", ""}, {"A", "u", "B"}, {"B", "d", "F"}},
                                msg::invalid_table,
                                {}},
                      TableCase{"FinalStateAfterAnEmptyNextState",
                                {{"A", "h", "A"}, {"A", "u", ""}, {"B", "d", "F"}},
                                msg::no_final_state,
                                {"A", "B", "h", "u", "d"}},
                      TableCase{"Duplicate",
                                {{"A", "h", "A"}, {"A", "u", "F"}, {"A", "h", "F"}},
                                msg::duplicate_entry("A", "h"),
                                {"A", "h", "u", "h", "1,1,A", "1,2,F"}},
                      TableCase{"NoPresentState",
                                {{"A", "h", "C"}, {"A", "u", "F"}},
                                msg::no_present_state("C"),
                                {"A", "h", "u", "1,1,C"}},
                      TableCase{
                          "ReturningStatesAreListedAgain",
                          {{"A", "h", "B"}, {"B", "h", "A"}, {"A", "u", "Q"}, {"B", "d", "F"}},
                          msg::no_present_state("Q"),
                          {"A", "B", "A", "B", "h", "u", "d", "1,1,B", "2,1,A", "1,2,Q"}}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(Parse, NoStringLeavesEverything) {
    for (Mode m : {Mode::signal_only, Mode::approximated}) {
        Analysis a = labelled({"h"}, m);
        ParseResult r = CmdParse(a, table(kExample));
        EXPECT_EQ(r.message, msg::no_string);
        EXPECT_TRUE(r.list3.empty());
        EXPECT_EQ(a.mode, m);
    }
}

TEST(Parse, FullTableEndsAtTheLastRow) {
    // 50 rows: states S0 ... S48 in a chain on "a", the last row to F.
    Cells c{};
    for (int r = 0; r < kGridRows; ++r) {
        c[static_cast<std::size_t>(r * 3)] = "S" + std::to_string(r);
        c[static_cast<std::size_t>(r * 3 + 1)] = "a";
        c[static_cast<std::size_t>(r * 3 + 2)] =
            r == kGridRows - 1 ? "F" : "S" + std::to_string(r + 1);
    }
    Analysis a = labelled(std::vector<std::string>(51, "a"));
    ParseResult r = CmdParse(a, c);
    ASSERT_EQ(r.message, std::nullopt);
    EXPECT_EQ(r.list3.size(), 50u + 1u + 50u);
    EXPECT_EQ(r.list3.back(), "50,1,F");
    EXPECT_EQ(a.state[49], "S49");
    EXPECT_EQ(a.state[50], "F");
    EXPECT_EQ(a.state[51], "S1");
}

TEST(TableText, ThreeFieldsPerTransition) {
    auto cells = parse_table("A,u,B\r\n\"B\", \"d\" ,F\n\nC , h,F\n");
    ASSERT_TRUE(cells);
    EXPECT_EQ(*cells, (std::vector<std::string>{"A", "u", "B", "B", "d", "F", "C", "h", "F"}));
    EXPECT_EQ(parse_table("A,u,B\nC,d\n"), std::nullopt);
    EXPECT_EQ(parse_table("A,u,B,C\n"), std::nullopt) << "a fourth field is no table";
    EXPECT_EQ(parse_table("A,u,B,,\r\n")->size(), 3u) << "trailing commas add nothing";
    EXPECT_EQ(parse_table("")->size(), 0u);
    std::string many;
    for (int i = 0; i < 60; ++i)
        many += "A,u,B\n";
    EXPECT_EQ(parse_table(many)->size(), 150u);
}

TEST(TableText, EmptyFieldsAreEmptyCells) {
    // Between commas, after the last comma, quoted or blank: each is a field of its own.
    EXPECT_EQ(parse_table("A,h,\r\n,u,B\nC,,F\n\"\",\" \",D\n  ,d ,\n"),
              (std::vector<std::string>{"A", "h", "", "", "u", "B", "C", "", "F", "", " ", "D", "",
                                        "d", ""}));
    EXPECT_EQ(parse_table(",,"), (std::vector<std::string>{"", "", ""}));
    EXPECT_EQ(parse_table("A,h,"), (std::vector<std::string>{"A", "h", ""}));
}

// A table file with empty fields is read, and the parse then says what is wrong with it.
TEST(ReadingFiles, EmptyFieldsReachTheChecksOfTheParse) {
    struct Case {
        const char* file;
        std::optional<Message> message;
        std::vector<std::string> states;
    };
    const Case cases[] = {
        {"A,h,\r\nA,u,F\r\n", msg::invalid_table, {}},
        {",h,A\r\nA,u,F\r\n", msg::invalid_table, {}},
        {"A,,F\r\n", msg::invalid_table, {}},
        // An empty present state ends the table; the rows after it are not used.
        {"A,h,F\r\n,u,B\r\nB,d,C\r\n", std::nullopt, {"F", "?"}},
        // The final-state scan stops at the first empty next state.
        {"A,h,B\r\nB,u,\r\nB,d,F\r\n", msg::no_final_state, {}},
        {"A,h,F\r\nA,u,\r\n", msg::no_present_state(""), {}},
        // An empty symbol is a symbol like any other; no segment carries it.
        {"A,h,F\r\nA,,B\r\nB,u,F\r\n", std::nullopt, {"F", "?"}},
    };
    for (const Case& c : cases) {
        test::TempFile file("table.txt", c.file);
        Cells cells{};
        ASSERT_EQ(read_table(cells, file.path()), std::nullopt) << c.file;
        Analysis a = labelled({"h", "u"});
        ParseResult r = CmdParse(a, cells);
        EXPECT_EQ(r.message, c.message) << c.file;
        if (!c.message) {
            EXPECT_EQ(states(a), c.states) << c.file;
        }
    }
}

TEST(SymbolText, CommasLineEndsAndQuotes) {
    EXPECT_EQ(parse_symbols("h,u,U,d\r\n\"D\",h\n\nu"),
              (std::vector<std::string>{"h", "u", "U", "d", "D", "h", "u"}));
    std::string many;
    for (int i = 0; i < 2100; ++i)
        many += "u,";
    EXPECT_EQ(parse_symbols(many).size(), 2000u);
}

TEST(ReadingFiles, StringAndTable) {
    test::TempFile string("s.txt", "h,u\r\nd\r\n");
    Analysis a;
    ASSERT_EQ(read_string(a, string.path()), std::nullopt);
    EXPECT_EQ(a.mode, Mode::string_read);
    EXPECT_EQ(a.nseg, 3);
    EXPECT_EQ(a.symbol[3], "d");

    test::TempFile tableFile("t.txt", "A,h,A\r\nA,u,B\r\n");
    Cells c{};
    c[6] = "keep";
    ASSERT_EQ(read_table(c, tableFile.path()), std::nullopt);
    EXPECT_EQ(c[4], "u");
    EXPECT_EQ(c[6], "keep");

    test::TempFile broken("b.txt", "A,h,A\r\nA,u\r\n");
    Cells before = c;
    EXPECT_EQ(read_table(c, broken.path()), msg::file_error);
    EXPECT_EQ(c, before);
    test::TempFile binary("bin.dat", std::string("h,\0\x01u", 5));
    EXPECT_EQ(read_string(a, binary.path()), msg::file_error);
    EXPECT_EQ(a.nseg, 3);
    EXPECT_EQ(read_string(a, binary.dir() + "/missing.txt"), msg::file_error);
}

} // namespace
} // namespace quillon
