#pragma once
// CxXml: one document of the system's XML parser (MSXML DOM over COM), loaded from a file, walked, edited and
// saved back to that file. COM must be initialised on the calling thread by the program.
#include "QuilletApi.h"
#include "misc/ComPtr.h"

#include "framework/Strings.h"

#include <msxml2.h>

// Nodes are the parser's own IXMLDOMNode pointers. A node returned to the caller carries a reference the caller
// owns. Operations that take a node and a release flag release that node once after use when the flag is nonzero
// and the operation succeeded, so that a walk reads node = GetNextSiblingNode(node, 1); a failed operation never
// releases it. A parser call succeeds only when it answers S_OK (S_FALSE means "no such node").
class QUILLET_API CxXml {
public:
    CxXml() = default;
    // Copies share the document; each copy holds its own reference on it.
    CxXml(const CxXml&) = default;
    CxXml& operator=(const CxXml&) = default;
    // Same as Close.
    ~CxXml();

    // Creates a document of the parser class registered as progId and loads the file at path into it without
    // resolving external entities or DTDs; 1 when both succeeded. A held document is dropped once progId resolved.
    int Load(const wchar_t* path, const wchar_t* progId);
    // Writes the document back over the file it was loaded from; 1 on success.
    int Save();
    // Releases the document (and what the last queries kept).
    void Close();

    // The document's first child that is an element, or null.
    IXMLDOMNode* GetRootNode();
    // The first node selected by the XPath expression query (selectSingleNode), or null.
    IXMLDOMNode* GetNode(const wchar_t* query);
    // The node's first child (get_firstChild), or null.
    IXMLDOMNode* GetFirstChildNode(IXMLDOMNode* node, int release);
    // The node's last child (get_lastChild), or null.
    IXMLDOMNode* GetLastChildNode(IXMLDOMNode* node, int release);
    // The node's next sibling (get_nextSibling), or null.
    IXMLDOMNode* GetNextSiblingNode(IXMLDOMNode* node, int release);
    // The node's previous sibling (get_previousSibling), or null.
    IXMLDOMNode* GetPreSiblingNode(IXMLDOMNode* node, int release);
    // The node's type (get_nodeType), or NODE_INVALID.
    DOMNodeType GetNodeType(IXMLDOMNode* node, int release);
    // The number of the node's children, or -1.
    int GetChildCount(IXMLDOMNode* node, int release);
    // The number of the node's attributes, or -1 (also for a node without an attribute map, such as text).
    int GetAttributesCount(IXMLDOMNode* node, int release);
    // The node's attribute at index, or null.
    IXMLDOMNode* GetAttributeNode(IXMLDOMNode* node, int index, int release);
    // The node's attribute called name (getNamedItem), or null.
    IXMLDOMNode* GetAttributeNode(IXMLDOMNode* node, const wchar_t* name, int release);
    // The node's name (get_nodeName), or empty.
    CString GetNodeName(IXMLDOMNode* node, int release);
    // The node's value (get_nodeValue) as text, or empty; throws COleException when the value (null for an
    // element or the document) has no text form.
    CString GetNodeValue(IXMLDOMNode* node, int release);
    // The node's text with that of its descendants (get_text), or empty.
    CString GetNodeText(IXMLDOMNode* node, int release);
    // The text of the node's attribute called name, or empty. Neither node is kept: the node given is never
    // released and the attribute node always is, so release has no effect.
    CString GetNodeAtt(IXMLDOMNode* node, const wchar_t* name, int release);
    // Replaces the node's text (put_text); 1 on success.
    int SetNodeText(IXMLDOMNode* node, const wchar_t* text);
    // Creates an element called name and inserts it before reference, or appends it to parent without one;
    // returns the inserted node, or null.
    IXMLDOMNode* InsertChildNode(IXMLDOMNode* parent, const wchar_t* name, IXMLDOMNode* reference);

protected:
    // Null before Load and after Close.
    ComPtr<IXMLDOMDocument> document;
    // Out-slots of the last queries. lastNode is the caller's once returned, so it is not owned here.
    IXMLDOMNode* lastNode = nullptr;
    ComPtr<IXMLDOMNodeList> lastList;
    ComPtr<IXMLDOMNamedNodeMap> lastAttributes;
    DOMNodeType lastType = NODE_INVALID;
    ComVariant lastValue;

private:
    using NodeStep = HRESULT (STDMETHODCALLTYPE IXMLDOMNode::*)(IXMLDOMNode**);
    // One navigation step from node by the getter step, with the release convention.
    IXMLDOMNode* Step(IXMLDOMNode* node, NodeStep step, int release);
    // Fills lastAttributes with the node's attribute map; false when it has none.
    bool QueryAttributes(IXMLDOMNode* node);
};
