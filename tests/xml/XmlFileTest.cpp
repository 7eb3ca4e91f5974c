// Loading and saving files: byte order marks, declared encodings, UTF-8 detection, 8-bit
// charsets, nulls, and file errors.
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <fstream>

#include "XmlTestSupport.h"
#include "support/TempHome.h"
#include "xml/XmlDocument.h"

namespace {

using namespace xml_test;
using testing_support::MakeTempFolder;
using testing_support::ReadFile;
using testing_support::WriteFile;
using xml::XmlDocument;

const std::string kSampleUtf8 =
    "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\r\n"
    "<macro>\r\n"
    "<macroinfo macro_name=\"\xD0\x9C\xD0\xB0\xD0\xBA\xD1\x80\xD0\xBE \xE5\xAE\x8F "
    "\xF0\x9F\x98\x80\" "
    "macro_type=\"1\"/>\r\n"
    "<macroitems/>\r\n"
    "</macro>\r\n";

std::string Utf16Bytes(const std::u16string& text, bool big, bool mark) {
    std::string bytes;
    const auto put = [&](char16_t c) {
        bytes.push_back(static_cast<char>(big ? c >> 8 : c & 0xFF));
        bytes.push_back(static_cast<char>(big ? c & 0xFF : c >> 8));
    };
    if (mark) {
        put(0xFEFF);
    }
    for (char16_t c : text) {
        put(c);
    }
    return bytes;
}

class XmlFile : public testing::Test {
  protected:
    std::string Path(const std::string& name) { return m_folder + "/" + name; }
    std::string Write(const std::string& name, const std::string& bytes) {
        const std::string path = Path(name);
        EXPECT_TRUE(WriteFile(path, bytes));
        return path;
    }
    std::string m_folder = MakeTempFolder("xmlfile");
};

TEST_F(XmlFile, EveryByteOrderMarkLoadsToTheSameDocument) {
    XmlDocument plain;
    ASSERT_TRUE(plain.LoadFile(Write("plain.xml", kSampleUtf8)));
    EXPECT_EQ(plain.Flags() & xml::kBomFlags, 0u);
    const std::u16string text = U(kSampleUtf8);
    EXPECT_EQ(plain.Text(), text);

    struct Case {
        const char* name;
        std::string bytes;
        uint32_t flag;
        const char* encoding;
    };
    const Case cases[] = {
        {"le.xml", Utf16Bytes(text, false, true), xml::kFlagBomUtf16Le, "UTF-16LE"},
        {"be.xml", Utf16Bytes(text, true, true), xml::kFlagBomUtf16Be, "UTF-16BE"},
        {"u8.xml", "\xEF\xBB\xBF" + kSampleUtf8, xml::kFlagBomUtf8, "UTF-8"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const std::string path = Write(c.name, c.bytes);
        XmlDocument doc;
        ASSERT_TRUE(doc.LoadFile(path));
        EXPECT_EQ(doc.Text(), plain.Text());
        EXPECT_EQ(Flatten(doc), Flatten(plain));
        EXPECT_EQ(doc.Flags() & xml::kBomFlags, c.flag);
        EXPECT_NE(N(doc.ResultLog()).find(std::string("<bom encoding=\"") + c.encoding + "\"/>"),
                  std::string::npos);
        doc.FindNextElement(u"macro");
        doc.EnterElement();
        doc.FindNextElement(u"macroinfo");
        EXPECT_EQ(N(doc.GetAttribute(u"macro_name")),
                  "\xD0\x9C\xD0\xB0\xD0\xBA\xD1\x80\xD0\xBE \xE5\xAE\x8F \xF0\x9F\x98\x80");

        // Saving writes the same mark and encoding back, byte for byte.
        ASSERT_TRUE(doc.SaveFile(Path(std::string("again-") + c.name)));
        EXPECT_EQ(ReadFile(Path(std::string("again-") + c.name)), c.bytes);
    }
    XmlDocument be;
    be.LoadFile(Path("be.xml"));
    EXPECT_TRUE(LogHas(be, "endian_swap"));
}

TEST_F(XmlFile, SystemDocumentsAreWrittenAsUtf8WithoutMark) {
    XmlDocument doc(kDeclaration);
    doc.AppendElement(u"macro");
    doc.SetAttribute(u"name", U("\xD0\x96 \xE4\xB8\xAD"));
    const std::string path = Path("out.xml");
    ASSERT_TRUE(doc.SaveFile(path));
    EXPECT_EQ(ReadFile(path),
              "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\r\n<macro name=\"\xD0\x96 "
              "\xE4\xB8\xAD\"/>\r\n");
    EXPECT_TRUE(LogHas(doc, "converted_from"));
    EXPECT_TRUE(LogHas(doc, "write"));

    XmlDocument reread;
    ASSERT_TRUE(reread.LoadFile(path));
    EXPECT_EQ(reread.Text(), doc.Text());
}

TEST_F(XmlFile, DeclaredEightBitCharsetsAreConverted) {
    struct Case {
        const char* charset;
        std::string encoded;  // the name "Жук" / "中文" / "café" in that charset
        const char* utf8;
    };
    const Case cases[] = {
        {"windows-1251", "\xC6\xF3\xEA", "\xD0\x96\xD1\x83\xD0\xBA"},
        {"WINDOWS-1251", "\xC6\xF3\xEA", "\xD0\x96\xD1\x83\xD0\xBA"},
        {"GBK", "\xD6\xD0\xCE\xC4", "\xE4\xB8\xAD\xE6\x96\x87"},
        {"gb2312", "\xD6\xD0\xCE\xC4", "\xE4\xB8\xAD\xE6\x96\x87"},
        {"ISO-8859-1", "caf\xE9", "caf\xC3\xA9"},
        {"koi8-r", "\xF6\xD5\xCB", "\xD0\x96\xD1\x83\xD0\xBA"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.charset);
        const std::string bytes = std::string("<?xml version=\"1.0\" encoding=\"") + c.charset +
                                  "\"?>\r\n<config><mouse name=\"" + c.encoded +
                                  "\"/></config>\r\n";
        const std::string path = Write("charset.xml", bytes);
        XmlDocument doc;
        ASSERT_TRUE(doc.LoadFile(path));
        EXPECT_TRUE(LogHas(doc, "converted_to"));
        EXPECT_FALSE(LogHas(doc, "conversion_loss"));
        doc.FindNextElement(u"config");
        doc.EnterElement();
        doc.FindNextElement(u"mouse");
        EXPECT_EQ(N(doc.GetAttribute(u"name")), c.utf8);

        // Saved in the declared charset again.
        ASSERT_TRUE(doc.SaveFile(Path("charset-again.xml")));
        EXPECT_EQ(ReadFile(Path("charset-again.xml")), bytes);
    }
}

TEST_F(XmlFile, UndeclaredTextIsDetected) {
    struct Case {
        const char* what;
        std::string bytes;
        const char* value;    // the attribute as UTF-8
        const char* keyword;  // expected in the log
    };
    const Case cases[] = {
        // Valid UTF-8 that does not start with '<': detected as UTF-8.
        {"utf-8", " <e v=\"caf\xC3\xA9\"/>", "caf\xC3\xA9", "utf8_detection encoding=\"UTF-8\""},
        // Not UTF-8: read in the ANSI code page.
        {"ansi", " <e v=\"caf\xE9\"/>", "caf\xC3\xA9", "utf8_detection encoding=\"WINDOWS-1252\""},
        // Starts with '<': UTF-8 without testing; a bad byte is a conversion loss.
        {"lt", "<e v=\"caf\xE9\"/>", "caf\xEF\xBF\xBD", "conversion_loss"},
        // Charset from an HTML meta element.
        {"meta",
         "<html><head><meta http-equiv=\"Content-Type\" content=\"text/html; "
         "charset=windows-1251\">"
         "</head><e v=\"\xC6\"/></html>",
         "\xD0\x96", "converted_to encoding=\"windows-1251\""},
        // A name no table knows: the ANSI code page, and a note in the log.
        {"unknown", "<?xml version=\"1.0\" encoding=\"x-no-such\"?><e v=\"caf\xE9\"/>",
         "caf\xC3\xA9", "msg=\"unknown encoding x-no-such\""},
        // 8-bit text declaring a 16-bit encoding: the declaration cannot be right.
        {"utf-16 declared", "<?xml version=\"1.0\" encoding=\"UTF-16\"?><e v=\"caf\xC3\xA9\"/>",
         "caf\xC3\xA9", "does not match"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        XmlDocument doc;
        doc.LoadFile(Write("detect.xml", c.bytes));
        EXPECT_NE(N(doc.ResultLog()).find(c.keyword), std::string::npos) << N(doc.ResultLog());
        // The element e sits at the top level or inside html.
        if (!doc.FindNextElement(u"e")) {
            ASSERT_TRUE(doc.FindNextElement(u"html"));
            doc.EnterElement();
            ASSERT_TRUE(doc.FindNextElement(u"e"));
        }
        EXPECT_EQ(N(doc.GetAttribute(u"v")), c.value);
    }
}

TEST_F(XmlFile, OddCharsetNamesAreUnknownAndLoggedShort) {
    // A long name full of characters that need escaping, and a name with a control character
    // after a known one (it must not be taken for "UTF-8").
    const std::string names[] = {std::string(300, '"'), "UTF-8\x01"};
    for (const std::string& name : names) {
        XmlDocument doc;
        doc.LoadBytes("<?xml version=\"1.0\" encoding='" + name + "'?><e v=\"caf\xC3\xA9\"/>");
        EXPECT_TRUE(LogHas(doc, "converted_to encoding=\"WINDOWS-1252\""));
        EXPECT_NE(N(doc.ResultLog()).find("unknown encoding"), std::string::npos);
        EXPECT_LT(doc.ResultLog().size(), 400u) << N(doc.ResultLog());
        ASSERT_TRUE(doc.FindNextElement(u"e"));
        EXPECT_EQ(N(doc.GetAttribute(u"v")), "caf\xC3\x83\xC2\xA9");  // read as ANSI
    }
}

TEST_F(XmlFile, NullCharactersAreRemoved) {
    // UTF-16 little-endian without a mark: read as 8-bit text, its zero bytes dropped.
    std::string bytes = Utf16Bytes(u"<a x=\"1\"/>", false, false);
    XmlDocument doc;
    ASSERT_TRUE(doc.LoadFile(Write("nomark16.xml", bytes)));
    EXPECT_EQ(doc.Text(), u"<a x=\"1\"/>");
    EXPECT_TRUE(LogHas(doc, "nulls_removed count=\"10\""));

    std::string withNull = "<a x=\"1\"/>";
    withNull.insert(2, 1, '\0');
    ASSERT_TRUE(doc.LoadFile(Write("null8.xml", withNull)));
    EXPECT_EQ(doc.Text(), u"<a x=\"1\"/>");

    ASSERT_TRUE(doc.LoadFile(
        Write("null16.xml", Utf16Bytes(std::u16string(u"<a>\0</a>", 8), false, true))));
    EXPECT_EQ(doc.Text(), u"<a></a>");
    EXPECT_TRUE(LogHas(doc, "nulls_removed count=\"1\""));
}

TEST_F(XmlFile, OddUtf16LengthLosesTheLastByte) {
    std::string bytes = Utf16Bytes(u"<a/>", false, true) + "x";
    XmlDocument doc;
    EXPECT_TRUE(doc.LoadFile(Write("odd.xml", bytes)));
    EXPECT_EQ(doc.Text(), u"<a/>");
    EXPECT_TRUE(LogHas(doc, "conversion_loss"));
}

TEST_F(XmlFile, CharactersTheCharsetLacksAreLoggedOnSave) {
    XmlDocument doc(
        U("<?xml version=\"1.0\" encoding=\"ISO-8859-1\"?>\r\n<e "
          "v=\"\xC3\xA9\xD0\x96\xF0\x9F\x98\x80\"/>\r\n"));
    const std::string path = Path("loss.xml");
    ASSERT_TRUE(doc.SaveFile(path));
    EXPECT_EQ(ReadFile(path),
              "<?xml version=\"1.0\" encoding=\"ISO-8859-1\"?>\r\n<e v=\"\xE9??\"/>\r\n");
    EXPECT_TRUE(LogHas(doc, "conversion_loss encoding=\"ISO-8859-1\" count=\"2\""));

    // A lone surrogate cannot be written as UTF-8 either.
    XmlDocument lone(std::u16string(u"<e v=\"") + char16_t(0xD800) + u"\"/>");
    ASSERT_TRUE(lone.SaveFile(path));
    EXPECT_EQ(ReadFile(path), "<e v=\"\xEF\xBF\xBD\"/>");
    EXPECT_TRUE(LogHas(lone, "conversion_loss"));
}

TEST_F(XmlFile, DeclaredUtf16IsWrittenWithItsMark) {
    XmlDocument doc(u"<?xml version=\"1.0\" encoding=\"UTF-16\"?><a/>");
    const std::string path = Path("u16.xml");
    ASSERT_TRUE(doc.SaveFile(path));
    EXPECT_EQ(ReadFile(path), Utf16Bytes(doc.Text(), false, true));
    XmlDocument reread;
    ASSERT_TRUE(reread.LoadFile(path));
    EXPECT_EQ(reread.Text(), doc.Text());
}

TEST_F(XmlFile, UnwritableEncodingsFailWithoutTouchingTheFile) {
    const std::string path = Write("keep.xml", "old contents");
    for (const char* charset : {"x-no-such", "UTF-32"}) {
        XmlDocument doc(U(std::string("<?xml version=\"1.0\" encoding=\"") + charset + "\"?><a/>"));
        EXPECT_FALSE(doc.SaveFile(path)) << charset;
        EXPECT_TRUE(LogHas(doc, "converted_from"));
        EXPECT_EQ(ReadFile(path), "old contents");
    }
}

TEST_F(XmlFile, FileErrors) {
    XmlDocument doc(u"<a/>");
    EXPECT_FALSE(doc.LoadFile(Path("missing.xml")));
    EXPECT_TRUE(LogHas(doc, "file_error msg=\"No such file or directory\""));
    EXPECT_EQ(doc.Text(), u"");  // a failed load leaves an empty document
    EXPECT_EQ(doc.NextFreeIndex(), 1u);

    EXPECT_FALSE(doc.LoadFile(m_folder));
    EXPECT_TRUE(LogHas(doc, "file_error"));

    XmlDocument out(u"<a/>");
    EXPECT_FALSE(out.SaveFile(Path("no-such-folder/out.xml")));
    EXPECT_TRUE(LogHas(out, "file_error"));
    EXPECT_FALSE(out.SaveFile(m_folder));
    EXPECT_TRUE(LogHas(out, "file_error"));
}

TEST_F(XmlFile, OversizedFilesAreRefusedBeforeReading) {
    const std::string path = Path("huge.xml");
    {
        std::ofstream file(path);
        file << "<a>";
    }
    ASSERT_EQ(truncate(path.c_str(), xml::kMaxFileBytes + 1), 0);  // sparse: no disk used
    XmlDocument doc;
    EXPECT_FALSE(doc.LoadFile(path));
    EXPECT_TRUE(LogHas(doc, "file_error"));
    EXPECT_NE(N(doc.ResultLog()).find("larger than"), std::string::npos);
    EXPECT_EQ(doc.Text(), u"");
}

TEST_F(XmlFile, SaveReplacesTheFileAndKeepsItsPermissions) {
    const std::string path = Write("perm.xml", "old");
    ASSERT_EQ(chmod(path.c_str(), 0600), 0);
    const std::string link = Path("link.xml");
    ASSERT_EQ(symlink(path.c_str(), link.c_str()), 0);

    XmlDocument doc(u"<a/>\r\n");
    ASSERT_TRUE(doc.SaveFile(link));
    EXPECT_EQ(ReadFile(path), "<a/>\r\n");  // written through the link
    struct stat st {};
    ASSERT_EQ(lstat(link.c_str(), &st), 0);
    EXPECT_TRUE(S_ISLNK(st.st_mode));
    ASSERT_EQ(stat(path.c_str(), &st), 0);
    EXPECT_EQ(st.st_mode & 0777, 0600u);
}

}  // namespace
