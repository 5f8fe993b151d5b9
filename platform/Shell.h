#pragma once

// The message box and the shell launcher of the support library, with the names and meaning of
// the Windows calls. On Windows they are the system's own. Elsewhere a message box never opens a
// window inside a host: it writes one line, "caption: text", to standard error and returns IDOK;
// ShellExecuteExA opens its file (an address) with the desktop's default handler, xdg-open, or,
// when the file is explorer.exe, the folder given as its parameters. xdg-open is started directly
// with that one argument, never through a shell, and is not waited for.
//
// Tests put a sink in place of either call, so that nothing blocks and nothing is opened.

#include "platform/WindowsTypes.h"

namespace platform {

int MessageBoxA(HWND owner, LPCSTR text, LPCSTR caption, UINT type);
BOOL ShellExecuteExA(SHELLEXECUTEINFOA* info);

using MessageBoxSink = int (*)(HWND owner, LPCSTR text, LPCSTR caption, UINT type);
using ShellExecuteSink = BOOL (*)(SHELLEXECUTEINFOA* info);
// Replace the system's call (null restores it); each returns the sink it replaced.
MessageBoxSink setMessageBoxSink(MessageBoxSink sink);
ShellExecuteSink setShellExecuteSink(ShellExecuteSink sink);

// The operating system's own calls, one file per system.
int systemMessageBox(HWND owner, LPCSTR text, LPCSTR caption, UINT type);
BOOL systemShellExecute(SHELLEXECUTEINFOA* info);

} // namespace platform
