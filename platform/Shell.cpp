#include "platform/Shell.h"

#include <atomic>

namespace platform {
namespace {
std::atomic<MessageBoxSink> messageBoxSink{nullptr};
std::atomic<ShellExecuteSink> shellExecuteSink{nullptr};
} // namespace

int MessageBoxA(HWND owner, LPCSTR text, LPCSTR caption, UINT type)
{
    if (const MessageBoxSink sink = messageBoxSink.load(std::memory_order_acquire))
        return sink(owner, text, caption, type);
    return systemMessageBox(owner, text, caption, type);
}

BOOL ShellExecuteExA(SHELLEXECUTEINFOA* info)
{
    if (const ShellExecuteSink sink = shellExecuteSink.load(std::memory_order_acquire))
        return sink(info);
    return systemShellExecute(info);
}

MessageBoxSink setMessageBoxSink(MessageBoxSink sink)
{
    return messageBoxSink.exchange(sink, std::memory_order_acq_rel);
}

ShellExecuteSink setShellExecuteSink(ShellExecuteSink sink)
{
    return shellExecuteSink.exchange(sink, std::memory_order_acq_rel);
}

} // namespace platform
