#pragma once
// CObject with run-time class records (CRuntimeClass), and the framework's exception types.
#include "FrameworkApi.h"

class CObject;

// Describes a class at run time: its name, its base and, for creatable classes, a factory.
struct FW_API CRuntimeClass {
    const char* m_lpszClassName;
    int m_nObjectSize;
    CObject* (*m_pfnCreateObject)();
    const CRuntimeClass* (*m_pfnGetBaseClass)();

    // A new object of this class, or null when the class is not creatable.
    CObject* CreateObject() const;
    // True when this class is baseClass or derives from it.
    bool IsDerivedFrom(const CRuntimeClass* baseClass) const;
};

// The root of the framework's classes: a virtual destructor and run-time class information.
class FW_API CObject {
public:
    virtual ~CObject() = default;
    virtual const CRuntimeClass* GetRuntimeClass() const;
    bool IsKindOf(const CRuntimeClass* someClass) const;

    static const CRuntimeClass* GetThisClass();
    static const CRuntimeClass classCObject;
};

#define RUNTIME_CLASS(name) (name::GetThisClass())

#define DECLARE_DYNAMIC(name)                                                                                   \
public:                                                                                                         \
    static const CRuntimeClass class##name;                                                                     \
    static const CRuntimeClass* GetThisClass();                                                                 \
    const CRuntimeClass* GetRuntimeClass() const override;

#define DECLARE_DYNCREATE(name)                                                                                 \
    DECLARE_DYNAMIC(name)                                                                                       \
    static CObject* CreateObject();

#define IMPLEMENT_RUNTIMECLASS(name, base, factory)                                                             \
    const CRuntimeClass name::class##name = {#name, int(sizeof(name)), factory, &base::GetThisClass};           \
    const CRuntimeClass* name::GetThisClass() { return &name::class##name; }                                    \
    const CRuntimeClass* name::GetRuntimeClass() const { return &name::class##name; }

#define IMPLEMENT_DYNAMIC(name, base) IMPLEMENT_RUNTIMECLASS(name, base, nullptr)

#define IMPLEMENT_DYNCREATE(name, base)                                                                         \
    CObject* name::CreateObject() { return new name; }                                                          \
    IMPLEMENT_RUNTIMECLASS(name, base, &name::CreateObject)

// Base of the framework's exceptions; they are thrown and caught by value.
class FW_API CException : public CObject {
    DECLARE_DYNAMIC(CException)
};

// Thrown when a caller passes an argument the operation cannot accept.
class FW_API CInvalidArgException : public CException {
    DECLARE_DYNAMIC(CInvalidArgException)
};

// Thrown when a COM call fails; carries the call's result code.
class FW_API COleException : public CException {
    DECLARE_DYNAMIC(COleException)
public:
    explicit COleException(HRESULT sc = E_FAIL) : m_sc(sc) {}
    HRESULT m_sc;
};

[[noreturn]] FW_API void AfxThrowInvalidArgException();
[[noreturn]] FW_API void AfxThrowOleException(HRESULT sc);
