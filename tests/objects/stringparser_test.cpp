#include "objects/stringparser.h"

#include "platform/files.h"
#include "runtime/pools.h"
#include "tests/support/volumes.h"

#include <gtest/gtest.h>

TEST(StringParser, ElementsAreTheRunsBetweenDelimiters)
{
    StringParser parser(0, 0, 153);
    parser.add_delimiter(",");
    parser.set(",a,,b,");
    EXPECT_EQ(parser.get_count(), 2);
    EXPECT_EQ(parser.get_element(1), "a");
    EXPECT_EQ(parser.get_element(2), "b");
    EXPECT_EQ(parser.get_element(0), "");
    EXPECT_EQ(parser.get_element(3), "");
    EXPECT_EQ(parser.get_element(-1), "");
    EXPECT_EQ(parser.get_last_element(), "b");
    EXPECT_EQ(parser.set_element("x", 2), "a,x");
    EXPECT_EQ(parser.set_element("x", 1), "x,b");
    EXPECT_EQ(parser.set_element("x", 5), "a,b");
    // The parser itself is not changed by set_element.
    EXPECT_EQ(parser.text, ",a,,b,");

    parser.set("");
    EXPECT_EQ(parser.get_count(), 0);
    EXPECT_EQ(parser.get_last_element(), "");
    parser.set(",,,");
    EXPECT_EQ(parser.get_count(), 0);
}

TEST(StringParser, EveryDelimiterSeparatesAndTheFirstRebuilds)
{
    StringParser parser(0, 0, 153);
    parser.add_delimiter("(");
    parser.add_delimiter(",");
    parser.add_delimiter(")");
    parser.set("playMusic(m_title,1)");
    ASSERT_EQ(parser.get_count(), 3);
    EXPECT_EQ(parser.get_element(1), "playMusic");
    EXPECT_EQ(parser.get_element(2), "m_title");
    EXPECT_EQ(parser.get_element(3), "1");
    EXPECT_EQ(parser.set_element("0", 3), "playMusic(m_title(0");

    StringParser plain(0, 0, 153);
    plain.set("one two");
    EXPECT_EQ(plain.get_count(), 1);
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
    EXPECT_EQ(parser.get_count(), 1);
    EXPECT_EQ(parser.get_element(1), "a,b c");
}

TEST(StringParser, OnlySingleCharacterDelimitersAreTaken)
{
    StringParser parser(0, 0, 153);
    EXPECT_EQ(console_output_of([&] { parser.add_delimiter(""); }), "Delimiter size 0 not supported\n");
    EXPECT_EQ(console_output_of([&] { parser.add_delimiter("ab"); }), "Delimiter size 2 not supported\n");
    EXPECT_EQ(parser.delimiters, "");
    parser.add_delimiter(",");
    parser.add_delimiter(",");
    EXPECT_EQ(parser.delimiters, ",,");
}

TEST(StringParser, ReplaceAndRemoveScanLeftToRightWithoutOverlap)
{
    StringParser parser(0, 0, 153);
    parser.set("aaaa-a");
    EXPECT_EQ(parser.replace("aa", "b"), "bb-a");
    EXPECT_EQ(parser.replace("a", "aa"), "aaaaaaaa-aa");
    EXPECT_EQ(parser.replace("", "x"), "aaaa-a");
    EXPECT_EQ(parser.remove("aaa"), "a-a");
    EXPECT_EQ(parser.remove(""), "aaaa-a");
    EXPECT_EQ(parser.text, "aaaa-a");

    std::string text = "x.y.z";
    replace_substring(text, ".", "..");
    EXPECT_EQ(text, "x..y..z");
    std::vector<std::string> out = {"kept"};
    split_string("1;2", ";", out);
    EXPECT_EQ(out, (std::vector<std::string>{"kept", "1", "2"}));
}

TEST(StringParser, DigestIsLowerCaseHexMd5)
{
    EXPECT_EQ(get_md5(""), "d41d8cd98f00b204e9800998ecf8427e");
    EXPECT_EQ(get_md5("The quick brown fox jumps over the lazy dog"), "9e107d9d372bb6826bd81d3542a419d6");
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
    // A load does not mark the split stale.
    EXPECT_EQ(parser.get_count(), 1);
    parser.load("[memory]");
    EXPECT_EQ(parser.text, "stop,fade");
    const std::string output = console_output_of([&] { parser.load("./missing.txt"); });
    EXPECT_NE(output.find("Could not load file ./missing.txt\n"), std::string::npos) << output;
    EXPECT_EQ(parser.text, "stop,fade");
}

TEST(StringParser, DeallocReturnsTheSlotToThePool)
{
    void* slot = object_pool<StringParser>.create();
    auto* parser = new (slot) StringParser(0, 0, 153);
    parser->set(std::string(100, 'x'));
    parser->add_delimiter("x");
    const int free_count = object_pool<StringParser>.get_free_count();
    parser->dealloc();
    EXPECT_EQ(object_pool<StringParser>.get_free_count(), free_count + 1);
    EXPECT_EQ(object_pool<StringParser>.create(), slot);
    object_pool<StringParser>.destroy(slot);
}
