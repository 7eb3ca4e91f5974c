// The written layout: what AppendElement and SetAttribute put into the text, byte for byte.
#include <gtest/gtest.h>

#include "XmlTestSupport.h"
#include "xml/XmlDocument.h"

namespace {

using namespace xml_test;
using xml::XmlDocument;

TEST(XmlWriting, FiveLineExample) {
    XmlDocument doc(kDeclaration);
    ASSERT_TRUE(doc.AppendElement(u"a"));
    ASSERT_TRUE(doc.EnterElement());
    ASSERT_TRUE(doc.AppendElement(u"b"));
    ASSERT_TRUE(doc.SetAttribute(u"x", u"1"));
    ASSERT_TRUE(doc.LeaveElement());
    ASSERT_TRUE(doc.AppendElement(u"c"));

    EXPECT_EQ(N(doc.Text()),
              "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\r\n"
              "<a>\r\n"
              "<b x=\"1\"/>\r\n"
              "</a>\r\n"
              "<c/>\r\n");
    ExpectIndexSound(doc);

    XmlDocument reread;
    EXPECT_FALSE(reread.SetText(doc.Text()));
    EXPECT_TRUE(LogHas(reread, "root_has_sibling"));
    EXPECT_TRUE(reread.IsWellFormed());  // two roots, but every tag is sound
}

// A profile exchange file built the way the export builds it: elements in document order,
// EnterElement before the first child and LeaveElement after the last.
TEST(XmlWriting, ProfileExchangeShape) {
    XmlDocument doc(kDeclaration);
    doc.AppendElement(u"profile");
    doc.EnterElement();
    doc.AppendElement(u"profileinfo");
    doc.SetAttribute(u"name", u"Profile 1");
    doc.EnterElement();

    doc.AppendElement(u"keyitems");
    doc.EnterElement();
    const std::vector<std::vector<std::u16string>> items = {
        {u"1", u"2", u"1", u"0", u"0", u"Left & right"},
        {u"5", u"9", u"4", u"2", u"0", u"Copy \"all\""},
    };
    for (const auto& item : items) {
        doc.AppendElement(u"item");
        const char16_t* names[] = {u"key_code",     u"macro_type",   u"macro_value",
                                   u"macro_value2", u"macro_value3", u"macro_desc"};
        for (size_t i = 0; i < 6; ++i) {
            doc.SetAttribute(names[i], item[i]);
        }
    }
    doc.LeaveElement();

    doc.AppendElement(u"Lightitems");
    doc.SetAttribute(u"light_mode", u"3");
    doc.EnterElement();
    doc.LeaveElement();

    doc.AppendElement(u"Mouse_DPI");
    doc.SetAttribute(u"dpi_flag", u"5");
    doc.SetAttribute(u"dpi_index", u"2");
    doc.SetAttribute(u"dpi_count", u"5");
    doc.EnterElement();
    const char16_t* values[] = {u"800", u"1600", u"2400", u"3200", u"6400", u"12000"};
    for (int n = 1; n <= 6; ++n) {
        doc.AppendElement(u"DPI" + base::AsciiToUtf16(std::to_string(n)));
        doc.SetAttribute(u"value", values[n - 1]);
        doc.SetAttribute(u"color", u"255");
    }
    doc.LeaveElement();

    doc.AppendElement(u"Mouse");
    doc.EnterElement();
    for (const char16_t* key : {u"button_respondtime", u"report_rate", u"e-sports_flag"}) {
        doc.AppendElement(key);
        doc.SetAttribute(u"value", u"0");
    }

    EXPECT_EQ(N(doc.Text()),
              "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\r\n"
              "<profile>\r\n"
              "<profileinfo name=\"Profile 1\">\r\n"
              "<keyitems>\r\n"
              "<item key_code=\"1\" macro_type=\"2\" macro_value=\"1\" macro_value2=\"0\" "
              "macro_value3=\"0\" macro_desc=\"Left &amp; right\"/>\r\n"
              "<item key_code=\"5\" macro_type=\"9\" macro_value=\"4\" macro_value2=\"2\" "
              "macro_value3=\"0\" macro_desc=\"Copy &quot;all&quot;\"/>\r\n"
              "</keyitems>\r\n"
              "<Lightitems light_mode=\"3\"/>\r\n"
              "<Mouse_DPI dpi_flag=\"5\" dpi_index=\"2\" dpi_count=\"5\">\r\n"
              "<DPI1 value=\"800\" color=\"255\"/>\r\n"
              "<DPI2 value=\"1600\" color=\"255\"/>\r\n"
              "<DPI3 value=\"2400\" color=\"255\"/>\r\n"
              "<DPI4 value=\"3200\" color=\"255\"/>\r\n"
              "<DPI5 value=\"6400\" color=\"255\"/>\r\n"
              "<DPI6 value=\"12000\" color=\"255\"/>\r\n"
              "</Mouse_DPI>\r\n"
              "<Mouse>\r\n"
              "<button_respondtime value=\"0\"/>\r\n"
              "<report_rate value=\"0\"/>\r\n"
              "<e-sports_flag value=\"0\"/>\r\n"
              "</Mouse>\r\n"
              "</profileinfo>\r\n"
              "</profile>\r\n");
    ExpectIndexSound(doc);

    // Read back the way the import reads it.
    XmlDocument reread;
    ASSERT_TRUE(reread.SetText(doc.Text()));
    ASSERT_TRUE(reread.FindNextElement(u"profile"));
    reread.EnterElement();
    ASSERT_TRUE(reread.FindNextElement(u"profileinfo"));
    reread.EnterElement();
    ASSERT_TRUE(reread.FindNextElement(u"keyitems"));
    reread.EnterElement();
    ASSERT_TRUE(reread.FindNextElement(u"item"));
    ASSERT_TRUE(reread.FindNextElement(u"item"));
    EXPECT_EQ(reread.GetAttribute(u"macro_desc"), u"Copy \"all\"");
    EXPECT_FALSE(reread.FindNextElement(u"item"));
    reread.LeaveElement();
    ASSERT_TRUE(reread.FindNextElement(u"Mouse_DPI"));
    EXPECT_EQ(reread.GetAttribute(u"dpi_index"), u"2");
}

TEST(XmlWriting, MacroWithoutStepsHasAnEmptyElementList) {
    XmlDocument doc(kDeclaration);
    doc.AppendElement(u"macro");
    doc.EnterElement();
    doc.AppendElement(u"macroinfo");
    doc.SetAttribute(u"macro_name", u"Combo");
    doc.AppendElement(u"macroitems");
    doc.EnterElement();
    EXPECT_EQ(N(doc.Text()),
              "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\r\n"
              "<macro>\r\n"
              "<macroinfo macro_name=\"Combo\"/>\r\n"
              "<macroitems/>\r\n"
              "</macro>\r\n");
    ExpectIndexSound(doc);
}

struct AppendCase {
    const char* what;
    const char* text;      // document before
    const char* path;      // elements to find and enter, '/' separated; '.' keeps the last
                           // one current instead of entering it
    const char* expected;  // document after AppendElement("n")
};

// Follows a path such as "p/a." : find p, enter it, find a and stay on it.
void Walk(XmlDocument& doc, std::string_view path) {
    while (!path.empty()) {
        const size_t slash = path.find('/');
        std::string_view step = path.substr(0, slash);
        const bool stay = !step.empty() && step.back() == '.';
        if (stay) {
            step.remove_suffix(1);
        }
        ASSERT_TRUE(doc.FindNextElement(U(step))) << step;
        if (!stay) {
            ASSERT_TRUE(doc.EnterElement());
        }
        path = slash == std::string_view::npos ? "" : path.substr(slash + 1);
    }
}

TEST(XmlWriting, AppendPlacementRules) {
    const AppendCase cases[] = {
        {"into an empty-element parent with attributes", "<p x=\"1\"/>\r\n", "p",
         "<p x=\"1\">\r\n<n/>\r\n</p>\r\n"},
        {"into an empty-element parent with a blank before />", "<p x=\"1\" />", "p",
         "<p x=\"1\" >\r\n<n/>\r\n</p>"},
        {"into a parent with nothing between its tags", "<p></p>\r\n", "p",
         "<p>\r\n<n/>\r\n</p>\r\n"},
        {"at the end of a parent's content", "<p>\r\n<a/>\r\n</p>\r\n", "p",
         "<p>\r\n<a/>\r\n<n/>\r\n</p>\r\n"},
        {"at the end of content that is only text", "<p>text</p>", "p", "<p>text<n/>\r\n</p>"},
        {"after the current element, before its next sibling", "<p>\r\n<a/>\r\n<c/>\r\n</p>",
         "p/a.", "<p>\r\n<a/>\r\n<n/>\r\n<c/>\r\n</p>"},
        {"after the current element that has children", "<p>\r\n<a>\r\n<b/>\r\n</a>\r\n</p>",
         "p/a.", "<p>\r\n<a>\r\n<b/>\r\n</a>\r\n<n/>\r\n</p>"},
        {"after the last element, before text and the end tag", "<p><a/> tail </p>", "p/a.",
         "<p><a/> tail <n/>\r\n</p>"},
        {"after the current element at the top level", "<a/>\r\n", "a.", "<a/>\r\n<n/>\r\n"},
        {"at the end of the text without a current element", "<a/>", "", "<a/><n/>\r\n"},
        {"after the current element, at a comment", "<p><a/><!-- c --></p>", "p/a.",
         "<p><a/><n/>\r\n<!-- c --></p>"},
    };
    for (const AppendCase& c : cases) {
        SCOPED_TRACE(c.what);
        XmlDocument doc(U(c.text));
        Walk(doc, c.path);
        ASSERT_TRUE(doc.AppendElement(u"n"));
        EXPECT_EQ(N(doc.Text()), c.expected);
        EXPECT_EQ(doc.ElementName(doc.Current()), u"n");
        EXPECT_EQ(doc.Child(), 0u);
        ExpectIndexSound(doc);
    }
}

TEST(XmlWriting, AppendedElementsNestAndFollowInOrder) {
    XmlDocument doc(kDeclaration);
    doc.AppendElement(u"r");
    doc.EnterElement();
    for (const char16_t* name : {u"a", u"b", u"c"}) {
        doc.AppendElement(name);
        doc.EnterElement();
        doc.AppendElement(u"x");
        doc.LeaveElement();
    }
    EXPECT_EQ(N(doc.Text()),
              "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\r\n<r>\r\n"
              "<a>\r\n<x/>\r\n</a>\r\n<b>\r\n<x/>\r\n</b>\r\n<c>\r\n<x/>\r\n</c>\r\n</r>\r\n");
    ExpectIndexSound(doc);
    // The new elements are linked where they stand: r's children are a, b, c, in that order.
    const uint32_t r = doc.Entry(0).firstChild;
    uint32_t child = doc.Entry(r).firstChild;
    for (const char16_t* name : {u"a", u"b", u"c"}) {
        ASSERT_NE(child, 0u);
        EXPECT_EQ(doc.ElementName(child), name);
        EXPECT_EQ(doc.Entry(child).Depth(), 1u);
        child = doc.Entry(child).nextSibling;
    }
    EXPECT_EQ(child, 0u);
}

TEST(XmlWriting, RefusedAppendsChangeNothing) {
    // Names that would not read back as themselves, and an element without end tag (its
    // children were moved up when it was parsed, so it has no content to append to).
    XmlDocument doc(u"<p><u></p>");
    ASSERT_TRUE(doc.FindNextElement(u"p"));
    doc.EnterElement();
    ASSERT_TRUE(doc.FindNextElement(u"u"));
    const std::u16string before = doc.Text();
    for (const char16_t* name : {u"", u"1a", u"a b", u"a>", u"a/", u"a=\"1\"", u"-a"}) {
        EXPECT_FALSE(doc.AppendElement(name)) << N(name);
    }
    ASSERT_TRUE(doc.EnterElement());
    EXPECT_FALSE(doc.AppendElement(u"n"));
    EXPECT_EQ(doc.Text(), before);
    EXPECT_EQ(xml::CheckIndex(doc), "");
}

TEST(XmlWriting, SetAttributeKeepsFirstSetOrderAndReplacesInPlace) {
    XmlDocument doc(u"<e/>");
    ASSERT_TRUE(doc.FindNextElement(u"e"));
    doc.SetAttribute(u"b", u"1");
    doc.SetAttribute(u"a", u"2");
    doc.SetAttribute(u"b", u"longer value");
    EXPECT_EQ(N(doc.Text()), "<e b=\"longer value\" a=\"2\"/>");
    ExpectIndexSound(doc);
}

TEST(XmlWriting, SetAttributeOnHandWrittenTags) {
    struct Case {
        const char* text;
        const char* name;
        const char* expected;
    };
    const Case cases[] = {
        {"<e x='1'/>", "x", "<e x=\"v\"/>"},          // single quotes become double
        {"<e x = \"1\" />", "x", "<e x = \"v\" />"},  // blanks around '=' are kept
        {"<e x=1/>", "x", "<e x=\"v\"/>"},            // unquoted value
        {"<e x=1 y=\"2\">t</e>", "x", "<e x=\"v\" y=\"2\">t</e>"},
        {"<e x/>", "x", "<e x=\"v\"/>"},                      // attribute without value
        {"<e x=\"1\"   />", "y", "<e x=\"1\" y=\"v\"   />"},  // before blanks and "/>"
        {"<e\r\nx=\"1\"\r\n>", "y", "<e\r\nx=\"1\" y=\"v\"\r\n>"},
        {"<e></e>", "y", "<e y=\"v\"></e>"},
        {"<e x=>", "y", "<e x=\"\" y=\"v\">"},  // x's empty value must not swallow y
        {"<e x= />", "y", "<e x= \"\" y=\"v\"/>"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.text);
        XmlDocument doc(U(c.text));
        ASSERT_TRUE(doc.FindNextElement(u"e"));
        ASSERT_TRUE(doc.SetAttribute(U(c.name), u"v"));
        EXPECT_EQ(N(doc.Text()), c.expected);
        EXPECT_EQ(doc.GetAttribute(U(c.name)), u"v");
        ExpectIndexSound(doc);
    }
}

TEST(XmlWriting, SetAttributeMovesEverythingAfterIt) {
    XmlDocument doc(U("<r>\r\n<a>\r\n<b/>\r\n</a>\r\n<c/>\r\n</r>\r\n"));
    doc.FindNextElement(u"r");
    doc.EnterElement();
    doc.FindNextElement(u"a");
    ASSERT_TRUE(doc.SetAttribute(u"name", u"some text"));
    ExpectIndexSound(doc);
    doc.EnterElement();
    ASSERT_TRUE(doc.FindNextElement(u"b"));
    doc.SetAttribute(u"k", u"1");
    doc.LeaveElement();
    ASSERT_TRUE(doc.FindNextElement(u"c"));
    EXPECT_EQ(doc.Entry(doc.Current()).start, N(doc.Text()).find("<c/>"));
    ExpectIndexSound(doc);
}

TEST(XmlWriting, EscapedValuesReadBackUnchanged) {
    const char* values[] = {
        "\"'&", "<tag attr=\"x\">",   "&amp; is written as &amp;amp;", "&#65; stays a reference",
        "",     "line\r\nbreak\ttab", "\xF0\x9F\x98\x80 emoji",        "\xD0\x96 and \xE4\xB8\xAD",
    };
    for (const char* value : values) {
        SCOPED_TRACE(value);
        XmlDocument doc(u"<e/>");
        doc.FindNextElement(u"e");
        ASSERT_TRUE(doc.SetAttribute(u"v", U(value)));
        EXPECT_EQ(doc.GetAttribute(u"v"), U(value));
        XmlDocument reread(doc.Text());
        reread.FindNextElement(u"e");
        EXPECT_EQ(reread.GetAttribute(u"v"), U(value));
    }
    XmlDocument doc(u"<e/>");
    doc.FindNextElement(u"e");
    doc.SetAttribute(u"v", u"\"'&<>");
    EXPECT_EQ(N(doc.Text()), "<e v=\"&quot;&apos;&amp;&lt;&gt;\"/>");
}

TEST(XmlWriting, RefusedSetAttributeChangesNothing) {
    XmlDocument doc(u"<e/>");
    EXPECT_FALSE(doc.SetAttribute(u"x", u"1"));  // no current element
    doc.FindNextElement(u"e");
    for (const char16_t* name : {u"", u"a b", u"a=b", u"1x", u"x/", u"x\"", u"x>"}) {
        EXPECT_FALSE(doc.SetAttribute(name, u"1")) << N(name);
    }
    EXPECT_EQ(doc.Text(), u"<e/>");
}

}  // namespace
