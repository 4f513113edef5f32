#include "Runtime.h"

CObject* CRuntimeClass::CreateObject() const { return m_pfnCreateObject ? m_pfnCreateObject() : nullptr; }

bool CRuntimeClass::IsDerivedFrom(const CRuntimeClass* baseClass) const
{
    for (const CRuntimeClass* cls = this; cls; cls = cls->m_pfnGetBaseClass ? cls->m_pfnGetBaseClass() : nullptr) {
        if (cls == baseClass) return true;
    }
    return false;
}

const CRuntimeClass CObject::classCObject = {"CObject", int(sizeof(CObject)), nullptr, nullptr};

const CRuntimeClass* CObject::GetThisClass() { return &classCObject; }

const CRuntimeClass* CObject::GetRuntimeClass() const { return &classCObject; }

bool CObject::IsKindOf(const CRuntimeClass* someClass) const { return GetRuntimeClass()->IsDerivedFrom(someClass); }

IMPLEMENT_DYNAMIC(CException, CObject)
IMPLEMENT_DYNAMIC(CInvalidArgException, CException)
IMPLEMENT_DYNAMIC(COleException, CException)

void AfxThrowInvalidArgException() { throw CInvalidArgException(); }

void AfxThrowOleException(HRESULT sc) { throw COleException(sc); }
