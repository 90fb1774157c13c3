#include "base/win32/Win32Desktop.h"

#include "base/win32/AnsiText.h"

#include <shellapi.h>

#include <vector>

namespace quillet {

namespace {

// Task numbers stay in the signed 16-bit range the editor launch keeps them in.
constexpr long kLastTask = 32767;

struct WindowSearch {
    DWORD process;
    HWND found;
};

BOOL CALLBACK FindTopWindow(HWND window, LPARAM lParam) {
    auto* search = reinterpret_cast<WindowSearch*>(lParam);
    DWORD process = 0;
    ::GetWindowThreadProcessId(window, &process);
    if (process != search->process || !::IsWindowVisible(window) ||
        ::GetWindow(window, GW_OWNER) != nullptr) {
        return TRUE;
    }
    search->found = window;
    return FALSE;
}

INPUT Key(WORD virtualKey, bool up) {
    INPUT input{};
    input.type = INPUT_KEYBOARD;
    input.ki.wVk = virtualKey;
    input.ki.dwFlags = up ? KEYEVENTF_KEYUP : 0;
    return input;
}

INPUT Character(wchar_t character, bool up) {
    INPUT input{};
    input.type = INPUT_KEYBOARD;
    input.ki.wScan = static_cast<WORD>(character);
    input.ki.dwFlags = KEYEVENTF_UNICODE | (up ? KEYEVENTF_KEYUP : 0);
    return input;
}

void AddKeys(std::vector<INPUT>& inputs, unsigned char byte) {
    if (byte == '\r') {
        inputs.push_back(Key(VK_RETURN, false));
        inputs.push_back(Key(VK_RETURN, true));
        return;
    }
    if (byte >= 1 && byte <= 26) {
        const WORD letter = static_cast<WORD>('A' + byte - 1);
        inputs.push_back(Key(VK_CONTROL, false));
        inputs.push_back(Key(letter, false));
        inputs.push_back(Key(letter, true));
        inputs.push_back(Key(VK_CONTROL, true));
        return;
    }
    wchar_t wide = 0;
    const char narrow = static_cast<char>(byte);
    if (::MultiByteToWideChar(CP_ACP, 0, &narrow, 1, &wide, 1) != 1) {
        return;
    }
    inputs.push_back(Character(wide, false));
    inputs.push_back(Character(wide, true));
}

} // namespace

Win32Desktop::~Win32Desktop() {
    for (auto& [task, process] : tasks_) {
        ::CloseHandle(process.hProcess);
        ::CloseHandle(process.hThread);
    }
}

long Win32Desktop::StartProgram(const std::string& nativePath) {
    STARTUPINFOA startup{};
    startup.cb = sizeof startup;
    startup.dwFlags = STARTF_USESHOWWINDOW;
    startup.wShowWindow = SW_SHOWNORMAL;
    std::string commandLine = "\"" + nativePath + "\"";
    PROCESS_INFORMATION process{};
    if (!::CreateProcessA(nativePath.c_str(), commandLine.data(), nullptr, nullptr, FALSE, 0,
                          nullptr, nullptr, &startup, &process)) {
        return 0;
    }
    const long task = nextTask_;
    nextTask_ = nextTask_ == kLastTask ? 1 : nextTask_ + 1;
    if (const auto old = tasks_.find(task); old != tasks_.end()) {
        ::CloseHandle(old->second.hProcess);
        ::CloseHandle(old->second.hThread);
    }
    tasks_[task] = process;
    return task;
}

bool Win32Desktop::IsRunning(long task) {
    const auto it = tasks_.find(task);
    return it != tasks_.end() && ::WaitForSingleObject(it->second.hProcess, 0) == WAIT_TIMEOUT;
}

bool Win32Desktop::ActivateTask(long task) {
    const auto it = tasks_.find(task);
    if (it == tasks_.end()) {
        return false;
    }
    WindowSearch search{it->second.dwProcessId, nullptr};
    ::EnumWindows(FindTopWindow, reinterpret_cast<LPARAM>(&search));
    if (search.found == nullptr) {
        return false;
    }
    if (::IsIconic(search.found)) {
        ::ShowWindow(search.found, SW_RESTORE);
    }
    return ::SetForegroundWindow(search.found) != 0;
}

bool Win32Desktop::ForegroundIsTask(long task) {
    const auto it = tasks_.find(task);
    DWORD process = 0;
    const HWND foreground = ::GetForegroundWindow();
    return it != tasks_.end() && foreground != nullptr &&
           ::GetWindowThreadProcessId(foreground, &process) != 0 &&
           process == it->second.dwProcessId;
}

long Win32Desktop::ActiveWindow() {
    return static_cast<long>(reinterpret_cast<INT_PTR>(::GetForegroundWindow()));
}

bool Win32Desktop::PutOnTop(long window) {
    const HWND handle = reinterpret_cast<HWND>(static_cast<INT_PTR>(window));
    // Topmost, so the host's window cannot cover the editor again.
    return handle != nullptr &&
           ::SetWindowPos(handle, HWND_TOPMOST, 0, 0, 0, 0, SWP_NOSIZE | SWP_NOMOVE) != 0;
}

std::vector<INPUT> KeyStrokes(std::string_view keys) {
    std::vector<INPUT> inputs;
    for (const char byte : keys) {
        AddKeys(inputs, static_cast<unsigned char>(byte));
    }
    return inputs;
}

bool Win32Desktop::SendKeys(const std::string& keys) {
    std::vector<INPUT> inputs = KeyStrokes(keys);
    if (inputs.empty()) {
        return true;
    }
    const UINT sent = ::SendInput(static_cast<UINT>(inputs.size()), inputs.data(), sizeof(INPUT));
    return sent == inputs.size();
}

// The shell's own association, as a double click in the Explorer would open it.
bool Win32Desktop::OpenDocument(const std::filesystem::path& path) {
    const auto result = reinterpret_cast<INT_PTR>(
        ::ShellExecuteW(nullptr, L"open", path.c_str(), nullptr, nullptr, SW_SHOWNORMAL));
    return result > 32;
}

} // namespace quillet
