#include "platform/Shell.h"

namespace platform {

int systemMessageBox(HWND owner, LPCSTR text, LPCSTR caption, UINT type)
{
    return ::MessageBoxA(owner, text, caption, type);
}

BOOL systemShellExecute(SHELLEXECUTEINFOA* info)
{
    return ::ShellExecuteExA(info);
}

} // namespace platform
