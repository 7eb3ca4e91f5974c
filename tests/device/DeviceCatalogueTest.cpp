// The device catalogue: the lists read from config.xml, number parsing, the software
// information, and the hand-over to the device manager.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "base/Utf.h"
#include "device/DeviceCatalogue.h"
#include "platform/Folders.h"
#include "platform/HidIdentity.h"
#include "platform/SettingsKey.h"
#include "support/TempHome.h"
#include "xml/XmlDocument.h"

namespace {

using device::DeviceCatalogue;
using device::DeviceDescriptor;

std::u16string U(std::string_view utf8) {
    return base::Utf8ToUtf16(utf8);
}

// Records the hand-over calls in order.
class RecordingTarget : public device::CatalogueTarget {
  public:
    void ClearSupportedIds() override { calls.push_back("clear ids"); }
    void SetDeviceTypeFilter(int deviceType) override {
        calls.push_back("filter " + std::to_string(deviceType));
    }
    void ClearActiveConnectionCache() override { calls.push_back("forget active"); }
    std::vector<std::string> calls;
};

const std::vector<std::string> kHandOver = {"clear ids", "filter 101", "forget active"};

DeviceDescriptor Record(const char* name, int type, const char* db, int mode = 0, int vid = 0,
                        int pid = 0, const char* desc = "", const char* pattern = "") {
    return {U(name), type, U(db), mode, vid, pid, U(desc), U(pattern)};
}

class DeviceCatalogueTest : public testing::Test {
  protected:
    void SetUp() override {
        platform::SettingsKey key;
        if (key.Open() == platform::SettingsKey::OpenResult::NotFound) {
            ASSERT_TRUE(key.Create());
        }
        platform::WriteDeviceTypeSetting(7);
    }

    // A catalogue file with the given lines between the declaration and the end, CR LF each.
    std::string Catalogue(const std::vector<std::string>& lines) {
        std::string text = "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\r\n";
        for (const std::string& line : lines) {
            text += line + "\r\n";
        }
        const std::string path = m_folder + "/config-" + std::to_string(++m_files) + ".xml";
        EXPECT_TRUE(testing_support::WriteFile(path, text));
        return path;
    }

    std::string m_folder = testing_support::MakeTempFolder("catalogue");
    int m_files = 0;
    RecordingTarget m_target;
};

TEST_F(DeviceCatalogueTest, ShippedCatalogue) {
    DeviceCatalogue catalogue;
    ASSERT_TRUE(catalogue.Load(std::string(VARNETH_SOURCE_DIR) + "/data/config.xml", m_target));
    EXPECT_EQ(catalogue.Mice(), (device::DeviceDescriptorList{
                                    Record("Varneth M1", 101, "VarnethM1"),
                                    Record("Varneth K2", 102, "VarnethK2"),
                                }));
    EXPECT_EQ(catalogue.Modes(), (device::DeviceDescriptorList{
                                     Record("Varneth M1", 101, "VarnethM1", 0, 0x5A17, 0x1001,
                                            "Wired USB", "VID_5A17&PID_1001&MI_01"),
                                     Record("Varneth M1", 101, "VarnethM1", 1, 0x5A17, 0x1002,
                                            "2.4 GHz receiver", "VID_5A17&PID_1002&MI_01"),
                                     Record("Varneth M1", 101, "VarnethM1", 2, 0x5A17, 0x1003,
                                            "Bluetooth LE", "VID&025A17_PID&1003"),
                                     Record("Varneth K2", 102, "VarnethK2", 0, 0x5A17, 0x2001,
                                            "Wired USB", "VID_5A17&PID_2001&MI_01"),
                                 }));
    EXPECT_EQ(catalogue.Software().version, u"1.0.0");
    EXPECT_EQ(catalogue.Software().caption, u"Varneth software");
    EXPECT_FALSE(catalogue.Software().copyright.empty());
    EXPECT_TRUE(catalogue.SelectedModes().empty());

    // Each mode's pattern is found in the identity text of the mouse's vendor interface
    // (USB interface 1) in that mode, and in no other mode's.
    const std::string identities[] = {
        platform::HidIdentity::UsbText(0x5A17, 0x1001, 1, 1, 1, "hidraw3"),
        platform::HidIdentity::UsbText(0x5A17, 0x1002, 1, 1, 1, "hidraw4"),
        platform::HidIdentity::BluetoothText(0x5A17, 0x1003, 0x0100, "a1:b2:c3:d4:e5:f6", 2,
                                             "hidraw5", false),
        platform::HidIdentity::UsbText(0x5A17, 0x2001, 1, 2, 3, "hidraw6"),
    };
    for (size_t m = 0; m < catalogue.Modes().size(); ++m) {
        const std::string pattern = base::Utf16ToUtf8(catalogue.Modes()[m].interfacePattern);
        for (size_t i = 0; i < std::size(identities); ++i) {
            EXPECT_EQ(identities[i].find(pattern) != std::string::npos, i == m)
                << pattern << " in " << identities[i];
        }
    }
}

TEST_F(DeviceCatalogueTest, ShippedFileIsInTheLayoutTheDocumentWrites) {
    const std::string source = std::string(VARNETH_SOURCE_DIR) + "/data/config.xml";
    xml::XmlDocument doc;
    ASSERT_TRUE(doc.LoadFile(source)) << base::Utf16ToUtf8(doc.ResultLog());
    const std::string copy = m_folder + "/saved.xml";
    ASSERT_TRUE(doc.SaveFile(copy));
    EXPECT_EQ(testing_support::ReadFile(copy), testing_support::ReadFile(source));
}

TEST_F(DeviceCatalogueTest, DefaultPathIsBesideTheExecutable) {
    EXPECT_EQ(DeviceCatalogue::DefaultPath(), platform::ExeFolder() + "config.xml");
    DeviceCatalogue catalogue;
    ASSERT_TRUE(catalogue.Load(m_target));  // the build copies data/ beside the programs
    EXPECT_EQ(catalogue.Mice().size(), 2u);
    EXPECT_EQ(catalogue.Modes().size(), 4u);
}

TEST_F(DeviceCatalogueTest, HandOverHappensWhateverTheFile) {
    const std::string good =
        Catalogue({"<config><device><mouse device_type=\"101\"/></device></config>"});
    const std::string cases[] = {
        good,
        m_folder + "/missing.xml",
        Catalogue({"<config><device></config>"}),                         // malformed
        Catalogue({"<config/>", "<config/>"}),                            // two top-level elements
        Catalogue({"<catalogue><device><mouse/></device></catalogue>"}),  // not config
    };
    for (const std::string& path : cases) {
        SCOPED_TRACE(path);
        RecordingTarget target;
        platform::WriteDeviceTypeSetting(7);
        DeviceCatalogue catalogue;
        EXPECT_EQ(catalogue.Load(path, target), path == good);
        EXPECT_EQ(target.calls, kHandOver);
        EXPECT_EQ(platform::ReadDeviceTypeSetting(), 101);
        EXPECT_EQ(catalogue.Mice().size(), path == good ? 1u : 0u);
        EXPECT_TRUE(catalogue.Modes().empty());
    }
}

TEST_F(DeviceCatalogueTest, ThreeModesOfOneMouse) {
    DeviceCatalogue catalogue;
    ASSERT_TRUE(catalogue.Load(
        Catalogue({
            "<config>",
            "<device>",
            "<mouse name=\"M\" device_type=\"101\" device_attr=\"db\">",
            "<mode value=\"0\" desc=\"wired\" vid=\"0x5A17\" pid=\"0x1001\" hid_interface=\"A\"/>",
            "<mode value=\"1\" vid=\"0x5A17\" pid=\"0x1002\"/>",  // no desc, no pattern
            "<mode value=\"3\" desc=\"alt\" vid=\"0x5A17\" pid=\"0x1004\" hid_interface=\"C\"/>",
            "</mouse>",
            "</device>",
            "</config>",
        }),
        m_target));
    EXPECT_EQ(catalogue.Mice(), (device::DeviceDescriptorList{Record("M", 101, "db")}));
    // Every mode carries its mouse's fields; a missing attribute overwrites the previous
    // mode's value with an empty one.
    EXPECT_EQ(catalogue.Modes(), (device::DeviceDescriptorList{
                                     Record("M", 101, "db", 0, 0x5A17, 0x1001, "wired", "A"),
                                     Record("M", 101, "db", 1, 0x5A17, 0x1002, "", ""),
                                     Record("M", 101, "db", 3, 0x5A17, 0x1004, "alt", "C"),
                                 }));
}

TEST_F(DeviceCatalogueTest, SoftwareBeforeDeviceIsNotRead) {
    DeviceCatalogue catalogue;
    ASSERT_TRUE(catalogue.Load(
        Catalogue({"<config>", "<software caption=\"C\" version=\"2.0\"/>",
                   "<device><mouse name=\"M\" device_type=\"101\"/></device>", "</config>"}),
        m_target));
    EXPECT_EQ(catalogue.Mice().size(), 1u);
    EXPECT_EQ(catalogue.Software().version, u"");

    // Loaded after a catalogue that had it, the earlier software information stays.
    ASSERT_TRUE(catalogue.Load(std::string(VARNETH_SOURCE_DIR) + "/data/config.xml", m_target));
    ASSERT_TRUE(catalogue.Load(
        Catalogue({"<config>", "<software version=\"2.0\"/>", "<device/>", "</config>"}),
        m_target));
    EXPECT_EQ(catalogue.Software().version, u"1.0.0");
    EXPECT_TRUE(catalogue.Mice().empty());
}

TEST_F(DeviceCatalogueTest, SoftwareChildrenAreReadInTheirOrder) {
    DeviceCatalogue catalogue;
    ASSERT_TRUE(catalogue.Load(
        Catalogue({"<config>", "<device/>", "<software caption=\"C\" version=\"3.1\">",
                   "<copyright info=\"(c)\"/>", "<website url=\"w\"/>", "<upgrade url=\"u\"/>",
                   "</software>", "</config>"}),
        m_target));
    const DeviceCatalogue::SoftwareInfo& software = catalogue.Software();
    EXPECT_EQ(software.caption, u"C");
    EXPECT_EQ(software.version, u"3.1");
    EXPECT_EQ(software.website, u"w");
    EXPECT_EQ(software.store, u"");  // missing: skipped
    EXPECT_EQ(software.upgrade, u"u");
    EXPECT_EQ(software.copyright, u"");  // before website: not found
}

TEST_F(DeviceCatalogueTest, IdentifiersWithAndWithoutPrefix) {
    struct Case {
        const char* vid;
        int value;
    };
    const Case cases[] = {
        {"0x5A17", 0x5A17},
        {"0X5a17", 0x5A17},
        {"5a17", 0x5A17},
        {"5A17", 0x5A17},
        {"5A17 ", 0x5A17},
        {"5A17zz", 0x5A17},
        {"z5A17", 0},
        {"", 0},
        {"0x", 0},
        {"x12", 0},
        {"-12", 0},
        {"0", 0},
        {"7fffffff", 0x7FFFFFFF},
        {"123456789ABC", 0x7FFFFFFF},
    };
    std::vector<std::string> lines = {"<config><device><mouse device_type=\"101\">"};
    for (const Case& c : cases) {
        EXPECT_EQ(DeviceCatalogue::ParseHex(U(c.vid)), c.value) << c.vid;
        lines.push_back(std::string("<mode vid=\"") + c.vid + "\" pid=\"" + c.vid + "\"/>");
    }
    lines.push_back("<mode/>");  // neither attribute: 0 and 0, still listed
    lines.push_back("</mouse></device></config>");
    DeviceCatalogue catalogue;
    ASSERT_TRUE(catalogue.Load(Catalogue(lines), m_target));
    ASSERT_EQ(catalogue.Modes().size(), std::size(cases) + 1);
    for (size_t i = 0; i < std::size(cases); ++i) {
        EXPECT_EQ(catalogue.Modes()[i].vendorId, cases[i].value) << cases[i].vid;
        EXPECT_EQ(catalogue.Modes()[i].productId, cases[i].value) << cases[i].vid;
    }
    EXPECT_EQ(catalogue.Modes().back().vendorId, 0);
}

TEST_F(DeviceCatalogueTest, DecimalNumbers) {
    struct Case {
        const char* text;
        int value;
    };
    const Case cases[] = {
        {"101", 101},
        {"+7", 7},
        {"-3", -3},
        {"12abc", 12},
        {"abc", 0},
        {"", 0},
        {" 5", 0},
        {"0x10", 0},
        {"-", 0},
        {"99999999999", 2147483647},
        {"-99999999999", -2147483647 - 1},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(DeviceCatalogue::ParseDecimal(U(c.text)), c.value) << c.text;
    }
}

TEST_F(DeviceCatalogueTest, LoadingAgainReplacesTheLists) {
    DeviceCatalogue catalogue;
    ASSERT_TRUE(catalogue.Load(std::string(VARNETH_SOURCE_DIR) + "/data/config.xml", m_target));
    catalogue.SetSelectedModes({catalogue.Modes()[0]});
    ASSERT_TRUE(catalogue.Load(
        Catalogue({"<config><device><mouse name=\"Only\"><mode/></mouse></device></config>"}),
        m_target));
    EXPECT_EQ(catalogue.Mice().size(), 1u);
    EXPECT_EQ(catalogue.Modes().size(), 1u);
    EXPECT_TRUE(catalogue.SelectedModes().empty());
}

TEST_F(DeviceCatalogueTest, CatalogueInItsDeclaredCharset) {
    const std::string path = m_folder + "/cp1251.xml";
    ASSERT_TRUE(testing_support::WriteFile(path,
                                           "<?xml version=\"1.0\" encoding=\"windows-1251\"?>\r\n"
                                           "<config><device><mouse name=\"\xCC\xFB\xF8\xFC\" "
                                           "device_type=\"101\"/></device></config>\r\n"));
    DeviceCatalogue catalogue;
    ASSERT_TRUE(catalogue.Load(path, m_target));
    ASSERT_EQ(catalogue.Mice().size(), 1u);
    EXPECT_EQ(catalogue.Mice()[0].name, U("\xD0\x9C\xD1\x8B\xD1\x88\xD1\x8C"));  // Мышь
}

}  // namespace
