// The readable rendering the substitute print modules write of each printed document.
#include <gtest/gtest.h>

#include "DocumentRendering.h"

TEST(DocumentRendering, NestedElementsAttributesAndEntities)
{
    const std::string doc =
        "\xEF\xBB\xBF<?xml version=\"1.0\" encoding=\"windows-1250\"?>\r\n"
        "<!-- emission protocol -->\r\n"
        "<protocol number=\"42\" kind='A'>\r\n"
        "  <vehicle>\r\n"
        "    <vin>TMB  123\r\n456</vin>\r\n"
        "    <plate/>\r\n"
        "    <owner>\x8Akoda &amp; syn &lt;s.r.o.&gt;</owner>\r\n"
        "  </vehicle>\r\n"
        "  <note><![CDATA[a < b]]></note>\r\n"
        "</protocol>\r\n";
    EXPECT_EQ("protocol:\r\n"
              "  @number: 42\r\n"
              "  @kind: A\r\n"
              "  vehicle:\r\n"
              "    vin: TMB 123 456\r\n"
              "    plate:\r\n"
              "    owner: \x8Akoda & syn <s.r.o.>\r\n"
              "  note: a < b\r\n",
              renderDocument(doc));
}

TEST(DocumentRendering, TextThatIsNoXmlStaysAsItIs)
{
    EXPECT_EQ("", renderDocument(""));
    EXPECT_EQ("plain text\r\n<b>", renderDocument("plain text\r\n<b>"));
    const std::string binary("\x00\x01<a>", 5);
    EXPECT_EQ(binary, renderDocument(binary));
}

TEST(DocumentRendering, BrokenMarkupStillGivesLines)
{
    // A stray closing tag is ignored; unclosed elements are closed at the end.
    EXPECT_EQ("a:\r\n  b: x\r\n", renderDocument("<a><b>x</c></a>"));
    EXPECT_EQ("a:\r\n  b: x\r\n", renderDocument("<a><b>x"));
    // Closing an outer element closes the inner ones with it.
    EXPECT_EQ("a:\r\n  b: x\r\nc:\r\n", renderDocument("<a><b>x</a><c/>"));
    // Tags and attributes cut short.
    EXPECT_EQ("a:\r\n", renderDocument("<a attr="));
    EXPECT_EQ("a:\r\n  @attr: unterminated\r\n", renderDocument("<a attr=\"unterminated"));
    EXPECT_EQ("a: x\r\n", renderDocument("<a>x<!-- never closed"));
}

TEST(DocumentRendering, MixedContentKeepsTheTextOfTheParent)
{
    EXPECT_EQ("a: before\r\n  b: inner\r\n  after\r\n",
              renderDocument("<a>before<b>inner</b>after</a>"));
}
