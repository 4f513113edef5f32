#include "misc/Xml.h"

#include "Runtime.h"

#include <shlwapi.h>

namespace {

// IXMLDOMDocument2, for the selection language; absent from mingw's import libraries.
constexpr IID kIidXmlDomDocument2 = {0x2933BF95, 0x7B36, 0x11D2, {0xB2, 0x0E, 0x00, 0xC0, 0x4F, 0x98, 0x3E, 0x60}};
// Longest path a file URL can turn into (the system's extended path limit).
constexpr DWORD kMaxPath = 32768;

// Ends an operation that succeeded on node: releases it when the caller asked to.
void ReleaseIf(IXMLDOMNode* node, int release)
{
    if (release) node->Release();
}

CString FromBstr(BSTR text) { return CString(text, int(SysStringLen(text))); }

// The parser reports its location as a URL (file:///C:/dir/doc.xml) but cannot save to a file URL: turn one
// into a path; anything else is passed on as it is.
CString SaveLocation(BSTR url)
{
    if (!url || !UrlIsFileUrlW(url)) return FromBstr(url);
    CString path;
    DWORD length = kMaxPath;
    if (PathCreateFromUrlW(url, path.GetBuffer(int(length)), &length, 0) != S_OK) return FromBstr(url);
    path.ReleaseBuffer();
    return path;
}

// Sets up a new document for a synchronous load that resolves nothing outside the file: no external entities or
// DTDs (resolveExternals), no validation, which would fetch an external DTD (validateOnParse).
bool PrepareLoad(IXMLDOMDocument* document)
{
    if (document->put_async(VARIANT_FALSE) != S_OK || document->put_validateOnParse(VARIANT_FALSE) != S_OK ||
        document->put_resolveExternals(VARIANT_FALSE) != S_OK)
        return false;
    // Queries are XPath; MSXML 3.0 defaults to its older XSL pattern language. Parsers without the
    // property keep their own language.
    ComPtr<IXMLDOMDocument2> document2;
    if (document->QueryInterface(kIidXmlDomDocument2, reinterpret_cast<void**>(document2.Put())) == S_OK)
        document2->setProperty(ComBstr(L"SelectionLanguage").Get(), ComVariant::FromString(L"XPath").Get());
    return true;
}

}  // namespace

CxXml::~CxXml() { Close(); }

int CxXml::Load(const wchar_t* path, const wchar_t* progId)
{
    CLSID classId;
    if (!progId || CLSIDFromProgID(progId, &classId) != S_OK) return 0;
    Close();
    if (CoCreateInstance(classId, nullptr, CLSCTX_INPROC_SERVER, IID_IXMLDOMDocument,
                         reinterpret_cast<void**>(document.Put())) != S_OK ||
        !PrepareLoad(document.Get()))
        return 0;
    VARIANT_BOOL loaded = VARIANT_FALSE;
    return document->load(ComVariant::FromString(path).Get(), &loaded) == S_OK ? 1 : 0;
}

int CxXml::Save()
{
    ComBstr url;
    if (!document || document->get_url(url.Put()) != S_OK) return 0;
    return document->save(ComVariant::FromString(SaveLocation(url.Get())).Get()) == S_OK ? 1 : 0;
}

void CxXml::Close()
{
    lastNode = nullptr;
    lastList.Reset();
    lastAttributes.Reset();
    lastValue.Put();
    document.Reset();
}

IXMLDOMNode* CxXml::GetRootNode()
{
    ComPtr<IXMLDOMNode> node;
    if (!document || document->get_firstChild(node.Put()) != S_OK) return nullptr;
    while (GetNodeType(node.Get(), 0) != NODE_ELEMENT) {
        ComPtr<IXMLDOMNode> next;
        if (node->get_nextSibling(next.Put()) != S_OK) return nullptr;
        node = std::move(next);
    }
    return lastNode = node.Detach();
}

IXMLDOMNode* CxXml::GetNode(const wchar_t* query)
{
    lastNode = nullptr;
    if (!document || document->selectSingleNode(ComBstr(query).Get(), &lastNode) != S_OK) lastNode = nullptr;
    return lastNode;
}

IXMLDOMNode* CxXml::Step(IXMLDOMNode* node, NodeStep step, int release)
{
    lastNode = nullptr;
    if (!node || (node->*step)(&lastNode) != S_OK) return lastNode = nullptr;
    ReleaseIf(node, release);
    return lastNode;
}

IXMLDOMNode* CxXml::GetFirstChildNode(IXMLDOMNode* node, int release)
{
    return Step(node, &IXMLDOMNode::get_firstChild, release);
}

IXMLDOMNode* CxXml::GetLastChildNode(IXMLDOMNode* node, int release)
{
    return Step(node, &IXMLDOMNode::get_lastChild, release);
}

IXMLDOMNode* CxXml::GetNextSiblingNode(IXMLDOMNode* node, int release)
{
    return Step(node, &IXMLDOMNode::get_nextSibling, release);
}

IXMLDOMNode* CxXml::GetPreSiblingNode(IXMLDOMNode* node, int release)
{
    return Step(node, &IXMLDOMNode::get_previousSibling, release);
}

DOMNodeType CxXml::GetNodeType(IXMLDOMNode* node, int release)
{
    if (!node || node->get_nodeType(&lastType) != S_OK) return NODE_INVALID;
    ReleaseIf(node, release);
    return lastType;
}

int CxXml::GetChildCount(IXMLDOMNode* node, int release)
{
    long length = 0;
    if (!node || node->get_childNodes(lastList.Put()) != S_OK || !lastList || lastList->get_length(&length) != S_OK)
        return -1;
    ReleaseIf(node, release);
    return int(length);
}

bool CxXml::QueryAttributes(IXMLDOMNode* node)
{
    return node && node->get_attributes(lastAttributes.Put()) == S_OK && lastAttributes;
}

int CxXml::GetAttributesCount(IXMLDOMNode* node, int release)
{
    long length = 0;
    if (!QueryAttributes(node) || lastAttributes->get_length(&length) != S_OK) return -1;
    ReleaseIf(node, release);
    return int(length);
}

IXMLDOMNode* CxXml::GetAttributeNode(IXMLDOMNode* node, int index, int release)
{
    lastNode = nullptr;
    if (!QueryAttributes(node) || lastAttributes->get_item(index, &lastNode) != S_OK) return lastNode = nullptr;
    ReleaseIf(node, release);
    return lastNode;
}

IXMLDOMNode* CxXml::GetAttributeNode(IXMLDOMNode* node, const wchar_t* name, int release)
{
    lastNode = nullptr;
    if (!QueryAttributes(node) || lastAttributes->getNamedItem(ComBstr(name).Get(), &lastNode) != S_OK)
        return lastNode = nullptr;
    ReleaseIf(node, release);
    return lastNode;
}

CString CxXml::GetNodeName(IXMLDOMNode* node, int release)
{
    ComBstr name;
    if (!node || node->get_nodeName(name.Put()) != S_OK) return CString();
    ReleaseIf(node, release);
    return FromBstr(name.Get());
}

CString CxXml::GetNodeValue(IXMLDOMNode* node, int release)
{
    // Here S_FALSE is no failure: it answers a null value (an element, the document), which the conversion
    // below rejects with an exception.
    if (!node || FAILED(node->get_nodeValue(lastValue.Put()))) return CString();
    ComVariant text;
    const HRESULT converted = VariantChangeType(text.Put(), &lastValue.Get(), 0, VT_BSTR);
    if (FAILED(converted)) AfxThrowOleException(converted);
    ReleaseIf(node, release);
    return FromBstr(V_BSTR(&text.Get()));
}

CString CxXml::GetNodeText(IXMLDOMNode* node, int release)
{
    ComBstr text;
    if (!node || node->get_text(text.Put()) != S_OK) return CString();
    ReleaseIf(node, release);
    return FromBstr(text.Get());
}

CString CxXml::GetNodeAtt(IXMLDOMNode* node, const wchar_t* name, [[maybe_unused]] int release)
{
    // The attribute node never reaches the caller, so it is released whatever release says.
    ComPtr<IXMLDOMNode> attribute;
    attribute.Attach(GetAttributeNode(node, name, 0));
    return attribute ? GetNodeText(attribute.Get(), 0) : CString();
}

int CxXml::SetNodeText(IXMLDOMNode* node, const wchar_t* text)
{
    return node && node->put_text(ComBstr(text).Get()) == S_OK ? 1 : 0;
}

IXMLDOMNode* CxXml::InsertChildNode(IXMLDOMNode* parent, const wchar_t* name, IXMLDOMNode* reference)
{
    ComPtr<IXMLDOMElement> element;
    if (!document || !parent || document->createElement(ComBstr(name).Get(), element.Put()) != S_OK) return nullptr;
    lastNode = nullptr;
    const HRESULT inserted =
        reference ? parent->insertBefore(element.Get(), ComVariant::FromObject(reference).Get(), &lastNode)
                  : parent->appendChild(element.Get(), &lastNode);
    if (inserted != S_OK) lastNode = nullptr;
    return lastNode;
}
