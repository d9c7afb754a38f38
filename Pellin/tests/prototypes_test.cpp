#include "engine/prototypes.h"

#include <gtest/gtest.h>

#include <string>

using namespace pellin;
using Status = PrototypeRead::Status;

TEST(ReadPrototypes, FourOneFeaturePrototypes) {
    PrototypeRead r = read_prototypes("4, 2, 1\r\n0.1\r\n0.2\r\n0.9\r\n1.0\r\n");
    ASSERT_EQ(r.status, Status::ok);
    EXPECT_EQ(r.set.n, 4);
    EXPECT_EQ(r.set.n1, 2);
    EXPECT_EQ(r.set.n2(), 2);
    EXPECT_EQ(r.set.d, 1);
    EXPECT_FLOAT_EQ(r.set.feature(1, 1), 0.1f);
    EXPECT_FLOAT_EQ(r.set.feature(4, 1), 1.0f);
}

TEST(ReadPrototypes, HeaderOutsideTheLimitsReadsNoFeatures) {
    // A header that would overflow the prototype array must not make the reader store anything.
    for (const char* text : {"501 2 1 0 0 0", "4 2 7 1 2 3 4", "100000 2 1", "4 2 0", "-3 1 1"}) {
        PrototypeRead r = read_prototypes(text);
        EXPECT_EQ(r.status, Status::ok) << text;
        EXPECT_TRUE(r.set.x.empty()) << text;
    }
}

TEST(ReadPrototypes, FailuresSayWhatIsWrong) {
    PrototypeRead shortFile = read_prototypes("4 2 2\n1 2\n3 4\n5");
    EXPECT_EQ(shortFile.status, Status::short_data);
    EXPECT_EQ(read_failure_message(shortFile),
              "The file ends after 5 of the 8 feature values announced by its header");

    PrototypeRead text = read_prototypes("4 2 2\n1 2\n3 x\n5 6\n7 8");
    EXPECT_EQ(text.status, Status::not_a_number);
    EXPECT_EQ(read_failure_message(text),
              "Not a number where feature 2 of prototype 2 is expected");

    // A value no float holds would compute as infinity: refused at its place, either sign.
    for (const char* huge : {"1e39", "-1e39", "3.5E+38"}) {
        PrototypeRead r = read_prototypes(std::string("4 2 2\n1 2\n3 ") + huge + "\n5 6\n7 8");
        EXPECT_EQ(r.status, Status::out_of_range) << huge;
        EXPECT_EQ(read_failure_message(r),
                  "The value of feature 2 of prototype 2 is beyond the single-precision range");
    }
    PrototypeRead largest = read_prototypes("4 2 1 3.4E+38 -3.4e38 1e-50 0");
    ASSERT_EQ(largest.status, Status::ok);
    EXPECT_FLOAT_EQ(largest.set.feature(1, 1), 3.4e38f);
    EXPECT_EQ(largest.set.feature(3, 1), 0.0f);

    for (const char* bad : {"", "4 2", "four 2 1", "\x01\x02\xff"})
        EXPECT_EQ(read_prototypes(bad).status, Status::no_header) << bad;
}

TEST(ReadPrototypes, HeaderValuesRoundHalvesToEven) {
    PrototypeRead r = read_prototypes("4.5 2.5 1 0 0 0 0");
    EXPECT_EQ(r.set.n, 4);
    EXPECT_EQ(r.set.n1, 2);
}

TEST(ReadPrototypes, SixFeaturesIsTheLargestDimensionAndIsReadWhole) {
    std::string text = "4 2 6";
    for (int v = 1; v <= 24; ++v)
        text += " " + std::to_string(v);
    PrototypeRead r = read_prototypes(text);
    ASSERT_EQ(r.status, Status::ok);
    ASSERT_EQ(r.set.d, 6);
    ASSERT_EQ(r.set.x.size(), 4u);
    EXPECT_EQ(r.values_read, 24);
    EXPECT_EQ(r.set.feature(1, 6), 6.0f);
    EXPECT_EQ(r.set.feature(2, 1), 7.0f);
    EXPECT_EQ(r.set.feature(4, 6), 24.0f);
    // One value short at the very last feature.
    PrototypeRead shortFile = read_prototypes(text.substr(0, text.rfind(' ')));
    EXPECT_EQ(shortFile.status, Status::short_data);
    EXPECT_EQ(read_failure_message(shortFile),
              "The file ends after 23 of the 24 feature values announced by its header");
}

TEST(ReadPrototypes, NulCharactersSeparateNumbersLikeBlanks) {
    using namespace std::string_literals;
    PrototypeRead r = read_prototypes("4\0"
                                      "2\0"
                                      "1\0\0"
                                      "0.5\0"
                                      "1.5\0"
                                      "2.5\0"
                                      "3.5\0"s);
    ASSERT_EQ(r.status, Status::ok);
    EXPECT_EQ(r.set.n, 4);
    EXPECT_EQ(r.set.n1, 2);
    EXPECT_EQ(r.set.d, 1);
    EXPECT_EQ(r.set.feature(1, 1), 0.5f);
    EXPECT_EQ(r.set.feature(4, 1), 3.5f);
}

TEST(ReadPrototypes, HeaderCountsBeyondThirtyTwoBitsReadAsWritten) {
    // Past a 32-bit int the counts are still the file's own numbers, never a clamped value.
    PrototypeRead r = read_prototypes("2147483648 -2147483649 4294967296");
    EXPECT_EQ(r.status, Status::ok);
    EXPECT_EQ(r.set.n, 2147483648LL);
    EXPECT_EQ(r.set.n1, -2147483649LL);
    EXPECT_EQ(r.set.n2(), 4294967297LL);
    EXPECT_EQ(r.set.d, 4294967296LL);
    EXPECT_TRUE(r.set.x.empty());
    PrototypeRead largest = read_prototypes("9007199254740992 -9007199254740992 1");
    EXPECT_EQ(largest.set.n2(), 18014398509481984LL);

    // Beyond the whole numbers a double holds exactly, no count can be shown: a message.
    const std::pair<const char*, const char*> huge[] = {
        {"1e300 2 1", "The number n at the start of the file is too large for a count"},
        {"4 -9007199254740994 1",
         "The number n1 at the start of the file is too large for a count"},
        {"4 2 1e16", "The number d at the start of the file is too large for a count"}};
    for (const auto& [text, message] : huge) {
        PrototypeRead h = read_prototypes(text);
        EXPECT_EQ(h.status, Status::huge_header) << text;
        EXPECT_EQ(read_failure_message(h), message) << text;
        EXPECT_TRUE(h.set.x.empty()) << text;
    }
}
