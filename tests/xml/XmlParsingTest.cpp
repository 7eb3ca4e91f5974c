// The element index built by parsing, the rebuilding of malformed documents, and the result log.
#include <gtest/gtest.h>

#include <chrono>

#include "XmlTestSupport.h"
#include "xml/XmlDocument.h"

namespace {

using namespace xml_test;
using xml::ElementEntry;
using xml::XmlDocument;

// The entry of the n-th element in document order (1-based).
uint32_t Nth(const XmlDocument& doc, size_t n) {
    std::vector<uint32_t> order;
    std::vector<uint32_t> pending{doc.Entry(0).firstChild};
    while (!pending.empty()) {
        const uint32_t c = pending.back();
        if (c == 0) {
            pending.pop_back();
            continue;
        }
        order.push_back(c);
        pending.back() = doc.Entry(c).nextSibling;
        pending.push_back(doc.Entry(c).firstChild);
    }
    return n - 1 < order.size() ? order[n - 1] : 0;
}

TEST(XmlParsing, IndexDescribesEveryElement) {
    const std::u16string text =
        U("<?xml version=\"1.0\"?>\r\n<a x=\"1\">\r\n<b/>\r\n<c></c>\r\n</a>\r\n");
    XmlDocument doc;
    ASSERT_TRUE(doc.SetText(text));
    EXPECT_EQ(doc.NextFreeIndex(), 4u);
    EXPECT_EQ(doc.Entry(0).length, text.size());

    const uint32_t a = doc.Entry(0).firstChild;
    const ElementEntry& ea = doc.Entry(a);
    EXPECT_EQ(ea.start, 23u);
    EXPECT_EQ(ea.StartTagLength(), 9u);  // <a x="1">
    EXPECT_EQ(ea.EndTagLength(), 4u);    // </a>
    EXPECT_EQ(ea.length, text.size() - 2 - 23);
    EXPECT_EQ(ea.Depth(), 0u);
    EXPECT_EQ(ea.flags & xml::kEntryFirstChild, xml::kEntryFirstChild);
    EXPECT_EQ(ea.parent, 0u);

    const uint32_t b = ea.firstChild;
    const uint32_t c = doc.Entry(b).nextSibling;
    EXPECT_EQ(doc.ElementName(b), u"b");
    EXPECT_EQ(doc.ElementName(c), u"c");
    EXPECT_EQ(doc.Entry(b).tagLengths, 4u);  // empty-element tag: no end tag
    EXPECT_EQ(doc.Entry(c).StartTagLength(), 3u);
    EXPECT_EQ(doc.Entry(c).EndTagLength(), 4u);
    EXPECT_EQ(doc.Entry(b).Depth(), 1u);
    EXPECT_EQ(doc.Entry(c).flags & xml::kEntryFirstChild, 0u);
    EXPECT_EQ(doc.Entry(b).previousSibling, c);  // the first child points to the last one
    EXPECT_EQ(doc.Entry(c).previousSibling, b);
    EXPECT_EQ(doc.Entry(c).nextSibling, 0u);
    EXPECT_EQ(doc.Entry(c).parent, a);
    EXPECT_EQ(xml::CheckIndex(doc), "");
    EXPECT_EQ(doc.ResultLog(), u"");
}

TEST(XmlParsing, SkippedConstructsMayHoldAngleBrackets) {
    XmlDocument doc;
    ASSERT_TRUE(
        doc.SetText(U("<?xml version=\"1.0\"?>\r\n"
                      "<!DOCTYPE a [ <!ELEMENT a ANY> <!ATTLIST a x CDATA \"]>\"> "
                      "<!-- ] > --> ]>\r\n"
                      "<!-- <x> -->\r\n"
                      "<a>text &amp; <![CDATA[<y>]]><?pi <z> ?></a>\r\n"
                      "<!-- trailing -->")));
    EXPECT_EQ(doc.NextFreeIndex(), 2u);
    EXPECT_EQ(doc.ResultLog(), u"");

    ASSERT_TRUE(
        doc.SetText(U("<!DOCTYPE a SYSTEM \"a>b.dtd\"><!-- <x> --><a><![CDATA[<y>]]></a>")));
    EXPECT_EQ(doc.NextFreeIndex(), 2u);
    EXPECT_EQ(doc.ResultLog(), u"");
}

TEST(XmlParsing, UnendedElementIsRebuilt) {
    // b is opened inside a and never closed before a's end tag.
    const std::u16string text = u"<a><b><c/>t</a>";
    XmlDocument doc;
    EXPECT_FALSE(doc.SetText(text));
    EXPECT_FALSE(doc.IsWellFormed());
    EXPECT_EQ(N(doc.ResultLog()), "<unended_start_tag tagname=\"b\" offset=\"3\"/>");

    const uint32_t a = Nth(doc, 1), b = Nth(doc, 2), c = Nth(doc, 3);
    EXPECT_EQ(doc.ElementName(b), u"b");
    EXPECT_EQ(doc.Entry(a).length, text.size());
    EXPECT_EQ(doc.Entry(b).length, 3u);  // ends at its start tag
    EXPECT_EQ(doc.Entry(b).tagLengths, 3u);
    EXPECT_NE(doc.Entry(b).flags & xml::kEntryUnended, 0u);
    EXPECT_EQ(doc.Entry(b).firstChild, 0u);
    // c moved up to follow b, as a child of a.
    EXPECT_EQ(doc.Entry(c).parent, a);
    EXPECT_EQ(doc.Entry(b).nextSibling, c);
    EXPECT_EQ(doc.Entry(c).Depth(), 1u);
    EXPECT_EQ(xml::CheckIndex(doc), "");

    // Navigation sees the rebuilt shape.
    doc.FindNextElement(u"a");
    doc.EnterElement();
    EXPECT_TRUE(doc.FindNextElement(u"b"));
    EXPECT_TRUE(doc.FindNextElement(u"c"));
}

TEST(XmlParsing, NestedUnendedElementsMoveUpOnce) {
    // Three unended levels: every element ends up a child of r, in text order.
    XmlDocument doc;
    EXPECT_FALSE(doc.SetText(u"<r><u1><x1/><u2><x2/><u3><x3/></r>"));
    const uint32_t r = Nth(doc, 1);
    std::vector<std::u16string> children;
    for (uint32_t c = doc.Entry(r).firstChild; c != 0; c = doc.Entry(c).nextSibling) {
        children.emplace_back(doc.ElementName(c));
        EXPECT_EQ(doc.Entry(c).Depth(), 1u);
    }
    EXPECT_EQ(children, (std::vector<std::u16string>{u"u1", u"x1", u"u2", u"x2", u"u3", u"x3"}));
    EXPECT_EQ(N(doc.ResultLog()),
              "<unended_start_tag tagname=\"u3\" offset=\"21\"/>"
              "<unended_start_tag tagname=\"u2\" offset=\"12\"/>"
              "<unended_start_tag tagname=\"u1\" offset=\"3\"/>");
    EXPECT_EQ(xml::CheckIndex(doc), "");
}

TEST(XmlParsing, MalformedDocumentsAreReportedAndIndexed) {
    struct Case {
        const char* text;
        const char* keyword;
        uint32_t elements;  // entries besides entry 0
    };
    const Case cases[] = {
        {"<a></x></a>", "lone_end_tag", 1},
        {"<a><b/>", "unended_start_tag", 2},  // a ends at its start tag, b follows it
        {"<a/><b/>", "root_has_sibling", 2},
        {"", "no_root_element", 0},
        {"<?xml version=\"1.0\"?>\r\n just text", "no_root_element", 0},
        {"<a><1/></a>", "first_tag_syntax", 1},    // '<' that starts no markup
        {"<a x=\"1></a>", "first_tag_syntax", 0},  // the quote never closes
        {"<a><!-- never closed </a>", "first_tag_syntax", 1},
        {"<a></a", "first_tag_syntax", 1},
        {"<a b/c=\"1\"/>", "first_tag_syntax", 1},
        {"<a =\"1\"/>", "first_tag_syntax", 1},
        {"<a></ a>", "first_tag_syntax", 1},
        {"<a></a junk>", "first_tag_syntax", 1},
        {"<!DOCTYPE a [ <!ELEMENT a ANY>", "doctype_tag_syntax", 0},
        {"<a><![CDATA[ x </a>", "first_tag_syntax", 1},
        {"<a><?pi </a>", "first_tag_syntax", 1},
        {"<a><!ELEMENT x></a>", "first_tag_syntax", 1},
        {"<a>x<", "first_tag_syntax", 1},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.text);
        XmlDocument doc;
        EXPECT_FALSE(doc.SetText(U(c.text)));
        EXPECT_TRUE(LogHas(doc, c.keyword)) << N(doc.ResultLog());
        EXPECT_EQ(doc.NextFreeIndex() - 1, c.elements);
        EXPECT_EQ(xml::CheckIndex(doc), "");
    }
}

TEST(XmlParsing, TagProblemsMarkTheDocumentIllFormed) {
    XmlDocument doc;
    EXPECT_FALSE(doc.SetText(u"<a></x></a>"));
    EXPECT_NE(doc.Entry(0).flags & xml::kDocumentIllFormed, 0u);
    EXPECT_TRUE(doc.SetText(u"<a></a>"));
    EXPECT_EQ(doc.Entry(0).flags & xml::kDocumentIllFormed, 0u);
    EXPECT_EQ(doc.ResultLog(), u"");  // SetText clears the log
}

TEST(XmlParsing, ResultLogStopsAfter999Characters) {
    std::u16string text = u"<a>";
    for (int i = 0; i < 500; ++i) {
        text += u"</x>";
    }
    text += u"</a>";
    XmlDocument doc;
    EXPECT_FALSE(doc.SetText(text));
    const std::u16string& log = doc.ResultLog();
    // Entries are added while the log is at most 999 characters long; the one that crosses
    // the limit is the last.
    EXPECT_GT(log.size(), 999u);
    EXPECT_LE(log.rfind(u"<lone_end_tag"), 999u);
    EXPECT_EQ(log.substr(log.size() - 3), u"\"/>");
}

TEST(XmlParsing, NameCaseIsIgnoredOnlyWhenAsked) {
    XmlDocument doc;
    EXPECT_FALSE(doc.SetText(u"<Config></config>"));
    doc.SetIgnoreNameCase(true);
    EXPECT_TRUE(doc.SetText(u"<Config><Item/></config>"));
    EXPECT_TRUE(doc.FindNextElement(u"CONFIG"));
    doc.EnterElement();
    EXPECT_TRUE(doc.FindNextElement(u"item"));
}

TEST(XmlParsing, DeepNestingStaysLinearAndBounded) {
    constexpr int kDepth = 200000;
    std::u16string text;
    text.reserve(kDepth * 7);
    for (int i = 0; i < kDepth; ++i) {
        text += u"<a>";
    }
    const std::u16string opened = text;
    for (int i = 0; i < kDepth; ++i) {
        text += u"</a>";
    }
    const auto began = std::chrono::steady_clock::now();

    XmlDocument doc;
    EXPECT_TRUE(doc.SetText(text));
    EXPECT_EQ(doc.NextFreeIndex(), kDepth + 1u);
    // Depth is a 16-bit field: it stops at its largest value instead of wrapping.
    EXPECT_EQ(doc.Entry(kDepth).Depth(), 0xFFFFu);
    EXPECT_EQ(doc.Entry(2).Depth(), 1u);
    EXPECT_EQ(xml::CheckIndex(doc), "");

    // Never closed: every element becomes unended and moves up to the top level.
    EXPECT_FALSE(doc.SetText(opened));
    EXPECT_EQ(doc.Entry(doc.Entry(0).firstChild).previousSibling, uint32_t(kDepth));
    EXPECT_LE(doc.ResultLog().size(), 999u + 100u);
    EXPECT_EQ(xml::CheckIndex(doc), "");

    // End tags that match nothing, each against a deep stack of open elements.
    std::u16string lone = opened;
    for (int i = 0; i < kDepth; ++i) {
        lone += u"</z>";
    }
    EXPECT_FALSE(doc.SetText(lone));
    EXPECT_EQ(xml::CheckIndex(doc), "");

    // A closing tag of the outermost element ends every inner one at once.
    std::u16string outer = u"<r>" + opened + u"</r>";
    EXPECT_FALSE(doc.SetText(outer));
    EXPECT_EQ(doc.Entry(doc.Entry(1).firstChild).previousSibling, uint32_t(kDepth + 1));
    EXPECT_EQ(xml::CheckIndex(doc), "");

    const auto seconds =
        std::chrono::duration<double>(std::chrono::steady_clock::now() - began).count();
    EXPECT_LT(seconds, 20.0);  // quadratic work would take hours here
}

}  // namespace
