#pragma once
// Small owners of COM resources: an interface reference (ComPtr, from the framework), a BSTR (ComBstr) and a
// VARIANT (ComVariant).
#include "framework/ComPtr.h"

#include <windows.h>
#include <oleauto.h>

#include <utility>

// Owns a BSTR; null stands for the empty string, as COM allows.
class ComBstr {
public:
    ComBstr() = default;
    explicit ComBstr(const wchar_t* text) : m_text(SysAllocString(text ? text : L"")) {}
    ~ComBstr() { SysFreeString(m_text); }
    ComBstr(const ComBstr&) = delete;
    ComBstr& operator=(const ComBstr&) = delete;

    BSTR Get() const { return m_text; }
    // Frees the string held and returns the slot for a call that hands out a new one.
    BSTR* Put()
    {
        SysFreeString(std::exchange(m_text, nullptr));
        return &m_text;
    }

private:
    BSTR m_text = nullptr;
};

// Owns a VARIANT and whatever it holds (a BSTR, an interface reference).
class ComVariant {
public:
    ComVariant() { VariantInit(&m_value); }
    ~ComVariant() { VariantClear(&m_value); }
    ComVariant(const ComVariant& other) : ComVariant() { CopyFrom(other); }
    ComVariant(ComVariant&& other) noexcept : m_value(other.m_value) { VariantInit(&other.m_value); }
    ComVariant& operator=(const ComVariant& other)
    {
        if (this != &other) CopyFrom(other);
        return *this;
    }

    // A string variant (VT_BSTR) with its own copy of text.
    static ComVariant FromString(const wchar_t* text)
    {
        ComVariant result;
        V_VT(&result.m_value) = VT_BSTR;
        V_BSTR(&result.m_value) = SysAllocString(text ? text : L"");
        return result;
    }
    // An object variant (VT_DISPATCH) holding its own reference on object.
    static ComVariant FromObject(IDispatch* object)
    {
        ComVariant result;
        V_VT(&result.m_value) = VT_DISPATCH;
        V_DISPATCH(&result.m_value) = object;
        if (object) object->AddRef();
        return result;
    }

    const VARIANT& Get() const { return m_value; }
    VARIANT& Get() { return m_value; }
    // Clears the value held and returns the slot for a call that hands out a new one.
    VARIANT* Put()
    {
        VariantClear(&m_value);
        return &m_value;
    }

private:
    // VariantCopy only reads its source; mingw's declaration lacks the const.
    void CopyFrom(const ComVariant& other) { VariantCopy(&m_value, const_cast<VARIANT*>(&other.m_value)); }

    VARIANT m_value;
};
