// Controls on a real window: list cells and selection, text field case styles, field colours.
#include "win32_test_support.h"

namespace dg::test {
namespace {

class ControlsTest : public WindowTest {
protected:
    void SetUp() override { ASSERT_TRUE(OpenWindowWithList("Controls")); }
};

TEST_F(ControlsTest, CellsAndTitlesAreReadWhole) {
    std::string name(1000, 'n');
    std::string hash(3000, 'h');
    AddListRow(ResultList, -1, name + "\n" + hash);
    EXPECT_EQ(GetListCellText(ResultList, 0, 0), name);
    EXPECT_EQ(GetListCellText(ResultList, 0, 1), hash);
    EXPECT_EQ(GetListCellText(ResultList, -1, 0), "File Name");
    EXPECT_EQ(GetListCellText(ResultList, -1, 1), "MD5");
}

TEST_F(ControlsTest, MissingRowsAndColumnsReadEmpty) {
    AddListRow(ResultList, -1, "a\nb");
    EXPECT_EQ(GetListCellText(ResultList, 1, 0), "");
    EXPECT_EQ(GetListCellText(ResultList, -2, 0), "");
    EXPECT_EQ(GetListCellText(ResultList, 0, 2), "");
    EXPECT_EQ(GetListCellText(ResultList, -1, 2), "");
    EXPECT_EQ(GetListCellText(ResultList, 0, -1), "");
    EXPECT_EQ(GetListCellText(FileField, 0, 0), "");
    EXPECT_EQ(CountListRows(FileField), 0);
}

TEST_F(ControlsTest, SelectionStateOfEmptyAndClearedList) {
    EXPECT_EQ(GetControlState(ResultList), -1);
    AddListRow(ResultList, -1, "a\nb");
    AddListRow(ResultList, -1, "c\nd");
    SelectRow(ResultList, 1);
    EXPECT_EQ(GetControlState(ResultList), 1);
    ClearList(ResultList);
    EXPECT_EQ(CountListRows(ResultList), 0);
    EXPECT_EQ(GetControlState(ResultList), -1);
}

TEST_F(ControlsTest, CaseStylesConvertTheHeldText) {
    CreateTextField(MainWindow, FileHashField, {15, 40, 223, 20}, FieldReadOnly | FieldUpperCase);
    CreateTextField(MainWindow, FileHashLowerField, {250, 40, 223, 20},
                    FieldReadOnly | FieldLowerCase);
    CreateTextField(MainWindow, FileField, {15, 10, 458, 20}, FieldReadOnly);
    SetControlText(FileHashField, "d41d8cd98f00b204E9800998ecf8427e");
    SetControlText(FileHashLowerField, "D41D8CD98F00B204e9800998ECF8427E");
    SetControlText(FileField, "Mixed Case.txt");
    EXPECT_EQ(GetControlText(FileHashField), "D41D8CD98F00B204E9800998ECF8427E");
    EXPECT_EQ(GetControlText(FileHashLowerField), "d41d8cd98f00b204e9800998ecf8427e");
    EXPECT_EQ(GetControlText(FileField), "Mixed Case.txt");
}

// What the window procedure hands a read-only field when it is painted.
struct Paint {
    COLORREF brush;
    COLORREF text;
    COLORREF back;
};

Paint PaintColours(int control) {
    HWND field = ControlHandle(control);
    HDC dc = GetDC(field);
    SetTextColor(dc, RGB(1, 2, 3));
    SetBkColor(dc, RGB(4, 5, 6));
    auto brush = reinterpret_cast<HBRUSH>(SendMessageA(GetParent(field), WM_CTLCOLORSTATIC,
                                                       reinterpret_cast<WPARAM>(dc),
                                                       reinterpret_cast<LPARAM>(field)));
    LOGBRUSH pattern{};
    GetObjectA(brush, sizeof(pattern), &pattern);
    Paint paint{pattern.lbColor, GetTextColor(dc), GetBkColor(dc)};
    ReleaseDC(field, dc);
    return paint;
}

TEST_F(ControlsTest, BackgroundColourAndItsReset) {
    CreateTextField(MainWindow, VerdictField, {250, 70, 223, 20},
                    FieldReadOnly | FieldUpperCase | FieldCentred);
    Paint plain = PaintColours(VerdictField);
    SetControlColor(VerdictField, ColourBackground, 0xFF00);
    Paint green = PaintColours(VerdictField);
    EXPECT_EQ(green.brush, RGB(0, 255, 0));
    EXPECT_EQ(green.back, RGB(0, 255, 0));
    SetControlColor(VerdictField, ColourBackground, 0xFF);
    EXPECT_EQ(PaintColours(VerdictField).brush, RGB(255, 0, 0));
    SetControlColor(VerdictField, ColourBackground, -1);
    Paint reset = PaintColours(VerdictField);
    EXPECT_EQ(reset.brush, plain.brush);
    EXPECT_EQ(reset.back, plain.back);

    // The colour is on the screen once the field has been painted.
    SetControlColor(VerdictField, ColourBackground, 0xFFFF);
    PumpEvents(200);
    HWND field = ControlHandle(VerdictField);
    RECT inside{};
    GetClientRect(field, &inside);
    HDC dc = GetDC(field);
    EXPECT_EQ(GetPixel(dc, 3, inside.bottom / 2), RGB(255, 255, 0));
    ReleaseDC(field, dc);
}

TEST_F(ControlsTest, TextColourAloneUsesTheHighlightBackground) {
    CreateTextField(MainWindow, VerdictField, {250, 70, 223, 20}, FieldReadOnly);
    SetControlColor(VerdictField, ColourText, 0xFF);
    Paint paint = PaintColours(VerdictField);
    EXPECT_EQ(paint.text, RGB(255, 0, 0));
    EXPECT_EQ(paint.brush, GetSysColor(COLOR_BTNHIGHLIGHT));
    SetControlColor(VerdictField, ColourBackground, 0xFF00);
    EXPECT_EQ(PaintColours(VerdictField).brush, RGB(0, 255, 0));
    EXPECT_EQ(PaintColours(VerdictField).text, RGB(255, 0, 0));
}

TEST_F(ControlsTest, DisabledFieldIsPaintedInDefaultColours) {
    CreateTextField(MainWindow, VerdictField, {250, 70, 223, 20}, FieldReadOnly);
    Paint plain = PaintColours(VerdictField);
    SetControlColor(VerdictField, ColourBackground, 0xFF00);
    DisableControl(VerdictField, 1);
    EXPECT_EQ(PaintColours(VerdictField).brush, plain.brush);
    DisableControl(VerdictField, 0);
    EXPECT_EQ(PaintColours(VerdictField).brush, RGB(0, 255, 0));
}

TEST_F(ControlsTest, MenuBarKeepsTheClientAreaCentred) {
    ASSERT_NE(CreateMenuBar(MainWindow), 0);
    AddMenu("&File");
    AddMenuItem(MenuSelectFile, "Select &File\tCtrl+F");
    AddMenu("&Help");
    AddMenuItem(MenuAbout, "&About");
    CreateStatusBar(MainWindow, 560);
    HWND hwnd = win32::WindowHandle(MainWindow);
    RECT client{};
    GetClientRect(hwnd, &client);
    EXPECT_EQ(client.right, 560);
    EXPECT_EQ(client.bottom, 295);
    RECT outer{};
    GetWindowRect(hwnd, &outer);
    EXPECT_EQ(outer.left, (GetSystemMetrics(SM_CXSCREEN) - (outer.right - outer.left)) / 2);
    EXPECT_EQ(outer.top, (GetSystemMetrics(SM_CYSCREEN) - (outer.bottom - outer.top)) / 2);
    EXPECT_EQ(GetWindowLongA(hwnd, GWL_STYLE) & (WS_MAXIMIZEBOX | WS_THICKFRAME), 0);
}

TEST_F(ControlsTest, ClipboardTextOnlyInPlainTextFormat) {
    PutOnClipboard("hello");
    EXPECT_EQ(GetClipboardText(), "hello");

    // Text without its terminating zero ends within its block (Wine terminates it itself).
    ASSERT_TRUE(OpenClipboard(nullptr));
    EmptyClipboard();
    HGLOBAL memory = GlobalAlloc(GMEM_MOVEABLE, 40);
    memset(GlobalLock(memory), 'A', 40);
    GlobalUnlock(memory);
    SetClipboardData(CF_TEXT, memory);
    CloseClipboard();
    const std::string text = GetClipboardText();
    EXPECT_LE(text.size(), 40u);
    EXPECT_EQ(text, std::string(text.size(), 'A'));

    ASSERT_TRUE(OpenClipboard(nullptr));
    EmptyClipboard();
    SetClipboardData(CF_BITMAP, CreateBitmap(2, 2, 1, 32, nullptr));
    CloseClipboard();
    EXPECT_EQ(GetClipboardText(), "");
}

} // namespace
} // namespace dg::test
