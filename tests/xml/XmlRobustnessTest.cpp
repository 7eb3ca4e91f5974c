// Bad input never breaks the document: truncated, mutated, binary and large files load (or are
// refused) with a sound index, and edits on whatever was loaded keep it sound. A quick,
// deterministic cousin of the fuzz target in fuzz/.
#include <gtest/gtest.h>

#include <chrono>
#include <random>

#include "XmlTestSupport.h"
#include "support/TempHome.h"
#include "xml/XmlDocument.h"

namespace {

using namespace xml_test;
using xml::XmlDocument;

const std::string kSample =
    "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\r\n"
    "<!DOCTYPE config [ <!ENTITY x \"y\"> ]>\r\n"
    "<config>\r\n"
    "<!-- devices -->\r\n"
    "<device>\r\n"
    "<mouse name=\"M1 &amp; co\" device_type='101' device_attr=VarnethM1>\r\n"
    "<mode value=\"0\" desc=\"\xD0\x9F\xD1\x80\xD0\xBE\xD0\xB2\" vid=\"0x5A17\" pid=\"1001\" "
    "hid_interface=\"VID_5A17&amp;PID_1001&#38;MI_01\"/>\r\n"
    "<mode value=\"2\"><![CDATA[ <x> ]]></mode>\r\n"
    "</mouse>\r\n"
    "</device>\r\n"
    "<?pi data?>\r\n"
    "<software caption=\"c\" version=\"1.0\"><website url=\"u\"/></software>\r\n"
    "</config>\r\n";

// Walks every element, reads its attributes, and makes a few edits, checking the index after
// each step; for a well-formed document the edited text must parse back to the same index.
void Exercise(XmlDocument& doc, std::mt19937& random) {
    ASSERT_EQ(xml::CheckIndex(doc), "");
    // Visit every element through navigation (depth-first, bounded by the element count).
    uint32_t visited = 0;
    const uint32_t limit = doc.NextFreeIndex() * 4 + 8;
    doc.SetText(std::u16string(doc.Text()));  // position at the root
    for (uint32_t steps = 0; steps < limit; ++steps) {
        if (doc.Current() != 0) {
            doc.GetAttribute(u"name");
            doc.GetAttribute(u"value");
            ++visited;
        }
        // Find any next element by its own name, else enter, else leave.
        const uint32_t next = doc.Current() ? doc.Entry(doc.Current()).nextSibling
                                            : doc.Entry(doc.Parent()).firstChild;
        if (next != 0 && doc.FindNextElement(doc.ElementName(next))) {
            if (doc.Entry(doc.Current()).firstChild != 0) {
                doc.EnterElement();
            }
            continue;
        }
        if (!doc.LeaveElement()) {
            break;
        }
    }
    EXPECT_LE(visited, doc.NextFreeIndex());

    const bool wellFormed = doc.IsWellFormed();
    doc.SetText(std::u16string(doc.Text()));
    if (doc.FindNextElement(doc.ElementName(doc.Entry(0).firstChild))) {
        const std::u16string value = U("v\"<&>'") + char16_t(random() & 0xFFFF);
        const std::u16string before = doc.Text();
        doc.SetAttribute(u"name", value);
        EXPECT_EQ(doc.GetAttribute(u"name"), value)
            << testing::PrintToString(
                   N(std::u16string_view(before).substr(doc.Entry(doc.Current()).start, 80)))
            << "\n---\n"
            << testing::PrintToString(N(std::u16string_view(doc.Text())
                                            .substr(doc.Entry(doc.Current()).start,
                                                    doc.Entry(doc.Current()).StartTagLength())));
        ASSERT_EQ(xml::CheckIndex(doc), "");
        if (doc.EnterElement()) {
            doc.AppendElement(u"added");
            doc.SetAttribute(u"x", u"1");
            ASSERT_EQ(xml::CheckIndex(doc), "");
            doc.LeaveElement();
        }
        doc.AppendElement(u"after");
        ASSERT_EQ(xml::CheckIndex(doc), "");
        if (wellFormed) {
            ExpectIndexSound(doc);
        }
    }
}

TEST(XmlRobustness, EveryTruncationOfAFile) {
    const std::u16string full = U(kSample);
    for (size_t length = 0; length <= kSample.size(); ++length) {
        XmlDocument doc;
        const bool ok = doc.LoadBytes(kSample.substr(0, length));
        ASSERT_EQ(xml::CheckIndex(doc), "") << length;
        if (length + 2 < kSample.size()) {
            EXPECT_FALSE(ok) << length;  // the root's end tag is missing
        }
    }
    XmlDocument doc;
    EXPECT_TRUE(doc.LoadBytes(kSample)) << N(doc.ResultLog());
    EXPECT_EQ(doc.Text(), full);
}

TEST(XmlRobustness, RandomMutationsOfAFile) {
    std::mt19937 random(20240611);
    const char pieces[][8] = {"<",   ">",    "/",    "\"",           "'",        "=",
                              "&",   ";",    "<!--", "-->",          "]]>",      "</a>",
                              "<a>", "\xFF", "\0",   "\xEF\xBB\xBF", "\xFE\xFF", "&#x"};
    for (int round = 0; round < 3000; ++round) {
        std::string bytes = kSample;
        const int edits = 1 + int(random() % 6);
        for (int e = 0; e < edits; ++e) {
            const size_t at = random() % (bytes.size() + 1);
            switch (random() % 4) {
                case 0:
                    bytes.erase(at, random() % 16);
                    break;
                case 1:
                    bytes.insert(at, pieces[random() % std::size(pieces)]);
                    break;
                case 2:
                    if (at < bytes.size()) {
                        bytes[at] = char(random());
                    }
                    break;
                case 3:
                    bytes.insert(at, bytes.substr(random() % bytes.size(), random() % 40));
                    break;
            }
        }
        if (round % 7 == 0) {
            bytes.insert(0, random() % 2 ? "\xFF\xFE" : "\xFE\xFF");  // read as UTF-16
        }
        SCOPED_TRACE(round);
        XmlDocument doc;
        doc.LoadBytes(bytes);
        Exercise(doc, random);
        std::string saved;
        if (doc.SaveBytes(saved)) {
            XmlDocument reread;
            reread.LoadBytes(saved);
            EXPECT_EQ(xml::CheckIndex(reread), "");
        }
        if (HasFatalFailure()) {
            FAIL() << "input: " << testing::PrintToString(bytes);
        }
    }
}

TEST(XmlRobustness, RandomBinaryInput) {
    std::mt19937 random(7);
    for (int round = 0; round < 500; ++round) {
        std::string bytes(random() % 2048, '\0');
        for (char& c : bytes) {
            // Mostly markup characters, so that tags form and break.
            const char markup[] = "<>/=\"' ab!-?[]&;#x\r\n";
            c = (random() % 3) ? markup[random() % (sizeof markup - 1)] : char(random());
        }
        XmlDocument doc;
        doc.LoadBytes(bytes);
        Exercise(doc, random);
        if (HasFatalFailure()) {
            FAIL() << "input: " << testing::PrintToString(bytes);
        }
    }
}

TEST(XmlRobustness, LargeFileLoadsInOnePass) {
    // About 20 MB: a catalogue-like file with 120 000 mice.
    constexpr int kMice = 120000;
    std::string bytes = "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\r\n<config>\r\n<device>\r\n";
    const std::string mouse =
        "<mouse name=\"Mouse \xD0\x96\" device_type=\"101\" device_attr=\"Mouse\">\r\n"
        "<mode value=\"0\" desc=\"wired\" vid=\"0x5A17\" pid=\"0x1001\" "
        "hid_interface=\"VID_5A17&amp;PID_1001\"/>\r\n"
        "</mouse>\r\n";
    bytes.reserve(kMice * mouse.size() + 64);
    for (int i = 0; i < kMice; ++i) {
        bytes += mouse;
    }
    bytes += "</device>\r\n</config>\r\n";
    const std::string path = testing_support::MakeTempFolder("large") + "/large.xml";
    ASSERT_TRUE(testing_support::WriteFile(path, bytes));

    const auto began = std::chrono::steady_clock::now();
    XmlDocument doc;
    ASSERT_TRUE(doc.LoadFile(path));
    EXPECT_EQ(doc.NextFreeIndex(), 2u + 2u * kMice + 1u);
    doc.FindNextElement(u"config");
    doc.EnterElement();
    doc.FindNextElement(u"device");
    doc.EnterElement();
    int mice = 0;
    while (doc.FindNextElement(u"mouse")) {
        ++mice;
    }
    EXPECT_EQ(mice, kMice);
    EXPECT_EQ(doc.GetAttribute(u"device_type"), u"101");
    const auto seconds =
        std::chrono::duration<double>(std::chrono::steady_clock::now() - began).count();
    EXPECT_LT(seconds, 30.0);
    EXPECT_EQ(xml::CheckIndex(doc), "");
}

}  // namespace
