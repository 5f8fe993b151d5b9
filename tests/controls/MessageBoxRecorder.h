#pragma once

#include "platform/Shell.h"

#include <string>
#include <vector>

// Takes the place of the platform's message box for its lifetime and records every box as
// "caption|text|flags", with whether an owner window was given.
class MessageBoxRecorder {
public:
    MessageBoxRecorder() : previous(platform::setMessageBoxSink(&record)) { shown().clear(); }
    ~MessageBoxRecorder() { platform::setMessageBoxSink(previous); }
    MessageBoxRecorder(const MessageBoxRecorder&) = delete;
    MessageBoxRecorder& operator=(const MessageBoxRecorder&) = delete;

    static std::vector<std::string>& shown()
    {
        static std::vector<std::string> boxes;
        return boxes;
    }

private:
    static int record(HWND owner, LPCSTR text, LPCSTR caption, UINT type)
    {
        shown().push_back(std::string(owner ? "owned|" : "") + caption + "|" + text + "|" + std::to_string(type));
        return 1;
    }

    platform::MessageBoxSink previous;
};
