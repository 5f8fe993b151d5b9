#include "platform/Shell.h"

#include <fcntl.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <cctype>
#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <string_view>

extern char** environ;

namespace platform {
namespace {

// The first executable file called name in $PATH; empty when there is none.
std::string findInPath(const char* name)
{
    const char* path = std::getenv("PATH");
    std::string_view folders = path ? path : "/usr/local/bin:/usr/bin:/bin";
    while (!folders.empty()) {
        const size_t colon = std::min(folders.find(':'), folders.size());
        std::string candidate(folders.substr(0, colon));
        candidate.append(candidate.empty() ? "./" : "/").append(name);
        if (::access(candidate.c_str(), X_OK) == 0)
            return candidate;
        folders.remove_prefix(std::min(colon + 1, folders.size()));
    }
    return {};
}

bool isExplorer(const char* file)
{
    std::string_view path = file;
    const size_t separator = path.find_last_of("\\/");
    std::string name(path.substr(separator == std::string_view::npos ? 0 : separator + 1));
    std::transform(name.begin(), name.end(), name.begin(), [](char c) { return char(std::tolower((unsigned char)c)); });
    return name == "explorer.exe";
}

// Starts program with its one argument, detached: an intermediate child starts it and ends at
// once, so that no child is left for the host to reap. True when the program was started.
bool startDetached(const std::string& program, const std::string& argument)
{
    int report[2];
    if (::pipe2(report, O_CLOEXEC) != 0)
        return false;
    char* const argv[] = {const_cast<char*>(program.c_str()), const_cast<char*>(argument.c_str()), nullptr};
    const pid_t child = ::fork();
    if (child == 0) {
        // Only async-signal-safe calls from here on: the host may run other threads.
        ::close(report[0]);
        const pid_t grandchild = ::fork();
        if (grandchild == 0)
            ::execve(program.c_str(), argv, environ);
        if (grandchild <= 0) {
            const int error = errno;
            (void)!::write(report[1], &error, sizeof error);
        }
        ::_exit(0);
    }
    ::close(report[1]);
    bool started = false;
    if (child > 0) {
        int status = 0;
        while (::waitpid(child, &status, 0) < 0 && errno == EINTR) {
        }
        int error = 0;
        ssize_t got;
        while ((got = ::read(report[0], &error, sizeof error)) < 0 && errno == EINTR) {
        }
        started = got == 0; // the pipe closed on a successful exec
    }
    ::close(report[0]);
    return started;
}

} // namespace

int systemMessageBox(HWND, LPCSTR text, LPCSTR caption, UINT)
{
    std::string line = std::string(caption ? caption : "") + ": " + (text ? text : "");
    std::replace(line.begin(), line.end(), '\n', ' ');
    std::replace(line.begin(), line.end(), '\r', ' ');
    std::fprintf(stderr, "%s\n", line.c_str());
    return IDOK;
}

BOOL systemShellExecute(SHELLEXECUTEINFOA* info)
{
    if (!info || !info->lpFile || info->cbSize != sizeof(SHELLEXECUTEINFOA))
        return 0;
    std::string target;
    if (isExplorer(info->lpFile)) {
        target = info->lpParameters ? info->lpParameters : "";
        std::replace(target.begin(), target.end(), '\\', '/');
        if (target.empty() || target.front() == '-')
            target.insert(0, "./"); // never taken for an option
    } else {
        target = info->lpFile;
    }
    const std::string opener = findInPath("xdg-open");
    const bool started = !opener.empty() && startDetached(opener, target);
    info->hInstApp = reinterpret_cast<HINSTANCE>(started ? intptr_t(33) : SE_ERR_FNF);
    return started;
}

} // namespace platform
