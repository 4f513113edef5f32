// CxXml over the system's parser, for the parser versions programs ask for: loading, the release convention,
// navigation, attributes and values, XPath queries, editing with a save and reload, and safe loading.
#include "misc/Xml.h"

#include "common/TestSupport.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <string>

namespace {

namespace fs = std::filesystem;

constexpr const wchar_t* kMissingProgId = L"Quillet.NoSuchDocument.1";
constexpr char kMarker[] = "QUILLET-ENTITY-MARKER";

const char kCatalog[] = R"(<?xml version="1.0" encoding="UTF-8"?>
<!-- list of items -->
<?render mode="plain"?>
<catalog version="2"><item id="1" name="first">one</item><item id="2">two</item><empty/></catalog>
)";

// Exposes the document for checks of its settings.
class XmlProbe : public CxXml {
public:
    using CxXml::document;
};

ULONG RefCount(IUnknown* object)
{
    object->AddRef();
    return object->Release();
}

bool IsWine() { return GetProcAddress(GetModuleHandleW(L"ntdll.dll"), "wine_get_version") != nullptr; }

class XmlTest : public testing::TestWithParam<const wchar_t*> {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(SUCCEEDED(CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED)));
        // A space in the folder name: the parser reports the location as an escaped URL.
        folder = fs::temp_directory_path() / (L"quillet xml " + std::to_wstring(GetCurrentProcessId()));
        fs::create_directories(folder);
    }
    void TearDown() override
    {
        CoUninitialize();
        fs::remove_all(folder);
    }

    fs::path Write(const wchar_t* name, const std::string& content)
    {
        const fs::path path = folder / name;
        std::ofstream(path, std::ios::binary) << content;
        return path;
    }

    fs::path folder;
};

TEST_P(XmlTest, LoadFailuresAndRootSearch)
{
    const fs::path path = Write(L"catalog.xml", kCatalog);
    XmlProbe xml;
    EXPECT_EQ(xml.GetRootNode(), nullptr);
    EXPECT_EQ(xml.Load((folder / L"missing.xml").c_str(), GetParam()), 0);
    ASSERT_EQ(xml.Load(path.c_str(), GetParam()), 1);
    // An unregistered class leaves the loaded document in place.
    EXPECT_EQ(xml.Load(path.c_str(), kMissingProgId), 0);
    ASSERT_TRUE(xml.document);

    // The declaration, the comment and the processing instruction come before the root element.
    IXMLDOMNode* root = xml.GetRootNode();
    ASSERT_NE(root, nullptr);
    EXPECT_EQ(xml.GetNodeName(root, 1), L"catalog");

    xml.Close();
    EXPECT_FALSE(xml.document);
    EXPECT_EQ(xml.GetNode(L"/catalog"), nullptr);
}

TEST_P(XmlTest, NavigationFollowsTheReleaseConvention)
{
    CxXml xml;
    ASSERT_EQ(xml.Load(Write(L"catalog.xml", kCatalog).c_str(), GetParam()), 1);
    IXMLDOMNode* root = xml.GetRootNode();
    ASSERT_NE(root, nullptr);
    EXPECT_EQ(xml.GetChildCount(root, 0), 3);

    IXMLDOMNode* last = xml.GetLastChildNode(root, 0);
    ASSERT_NE(last, nullptr);
    // A failed step releases nothing, whatever release says.
    const ULONG references = RefCount(last);
    EXPECT_EQ(xml.GetFirstChildNode(last, 1), nullptr);
    EXPECT_EQ(xml.GetNextSiblingNode(last, 1), nullptr);
    EXPECT_EQ(RefCount(last), references);
    last->AddRef();
    IXMLDOMNode* previous = xml.GetPreSiblingNode(last, 1);
    EXPECT_EQ(RefCount(last), references);
    EXPECT_EQ(xml.GetNodeAtt(previous, L"id", 1), L"2");
    EXPECT_EQ(xml.GetNodeText(previous, 1), L"two");
    EXPECT_EQ(xml.GetNodeName(last, 1), L"empty");

    CString names;
    for (IXMLDOMNode* node = xml.GetFirstChildNode(root, 1); node; node = xml.GetNextSiblingNode(node, 1))
        names += xml.GetNodeName(node, 0) + L" ";
    EXPECT_EQ(names, L"item item empty ");
}

TEST_P(XmlTest, AttributesValuesAndQueries)
{
    CxXml xml;
    ASSERT_EQ(xml.Load(Write(L"catalog.xml", kCatalog).c_str(), GetParam()), 1);
    IXMLDOMNode* item = xml.GetNode(L"/catalog/item[@name='first']");
    ASSERT_NE(item, nullptr);
    EXPECT_EQ(xml.GetAttributesCount(item, 0), 2);
    EXPECT_EQ(xml.GetNodeName(xml.GetAttributeNode(item, 1, 0), 1), L"name");
    EXPECT_EQ(xml.GetAttributeNode(item, 2, 0), nullptr);
    EXPECT_EQ(xml.GetNodeValue(xml.GetAttributeNode(item, L"id", 0), 1), L"1");
    EXPECT_EQ(xml.GetAttributeNode(item, L"missing", 0), nullptr);
    EXPECT_EQ(xml.GetNodeAtt(item, L"missing", 1), L"");

    // An element's value is null and has no text form.
    const ULONG references = RefCount(item);
    EXPECT_THROW(xml.GetNodeValue(item, 1), COleException);
    EXPECT_EQ(RefCount(item), references);

    IXMLDOMNode* text = xml.GetFirstChildNode(item, 1);
    ASSERT_NE(text, nullptr);
    EXPECT_EQ(xml.GetNodeType(text, 0), NODE_TEXT);
    EXPECT_EQ(xml.GetAttributesCount(text, 0), -1);
    EXPECT_EQ(xml.GetNodeValue(text, 1), L"one");

    // XPath functions work whatever language the parser version defaults to.
    EXPECT_EQ(xml.GetNodeText(xml.GetNode(L"/catalog/item[last()]"), 1), L"two");
    EXPECT_EQ(xml.GetNode(L"/catalog/nothing"), nullptr);
}

TEST_P(XmlTest, EditSaveAndReload)
{
    const fs::path path = Write(L"catalog.xml", kCatalog);
    {
        CxXml xml;
        ASSERT_EQ(xml.Load(path.c_str(), GetParam()), 1);
        fs::remove(path);
        // Saving right after loading writes the same document back to its file.
        ASSERT_EQ(xml.Save(), 1);
        ASSERT_TRUE(fs::exists(path));

        IXMLDOMNode* root = xml.GetRootNode();
        IXMLDOMNode* second = xml.GetNode(L"/catalog/item[@id='2']");
        EXPECT_EQ(xml.SetNodeText(second, L"zwei & drei"), 1);
        IXMLDOMNode* inserted = xml.InsertChildNode(root, L"added", second);
        EXPECT_EQ(xml.SetNodeText(inserted, L"before two"), 1);
        inserted->Release();
        // A name outside the ANSI code page survives the round trip.
        IXMLDOMNode* appended = xml.InsertChildNode(root, L"\u65E5\u8A18", nullptr);
        EXPECT_EQ(xml.GetNodeName(appended, 1), L"\u65E5\u8A18");
        second->Release();
        root->Release();
        ASSERT_EQ(xml.Save(), 1);
    }
    CxXml xml;
    ASSERT_EQ(xml.Load(path.c_str(), GetParam()), 1);
    CString names;
    for (IXMLDOMNode* node = xml.GetFirstChildNode(xml.GetRootNode(), 1); node; node = xml.GetNextSiblingNode(node, 1))
        names += xml.GetNodeName(node, 0) + L"=" + xml.GetNodeText(node, 0) + L";";
    EXPECT_EQ(names, L"item=one;added=before two;item=zwei & drei;empty=;\u65E5\u8A18=;");
}

TEST_P(XmlTest, CopiesShareTheDocumentSafely)
{
    CxXml xml;
    ASSERT_EQ(xml.Load(Write(L"catalog.xml", kCatalog).c_str(), GetParam()), 1);
    {
        CxXml copy;
        copy = xml;
        EXPECT_EQ(copy.GetNodeText(copy.GetNode(L"/catalog/item"), 1), L"one");
        copy.Close();
    }
    EXPECT_EQ(xml.GetNodeName(xml.GetRootNode(), 1), L"catalog");
}

TEST_P(XmlTest, LoadingResolvesNothingOutsideTheFile)
{
    // Wine 8 leaves external entities unexpanded and both settings off by default, whatever is asked of it.
    if (IsWine()) GTEST_SKIP() << "Wine's parser never loads external entities, so this check cannot fail here";
    const fs::path secret = Write(L"secret.txt", kMarker);
    const fs::path path = Write(L"entity.xml", "<?xml version=\"1.0\"?>\n<!DOCTYPE doc [<!ENTITY ext SYSTEM \"" +
                                                   secret.filename().string() + "\">]>\n<doc>[&ext;]</doc>\n");
    XmlProbe xml;
    xml.Load(path.c_str(), GetParam());
    ASSERT_TRUE(xml.document);
    VARIANT_BOOL setting = VARIANT_TRUE;
    EXPECT_EQ(xml.document->get_resolveExternals(&setting), S_OK);
    EXPECT_EQ(setting, VARIANT_FALSE);
    EXPECT_EQ(xml.document->get_validateOnParse(&setting), S_OK);
    EXPECT_EQ(setting, VARIANT_FALSE);

    // A parser that refuses the DTD loads nothing, which is as safe.
    const CString text = xml.GetNodeText(xml.GetRootNode(), 1);
    EXPECT_EQ(text.Find(CString(kMarker)), -1) << testing::PrintToString(text);
}

INSTANTIATE_TEST_SUITE_P(ParserVersions, XmlTest,
                         testing::Values(L"Msxml2.DOMDocument.6.0", L"Msxml2.DOMDocument.3.0"),
                         [](const testing::TestParamInfo<const wchar_t*>& info) {
                             return info.index == 0 ? std::string("Msxml6") : std::string("Msxml3");
                         });

}  // namespace
