// A stand-in for the operator's program editor (never shipped): a window with a text box
// that keeps every character it is typed, in arrival order, in a file beside the .exe
// named like it with ".keys" added, so a test can read what the editor launch typed.

#include <windows.h>

#include <cstdio>
#include <string>

namespace {

constexpr const char* kClass = "QuilletTestEditor";
constexpr int kEditId = 1;

std::FILE* record = nullptr;

LRESULT CALLBACK Procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_CREATE:
        ::CreateWindowExA(WS_EX_CLIENTEDGE, "EDIT", "",
                          WS_CHILD | WS_VISIBLE | ES_MULTILINE | ES_WANTRETURN, 4, 4, 392, 192,
                          window, reinterpret_cast<HMENU>(kEditId), nullptr, nullptr);
        return 0;
    case WM_SETFOCUS:
        ::SetFocus(::GetDlgItem(window, kEditId));
        return 0;
    case WM_DESTROY:
        ::PostQuitMessage(0);
        return 0;
    default:
        return ::DefWindowProcA(window, message, wParam, lParam);
    }
}

// A character as the single-byte text the editor launch types.
void Record(WPARAM character) {
    const wchar_t wide = static_cast<wchar_t>(character);
    char narrow = '?';
    ::WideCharToMultiByte(CP_ACP, 0, &wide, 1, &narrow, 1, nullptr, nullptr);
    std::fputc(static_cast<unsigned char>(narrow), record);
    std::fflush(record);
}

} // namespace

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int show) {
    char path[MAX_PATH] = {};
    ::GetModuleFileNameA(nullptr, path, MAX_PATH);
    record = std::fopen((std::string(path) + ".keys").c_str(), "wb");
    if (record == nullptr) {
        return 1;
    }
    WNDCLASSEXA type{};
    type.cbSize = sizeof type;
    type.lpfnWndProc = Procedure;
    type.hInstance = instance;
    type.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_WINDOW + 1);
    type.lpszClassName = kClass;
    ::RegisterClassExA(&type);
    const HWND window =
        ::CreateWindowExA(0, kClass, "Quillet test editor", WS_OVERLAPPEDWINDOW, CW_USEDEFAULT,
                          CW_USEDEFAULT, 420, 240, nullptr, nullptr, instance, nullptr);
    ::ShowWindow(window, show);
    MSG message{};
    while (::GetMessageA(&message, nullptr, 0, 0) > 0) {
        if (message.message == WM_CHAR) {
            Record(message.wParam);
        }
        ::TranslateMessage(&message);
        ::DispatchMessageA(&message);
    }
    std::fclose(record);
    return 0;
}
