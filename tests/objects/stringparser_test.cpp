#include "objects/stringparser.h"

#include "platform/files.h"
#include "tests/support/volumes.h"

#include <gtest/gtest.h>

TEST(StringParser, ElementsAreTheRunsBetweenDelimitersAndTheFirstRebuilds)
{
    StringParser parser(0, 0, 153);
    parser.add_delimiter(",");
    parser.set(",a,,b,");
    EXPECT_EQ(parser.get_count(), 2);
    EXPECT_EQ(parser.get_element(1), "a");
    EXPECT_EQ(parser.get_element(2), "b");
    EXPECT_EQ(parser.get_element(0), "");
    EXPECT_EQ(parser.get_element(3), "");
    EXPECT_EQ(parser.get_last_element(), "b");
    EXPECT_EQ(parser.set_element("x", 2), "a,x");
    EXPECT_EQ(parser.set_element("x", 5), "a,b");

    parser.add_delimiter("(");
    parser.set("play(m_title,1");
    EXPECT_EQ(parser.get_count(), 3);
    EXPECT_EQ(parser.set_element("0", 1), "0,m_title,1");
    parser.set(",,(");
    EXPECT_EQ(parser.get_count(), 0);
    EXPECT_EQ(parser.get_last_element(), "");

    StringParser plain(0, 0, 153);
    plain.set("one two");
    EXPECT_EQ(plain.get_element(1), "one two");
    EXPECT_EQ(plain.set_element("other", 1), "other");
}

TEST(StringParser, TheSplitIsRedoneOnlyAfterSetOrReset)
{
    StringParser parser(0, 0, 153);
    parser.add_delimiter(",");
    parser.set("a,b c");
    EXPECT_EQ(parser.get_count(), 2);
    parser.add_delimiter(" ");
    EXPECT_EQ(parser.get_count(), 2);
    parser.set("a,b c");
    EXPECT_EQ(parser.get_count(), 3);
    parser.reset_delimiters();
    EXPECT_EQ(parser.get_element(1), "a,b c");
    EXPECT_EQ(console_output_of([&] {
                  parser.add_delimiter("");
                  parser.add_delimiter("ab");
              }),
              "Delimiter size 0 not supported\nDelimiter size 2 not supported\n");
    EXPECT_EQ(parser.delimiters, "");
}

TEST(StringParser, ReplaceAndRemoveScanLeftToRightWithoutOverlap)
{
    StringParser parser(0, 0, 153);
    parser.set("aaaa-a");
    EXPECT_EQ(parser.replace("aa", "b"), "bb-a");
    EXPECT_EQ(parser.replace("a", "aa"), "aaaaaaaa-aa");
    EXPECT_EQ(parser.replace("", "x"), "aaaa-a");
    EXPECT_EQ(parser.remove("aaa"), "a-a");
    EXPECT_EQ(parser.text, "aaaa-a");
}

TEST(StringParser, DigestIsLowerCaseHexMd5)
{
    EXPECT_EQ(get_md5(""), "d41d8cd98f00b204e9800998ecf8427e");
    StringParser parser(0, 0, 153);
    parser.set("abc");
    EXPECT_EQ(parser.get_md5(), "900150983cd24fb0d6963f7d28e17f72");
    parser.set(std::string("a\0b", 3));
    EXPECT_EQ(parser.get_md5(), "70350f6027bce3713f6b76473084309b");
}

TEST(StringParser, LoadReadsAWholeFileUnlessThePathIsBracketed)
{
    TempVolumes volumes;
    get_fs_data(0);
    volumes.put_content("calls.txt", "stop,fade");
    StringParser parser(0, 0, 153);
    parser.add_delimiter(",");
    parser.set("old");
    EXPECT_EQ(parser.get_count(), 1);
    parser.load("./calls.txt");
    EXPECT_EQ(parser.text, "stop,fade");
    EXPECT_EQ(parser.get_count(), 1);  // a load leaves the split as it was
    parser.load("[memory]");
    const std::string output = console_output_of([&] { parser.load("./missing.txt"); });
    EXPECT_NE(output.find("Could not load file ./missing.txt\n"), std::string::npos) << output;
    EXPECT_EQ(parser.text, "stop,fade");
}
