// The shell's windows on real windows: the backend puts controls where the design asks, scaled
// from its 96 DPI to the DPI of the window's monitor, inside a client area of the asked size
// that menus and the status line do not shrink. tests/CMakeLists.txt runs ScaledLayout again
// with the screen at 120, 144 and 192 DPI.
#include "win32_test_support.h"

#include "expected_ui.h"
#include "shell/about_window.h"
#include "shell/directory_window.h"
#include "shell/main_window.h"

#include <span>

namespace dg::test {
namespace {

// A design length at a DPI, to the nearest pixel, halves up.
int AtDpi(int length, int dpi) {
    return (length * dpi + 48) / 96;
}

RECT PlaceInParent(HWND hwnd) {
    RECT rect{};
    GetWindowRect(hwnd, &rect);
    MapWindowPoints(nullptr, GetParent(hwnd), reinterpret_cast<POINT*>(&rect), 2);
    return rect;
}

LOGFONTA FontOf(HWND hwnd) {
    LOGFONTA font{};
    GetObjectA(reinterpret_cast<HGDIOBJ>(SendMessageA(hwnd, WM_GETFONT, 0, 0)), sizeof(font),
               &font);
    return font;
}

// Whether the text, without the blanks at its end, fits the control in that font.
bool Whole(HWND hwnd, const LOGFONTA& font) {
    wchar_t text[256] = L"";
    std::wstring shown(text, static_cast<std::size_t>(GetWindowTextW(hwnd, text, 256)));
    shown.erase(shown.find_last_not_of(L' ') + 1);
    HFONT made = CreateFontIndirectA(&font);
    HDC dc = GetDC(hwnd);
    HGDIOBJ old = SelectObject(dc, made);
    SIZE size{};
    GetTextExtentPoint32W(dc, shown.c_str(), static_cast<int>(shown.size()), &size);
    SelectObject(dc, old);
    ReleaseDC(hwnd, dc);
    DeleteObject(made);
    RECT inside{};
    GetClientRect(hwnd, &inside);
    return size.cx <= inside.right;
}

// Every control has the interface font scaled, but where the system's font is wider than the
// one the layouts were made for, the window's labels share the largest size at which each one
// is whole. A label's text that still reaches its edge is cut, not wrapped.
void ExpectFonts(std::span<const expected::Placed> controls, int dpi) {
    const int scaled = AtDpi(expected::FontHeight, dpi);
    int labelHeight = 0;
    bool largerCuts = false;
    for (const expected::Placed& placed : controls) {
        SCOPED_TRACE("control " + std::to_string(placed.control));
        HWND hwnd = ControlHandle(placed.control);
        LOGFONTA font = FontOf(hwnd);
        char kind[16] = "";
        GetClassNameA(hwnd, kind, sizeof(kind));
        if (std::string(kind) != "Static") {
            EXPECT_EQ(font.lfHeight, -scaled);
            continue;
        }
        if (labelHeight == 0)
            labelHeight = -font.lfHeight;
        EXPECT_EQ(-font.lfHeight, labelHeight);
        EXPECT_EQ(GetWindowLongA(hwnd, GWL_STYLE) & SS_TYPEMASK, SS_LEFTNOWORDWRAP);
        EXPECT_TRUE(Whole(hwnd, font));
        font.lfHeight -= 1;
        largerCuts = largerCuts || !Whole(hwnd, font);
    }
    EXPECT_LE(labelHeight, scaled);
    if (labelHeight != 0 && labelHeight != scaled) {
        EXPECT_TRUE(largerCuts) << "labels at " << labelHeight << " px where " << scaled
                                << " px would fit";
    }
}

void ExpectPlaced(const expected::Placed& placed, int dpi) {
    SCOPED_TRACE("control " + std::to_string(placed.control));
    HWND hwnd = ControlHandle(placed.control);
    const RECT rect = PlaceInParent(hwnd);
    EXPECT_EQ(rect.left, AtDpi(placed.x, dpi));
    EXPECT_EQ(rect.top, AtDpi(placed.y, dpi));
    EXPECT_EQ(rect.right - rect.left, AtDpi(placed.width, dpi));
    EXPECT_EQ(rect.bottom - rect.top, AtDpi(placed.height, dpi));
}

struct Shown {
    const char* name;
    int window;
    bool (*open)();
    int width, height;
    std::span<const expected::Placed> controls;
};

const Shown ShownWindows[] = {
    {"Main", MainWindow, BuildMainWindow, expected::MainWidth, expected::MainHeight,
     expected::MainControls},
    {"Directory", DirectoryWindow, OpenDirectoryWindow, expected::DirectoryWidth,
     expected::DirectoryHeight, expected::DirectoryControls},
    {"About", AboutWindow, OpenAboutWindow, expected::AboutWidth, expected::AboutHeight,
     expected::AboutControls},
};

void ExpectLaidOut(const Shown& shown, int dpi) {
    SCOPED_TRACE(std::to_string(dpi) + " DPI");
    RECT client{};
    GetClientRect(win32::WindowHandle(shown.window), &client);
    EXPECT_EQ(client.right, AtDpi(shown.width, dpi));
    EXPECT_EQ(client.bottom, AtDpi(shown.height, dpi));
    for (const expected::Placed& placed : shown.controls)
        ExpectPlaced(placed, dpi);
    ExpectFonts(shown.controls, dpi);
    if (shown.window == MainWindow) {
        // The list's columns and the status line.
        HWND list = ControlHandle(ResultList);
        for (int column = 0; column < std::ssize(expected::ResultColumns); ++column)
            EXPECT_EQ(SendMessageA(list, LVM_GETCOLUMNWIDTH, column, 0),
                      AtDpi(expected::ResultColumns[column].width, dpi));
        HWND status = win32::StatusBarHandle(MainWindow);
        int edge = 0;
        SendMessageA(status, SB_GETPARTS, 1, reinterpret_cast<LPARAM>(&edge));
        EXPECT_EQ(edge, AtDpi(expected::StatusFieldWidth, dpi));
        EXPECT_EQ(FontOf(status).lfHeight, -AtDpi(expected::FontHeight, dpi));
        // Along the client area's bottom, below every control.
        const RECT place = PlaceInParent(status);
        EXPECT_EQ(place.bottom, client.bottom);
        EXPECT_GE(place.top, AtDpi(245, dpi));
        EXPECT_GE(place.bottom - place.top, 18);
    }
    if (shown.window == DirectoryWindow) {
        int width = 0;
        int height = 0;
        ImageList_GetIconSize(TreeView_GetImageList(ControlHandle(DirectoryTree), TVSIL_NORMAL),
                              &width, &height);
        EXPECT_EQ(width, AtDpi(expected::SmallIconSize, dpi));
        EXPECT_EQ(height, AtDpi(expected::SmallIconSize, dpi));
    }
}

class ScaledLayout : public WindowTest, public ::testing::WithParamInterface<Shown> {};

TEST_P(ScaledLayout, AtTheScreensDpiAndAfterAMoveToEachOther) {
    const Shown& shown = GetParam();
    ASSERT_TRUE(shown.open());
    HWND hwnd = win32::WindowHandle(shown.window);
    ExpectLaidOut(shown, static_cast<int>(GetDpiForSystem()));
    // Centred on the screen, of a fixed size.
    RECT outer{};
    GetWindowRect(hwnd, &outer);
    EXPECT_EQ(outer.left, (GetSystemMetrics(SM_CXSCREEN) - (outer.right - outer.left)) / 2);
    EXPECT_EQ(outer.top, (GetSystemMetrics(SM_CYSCREEN) - (outer.bottom - outer.top)) / 2);
    // Only the main window can be minimized; the others stay on top of it.
    const bool main = shown.window == MainWindow;
    EXPECT_EQ(GetWindowLongA(hwnd, GWL_STYLE) & (WS_MINIMIZEBOX | WS_MAXIMIZEBOX | WS_THICKFRAME),
              main ? WS_MINIMIZEBOX : 0);
    EXPECT_EQ((GetWindowLongA(hwnd, GWL_EXSTYLE) & WS_EX_TOPMOST) != 0, !main);
    if (shown.window == AboutWindow) {
        EXPECT_EQ(GetWindowLongA(ControlHandle(AboutOkButton), GWL_STYLE) & BS_TYPEMASK,
                  BS_DEFPUSHBUTTON);
    }

    // What Windows sends a window dragged onto a monitor of that DPI: the DPI and a rectangle
    // of the size the window should now have, moved a little.
    for (int dpi : {120, 144, 192, 96}) {
        RECT suggested{0, 0, AtDpi(shown.width, dpi), AtDpi(shown.height, dpi)};
        AdjustWindowRectEx(&suggested, static_cast<DWORD>(GetWindowLongA(hwnd, GWL_STYLE)),
                           GetMenu(hwnd) != nullptr,
                           static_cast<DWORD>(GetWindowLongA(hwnd, GWL_EXSTYLE)));
        OffsetRect(&suggested, 40 - suggested.left, 30 - suggested.top);
        SendMessageA(hwnd, WM_DPICHANGED, MAKEWPARAM(dpi, dpi),
                     reinterpret_cast<LPARAM>(&suggested));
        GetWindowRect(hwnd, &outer);
        EXPECT_TRUE(EqualRect(&outer, &suggested)) << dpi;
        ExpectLaidOut(shown, dpi);
    }
}

INSTANTIATE_TEST_SUITE_P(EachWindow, ScaledLayout, ::testing::ValuesIn(ShownWindows),
                         [](const auto& each) { return std::string(each.param.name); });

// Where user32 lacks the DPI functions, the screen's DPI stands in for them.
TEST(ScaledLayoutDpi, TheScreensDpiAgreesWithUser32s) {
    EXPECT_EQ(win32::ScreenDpi(), static_cast<int>(GetDpiForSystem()));
    EXPECT_EQ(win32::SystemDpi(), static_cast<int>(GetDpiForSystem()));
}

using LayoutTest = WindowTest;

// A window on a monitor of another DPI than the system's makes its controls for its own.
TEST_F(LayoutTest, AControlMadeAfterAMoveTakesTheWindowsDpi) {
    ASSERT_TRUE(OpenWindow(AboutWindow, expected::AboutWidth, expected::AboutHeight, "", 0));
    HWND hwnd = win32::WindowHandle(AboutWindow);
    RECT suggested{};
    GetWindowRect(hwnd, &suggested);
    SendMessageA(hwnd, WM_DPICHANGED, MAKEWPARAM(192, 192), reinterpret_cast<LPARAM>(&suggested));
    const expected::Placed& ok = expected::AboutControls[5];
    CreateButton(AboutWindow, ok.control, {ok.x, ok.y, ok.width, ok.height}, ok.text, true);
    ExpectPlaced(ok, 192);
    EXPECT_EQ(FontOf(ControlHandle(ok.control)).lfHeight, -AtDpi(expected::FontHeight, 192));
}

// The test program carries digestorium.exe's manifest, so what it asks for holds here too:
// the About texts depend on it.
TEST(Manifest, AnsiCodePageIsUtf8) {
    EXPECT_TRUE(AnsiCodePageIsUtf8());
}

// Windows scales the windows of a program that does not say so as pictures: blurred text.
// Wine treats every program as aware, so what is read is what the system's loader took from
// the manifest: per monitor (version 2 first), per monitor or system on older Windows.
std::wstring ManifestSetting(const wchar_t* space, const wchar_t* name) {
    wchar_t value[64] = {};
    SIZE_T length = 0;
    if (!QueryActCtxSettingsW(0, nullptr, space, name, value, std::size(value), &length))
        return L"none";
    return value;
}

TEST(Manifest, DeclaresPerMonitorDpiAwareness) {
    EXPECT_EQ(
        ManifestSetting(L"http://schemas.microsoft.com/SMI/2016/WindowsSettings", L"dpiAwareness"),
        L"PerMonitorV2, PerMonitor");
    EXPECT_EQ(
        ManifestSetting(L"http://schemas.microsoft.com/SMI/2005/WindowsSettings", L"dpiAware"),
        L"true/pm");
}

} // namespace
} // namespace dg::test
