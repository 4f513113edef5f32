// The text form of Enc, apart from Des.cpp because it needs the framework's CString.
#include "misc/Des.h"

#include "misc/DesFile.h"

#include "Strings.h"

int Enc(const wchar_t* path, CString& text)
{
    const auto plain = quillet::ReadCipherText(path);
    if (!plain)
        return 0;
    text = CString(plain->c_str());
    return 1;
}
