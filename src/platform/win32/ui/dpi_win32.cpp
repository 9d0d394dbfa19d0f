// Scaling: the design's pixels to the DPI of the monitor a window is on.
#include "ui_win32.h"

#include <vector>

namespace dg::win32 {
namespace {

// Windows before 10 1607, and some Wine versions, lack the DPI functions: looked up by name.
template <class Function> Function User32Function(const char* name) {
    return reinterpret_cast<Function>(
        reinterpret_cast<void*>(GetProcAddress(GetModuleHandleA("user32.dll"), name)));
}

struct ScaledFont {
    int height;
    HFONT font;
};
// Main thread only; the fonts live as long as the program, like the stock one.
std::vector<ScaledFont> fonts;

} // namespace

int Scaled(int length, int dpi) {
    return MulDiv(length, dpi, DesignDpi);
}

RECT Scaled(const ControlRect& rect, int dpi) {
    const int left = Scaled(rect.x, dpi);
    const int top = Scaled(rect.y, dpi);
    return {left, top, left + Scaled(rect.width, dpi), top + Scaled(rect.height, dpi)};
}

int ScreenDpi() {
    HDC screen = GetDC(nullptr);
    const int dpi = GetDeviceCaps(screen, LOGPIXELSX);
    ReleaseDC(nullptr, screen);
    return dpi;
}

int SystemDpi() {
    static const auto dpiForSystem = User32Function<UINT(WINAPI*)()>("GetDpiForSystem");
    return dpiForSystem != nullptr ? static_cast<int>(dpiForSystem()) : ScreenDpi();
}

int DpiOfWindow(HWND hwnd) {
    static const auto dpiForWindow = User32Function<UINT(WINAPI*)(HWND)>("GetDpiForWindow");
    const int dpi = dpiForWindow != nullptr ? static_cast<int>(dpiForWindow(hwnd)) : 0;
    return dpi > 0 ? dpi : SystemDpi();
}

HFONT InterfaceFont(int dpi) {
    return InterfaceFontOfHeight(Scaled(DesignFontHeight, dpi));
}

HFONT InterfaceFontOfHeight(int height) {
    for (const ScaledFont& made : fonts) {
        if (made.height == height)
            return made.font;
    }
    HGDIOBJ stock = GetStockObject(DEFAULT_GUI_FONT);
    LOGFONTA face{};
    GetObjectA(stock, sizeof(face), &face);
    face.lfHeight = -height;
    face.lfWidth = 0;
    HFONT font = CreateFontIndirectA(&face);
    if (font == nullptr)
        return static_cast<HFONT>(stock);
    fonts.push_back({height, font});
    return font;
}

} // namespace dg::win32
