// The gallery program: every control of the toolkit in one skinned window. The shell tree opens at the folder
// given on the command line, else at the program's own folder.
#include "Gallery.h"

#include "framework/Framework.h"

namespace {

// The folder named on the command line (quotes removed), else the folder of the program.
CString StartFolder()
{
    CString folder(AfxGetApp()->m_lpCmdLine);
    folder.Trim();
    folder.Trim(L'"');
    if (!folder.IsEmpty()) return folder;
    wchar_t path[MAX_PATH] = {};
    GetModuleFileNameW(nullptr, path, MAX_PATH);
    folder = path;
    return folder.Left(folder.ReverseFind(L'\\'));
}

class GalleryApp : public CWinApp {
public:
    BOOL InitInstance() override
    {
        Gdiplus::GdiplusStartupInput input;
        ULONG_PTR token = 0;
        Gdiplus::GdiplusStartup(&token, &input, nullptr);
        {
            GalleryDlg gallery(StartFolder());
            gallery.DoModal();
        }
        Gdiplus::GdiplusShutdown(token);
        return FALSE;
    }
};

GalleryApp theApp;

}  // namespace
