// Navigation (search order, entering and leaving) and reading attributes with unescaping.
#include <gtest/gtest.h>

#include "XmlTestSupport.h"
#include "xml/XmlDocument.h"

namespace {

using namespace xml_test;
using xml::XmlDocument;

TEST(XmlReading, SearchContinuesAfterTheLastMatch) {
    XmlDocument doc(
        u"<Mouse_DPI><DPI1 v=\"1\"/><DPI2 v=\"2\"/><DPI3 v=\"3\"/><DPI2 v=\"4\"/></Mouse_DPI>");
    ASSERT_TRUE(doc.FindNextElement(u"Mouse_DPI"));
    ASSERT_TRUE(doc.EnterElement());
    ASSERT_TRUE(doc.FindNextElement(u"DPI3"));
    const uint32_t dpi3 = doc.Current();
    // Found: the DPI2 after DPI3; the earlier one is not seen again.
    ASSERT_TRUE(doc.FindNextElement(u"DPI2"));
    EXPECT_EQ(doc.GetAttribute(u"v"), u"4");
    EXPECT_FALSE(doc.FindNextElement(u"DPI2"));
    EXPECT_FALSE(doc.FindNextElement(u"DPI1"));
    EXPECT_NE(doc.Current(), dpi3);
    EXPECT_EQ(doc.GetAttribute(u"v"), u"4");  // a failed search leaves the position alone
}

TEST(XmlReading, SearchFindsDPI2MissingAfterDPI3) {
    XmlDocument doc(u"<m><DPI1/><DPI2/><DPI3/></m>");
    doc.FindNextElement(u"m");
    doc.EnterElement();
    ASSERT_TRUE(doc.FindNextElement(u"DPI3"));
    EXPECT_FALSE(doc.FindNextElement(u"DPI2"));
    EXPECT_EQ(doc.ElementName(doc.Current()), u"DPI3");
}

TEST(XmlReading, SearchIsCaseSensitiveAndMatchesWholeNames) {
    XmlDocument doc(u"<r><items/><Item/><item/></r>");
    doc.FindNextElement(u"r");
    doc.EnterElement();
    ASSERT_TRUE(doc.FindNextElement(u"item"));
    EXPECT_EQ(doc.Entry(doc.Current()).start, doc.Text().find(u"<item/>"));
}

TEST(XmlReading, EnterReturnsToTheElementLeftLast) {
    XmlDocument doc(u"<r><a><x/><y/></a><b/></r>");
    ASSERT_TRUE(doc.FindNextElement(u"r"));
    EXPECT_EQ(doc.NodeKind(), 1);
    ASSERT_TRUE(doc.EnterElement());
    EXPECT_EQ(doc.NodeKind(), 0);  // entered with no remembered child
    ASSERT_TRUE(doc.FindNextElement(u"a"));
    ASSERT_TRUE(doc.EnterElement());
    ASSERT_TRUE(doc.FindNextElement(u"y"));
    const uint32_t y = doc.Current();
    ASSERT_TRUE(doc.LeaveElement());
    EXPECT_EQ(doc.ElementName(doc.Current()), u"a");
    EXPECT_EQ(doc.Child(), y);
    ASSERT_TRUE(doc.EnterElement());
    EXPECT_EQ(doc.Current(), y);  // back on y
    EXPECT_FALSE(doc.FindNextElement(u"x"));
    doc.LeaveElement();
    // The search at r's level continues after a.
    ASSERT_TRUE(doc.FindNextElement(u"b"));
    doc.LeaveElement();
    EXPECT_EQ(doc.ElementName(doc.Current()), u"r");
    EXPECT_EQ(doc.Parent(), 0u);
    EXPECT_FALSE(doc.LeaveElement());  // nothing above the top level
}

TEST(XmlReading, OperationsWithoutCurrentElementChangeNothing) {
    XmlDocument doc(u"<r a=\"1\"/>");
    EXPECT_EQ(doc.GetAttribute(u"a"), u"");
    EXPECT_FALSE(doc.EnterElement());
    EXPECT_FALSE(doc.LeaveElement());
    EXPECT_FALSE(doc.SetAttribute(u"a", u"2"));
    EXPECT_FALSE(doc.FindNextElement(u"missing"));
    EXPECT_EQ(doc.Text(), u"<r a=\"1\"/>");
    EXPECT_EQ(doc.Current(), 0u);
    EXPECT_EQ(doc.Parent(), 0u);
}

TEST(XmlReading, PositionIsAtTheRootAfterParsing) {
    XmlDocument doc(u"<r><a/></r>");
    doc.FindNextElement(u"r");
    doc.EnterElement();
    doc.FindNextElement(u"a");
    doc.SetText(u"<r><a/></r>");
    EXPECT_EQ(doc.Parent(), 0u);
    EXPECT_EQ(doc.Current(), 0u);
    EXPECT_EQ(doc.Child(), 0u);
    EXPECT_FALSE(doc.FindNextElement(u"a"));
}

TEST(XmlReading, CharacterReferences) {
    struct Case {
        const char* written;
        const char* value;
    };
    const Case cases[] = {
        {"&#65;", "A"},
        {"&#x41;", "A"},
        {"&#X41;", "A"},  // names are folded: X is x
        {"&AMP;", "&"},
        {"&amp;&lt;&gt;&quot;&apos;", "&<>\"'"},
        {"&eacute;&Eacute;", "\xC3\xA9\xC3\xA9"},  // both fold onto the lower-case entity
        {"&euro;&nbsp;&hearts;", "\xE2\x82\xAC\xC2\xA0\xE2\x99\xA5"},
        {"&#x1F600;", "\xF0\x9F\x98\x80"},  // above U+FFFF: a surrogate pair
        {"&#128512;", "\xF0\x9F\x98\x80"},
        {"&#0;", "&#0;"},  // value 0 stays as written
        {"&#x;", "&#x;"},
        {"&#12a;", "&#12a;"},
        {"&#x110000;", "&#x110000;"},  // beyond Unicode: no value
        {"&nosuch;", "&nosuch;"},
        {"&amp", "&amp"},                // no semicolon
        {"&thetasymx;", "&thetasymx;"},  // ten characters is too long
        {"&thetasym;", "\xCF\x91"},      // nine is not
        {"a & b; c", "a & b; c"},
        {"&&amp;", "&&"},
        {"&\xC3\xA9;", "&\xC3\xA9;"},  // not ASCII
        {"&;", "&;"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.written);
        XmlDocument doc(U(std::string("<e v=\"") + c.written + "\"/>"));
        ASSERT_TRUE(doc.FindNextElement(u"e"));
        EXPECT_EQ(N(doc.GetAttribute(u"v")), c.value);
    }
}

TEST(XmlReading, AttributeSyntax) {
    struct Case {
        const char* tag;
        const char* name;
        const char* value;
    };
    const Case cases[] = {
        {"<e a='x'/>", "a", "x"},
        {"<e a = \"x\" b=\"y\"/>", "b", "y"},
        {"<e a=x/>", "a", "x"},  // unquoted, up to the "/>" that ends the tag
        {"<e a=x b=y>", "b", "y"},
        {"<e a=\"x'y\" b='x\"y'/>", "b", "x\"y"},
        {"<e a=\"x>y\"/>", "a", "x>y"},
        {"<e a/>", "a", ""},
        {"<e A=\"1\"/>", "a", ""},  // attribute names compare exactly
        {"<e ab=\"1\"/>", "a", ""},
        {"<e a=\"1\" a=\"2\"/>", "a", "1"},  // the first one counts
        {"<e\r\n\ta=\"1\"\r\n/>", "a", "1"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.tag);
        XmlDocument doc(U(c.tag));
        ASSERT_TRUE(doc.FindNextElement(u"e"));
        EXPECT_EQ(N(doc.GetAttribute(U(c.name))), c.value);
    }
}

}  // namespace
