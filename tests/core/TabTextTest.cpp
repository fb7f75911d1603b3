#include "core/TabText.h"

#include <gtest/gtest.h>

namespace zeltomir::core {
namespace {

struct DecodeCase {
    const char* name;
    QString text;
    TabRows rows;
};

TEST(TabTextTest, DecodesWhatSpreadsheetsAndEditorsWrite)
{
    const DecodeCase cases[] = {
        {"empty text", "", {}},
        {"one empty line", "\n", {{""}}},
        {"single cell no line end", "5", {{"5"}}},
        {"LF rows with final LF", "a\tb\nc\td\n", {{"a", "b"}, {"c", "d"}}},
        {"CRLF rows with final CRLF", "a\tb\r\nc\td\r\n", {{"a", "b"}, {"c", "d"}}},
        {"no final line end", "a\tb\nc\td", {{"a", "b"}, {"c", "d"}}},
        {"lone CR line ends", "a\rb\r", {{"a"}, {"b"}}},
        {"empty cells kept", "\t\tx\n\t\n", {{"", "", "x"}, {"", ""}}},
        {"trailing tab gives an empty last cell", "a\t\n", {{"a", ""}}},
        {"blank line inside", "a\n\nb\n", {{"a"}, {""}, {"b"}}},
        {"ragged rows kept ragged", "1\t2\t3\n4\n5\t6\n", {{"1", "2", "3"}, {"4"}, {"5", "6"}}},
        {"quoted tab", "\"a\tb\"\tc\n", {{"a\tb", "c"}}},
        {"quoted line ends", "\"x\ny\"\t\"p\r\nq\"\n", {{"x\ny", "p\r\nq"}}},
        {"doubled quote inside quotes", "\"say \"\"hi\"\"\"\n", {{"say \"hi\""}}},
        {"quote inside unquoted cell is plain", "5\" pipe\tx\n", {{"5\" pipe", "x"}}},
        {"text after closing quote kept", "\"ab\"cd\te\n", {{"abcd", "e"}}},
        {"quoted empty cell", "\"\"\tz\n", {{"", "z"}}},
        {"unclosed quote is a plain character", "\"abc\tdef\nghi\n", {{"\"abc", "def"}, {"ghi"}}},
        {"quoted cell at end without line end", "a\t\"b\nc\"", {{"a", "b\nc"}}},
        {"blanks are part of cells", " 1 \t 2\n", {{" 1 ", " 2"}}},
    };
    for (const DecodeCase& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(DecodeTabText(c.text), c.rows);
    }
}

TEST(TabTextTest, EncodesWithLineFeedsAndQuotesOnlyWhereNeeded)
{
    const struct {
        const char* name;
        TabRows rows;
        QString text;
    } cases[] = {
        {"no rows", {}, ""},
        {"plain block", {{"Vertex", "A"}, {"1", "0.5"}}, "Vertex\tA\n1\t0.5\n"},
        {"empty cells", {{"", "x", ""}}, "\tx\t\n"},
        {"tab quoted", {{"a\tb"}}, "\"a\tb\"\n"},
        {"newline quoted", {{"a\nb", "c"}}, "\"a\nb\"\tc\n"},
        {"carriage return quoted", {{"a\rb"}}, "\"a\rb\"\n"},
        {"leading quote quoted and doubled", {{"\"q\" x"}}, "\"\"\"q\"\" x\"\n"},
        {"inner quote left alone", {{"5\" pipe"}}, "5\" pipe\n"},
        {"ragged rows", {{"1", "2"}, {"3"}}, "1\t2\n3\n"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(EncodeTabText(c.rows), c.text);
    }
}

TEST(TabTextTest, EveryBlockReadsBackAsWritten)
{
    const TabRows blocks[] = {
        {{"a"}},
        {{""}},
        {{"", ""}, {"", ""}},
        {{"Factor", "Level"}, {"A", "1.5"}, {"B", ""}},
        {{"tab\there", "new\nline", "cr\rlf\r\n"}, {"\"", "\"\"", "x\"y"}},
        {{"\"quoted\"", "\t", "\n"}, {"trailing\"", "", "last"}},
        {{"1", "2", "3"}, {"4"}, {"", "6"}},
        {{"\"unclosed"}, {"next"}},
    };
    for (const TabRows& block : blocks) {
        const QString text = EncodeTabText(block);
        SCOPED_TRACE(text.toStdString());
        EXPECT_EQ(DecodeTabText(text), block);
        // A copy that lost its final line end still reads the same, unless
        // that line end was all there was of a last row with one empty cell.
        if (block.last() != QStringList{""}) {
            EXPECT_EQ(DecodeTabText(QStringView(text).chopped(1)), block);
        }
        // So does one whose line ends were turned into CRLF on the way.
        if (!text.contains(u'\r') && text.count(u'\n') == block.size()) {
            QString crlf = text;
            EXPECT_EQ(DecodeTabText(crlf.replace(u'\n', QStringLiteral("\r\n"))), block);
        }
    }
}

TEST(TabTextTest, RowWithoutCellsReadsBackAsOneEmptyCell)
{
    EXPECT_EQ(DecodeTabText(EncodeTabText({{"a"}, {}})), (TabRows{{"a"}, {""}}));
}

} // namespace
} // namespace zeltomir::core
