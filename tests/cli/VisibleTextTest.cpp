#include "cli/VisibleText.h"

#include <gtest/gtest.h>

namespace zeltomir::cli {
namespace {

TEST(VisibleText, EscapesWhatWouldBreakOrHideALine)
{
    struct Case {
        QString text;
        QString visible;
    };
    const Case cases[] = {
        {"Temp °C=1,000.5", "Temp °C=1,000.5"},
        {"A\nmessage Fake", "A\\nmessage Fake"},
        {"a\tb\r\n", "a\\tb\\r\\n"},
        {"C:\\n", "C:\\\\n"},
        {QString(QChar(0)) + "\x01\x1b[2J", "\\x00\\x01\\x1b[2J"},
        {QString("x") + QChar(0x7F) + QChar(0x85) + QChar(0x9F) + QChar(0xA0), QString("x\\x7f\\x85\\x9f") + QChar(0xA0)},
        {QString("a") + QChar(0x2028) + "b" + QChar(0x2029), "a\\u2028b\\u2029"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.text.toStdString());
        EXPECT_EQ(VisibleText(c.text), c.visible);
    }
}

} // namespace
} // namespace zeltomir::cli
