// Controls on a real window: list cells, text field case styles, field colours, the clipboard.
#include "win32_test_support.h"

namespace dg::test {
namespace {

class ControlsTest : public WindowTest {
protected:
    void SetUp() override {
        ASSERT_NE(OpenWindow(MainWindow, 560, 295, "Controls", 0), 0);
        CreateList(MainWindow, ResultList, {15, 100, 528, 95});
        AddListColumn(ResultList, "File Name", 274);
        AddListColumn(ResultList, "MD5", 230);
    }
};

// Cells and titles are read whole however long; rows and columns that are not there, empty.
TEST_F(ControlsTest, ListCellsReadWholeOrEmpty) {
    const std::string name(1000, 'n'), hash(3000, 'h');
    AddListRow(ResultList, -1, name + "\n" + hash);
    const struct {
        int control, row, column;
        std::string text;
    } cells[] = {{ResultList, 0, 0, name},         {ResultList, 0, 1, hash},
                 {ResultList, -1, 0, "File Name"}, {ResultList, -1, 1, "MD5"},
                 {ResultList, 1, 0, ""},           {ResultList, -2, 0, ""},
                 {ResultList, 0, 2, ""},           {ResultList, -1, 2, ""},
                 {ResultList, 0, -1, ""},          {FileField, 0, 0, ""}};
    for (const auto& cell : cells)
        EXPECT_EQ(GetListCellText(cell.control, cell.row, cell.column), cell.text)
            << cell.control << ": " << cell.row << ", " << cell.column;
    EXPECT_EQ(CountListRows(FileField), 0);
}

TEST_F(ControlsTest, CaseStylesConvertTheHeldText) {
    const struct {
        int field, style;
        const char *text, *held;
    } fields[] = {{FileHashField, FieldUpperCase, "d41d8cd98f00b204E9800998ecf8427e",
                   "D41D8CD98F00B204E9800998ECF8427E"},
                  {FileHashLowerField, FieldLowerCase, "D41D8CD98F00B204e9800998ECF8427E",
                   "d41d8cd98f00b204e9800998ecf8427e"},
                  {FileField, 0, "Mixed Case.txt", "Mixed Case.txt"}};
    for (const auto& field : fields) {
        CreateTextField(MainWindow, field.field, {15, 10, 458, 20}, FieldReadOnly | field.style);
        SetControlText(field.field, field.text);
        EXPECT_EQ(GetControlText(field.field), field.held);
    }
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

TEST_F(ControlsTest, FieldColoursTheirResetAndTheDisabledField) {
    CreateTextField(MainWindow, VerdictField, {250, 70, 223, 20}, FieldReadOnly | FieldCentred);
    const Paint plain = PaintColours(VerdictField);
    SetControlColor(VerdictField, ColourBackground, 0xFF00);
    const Paint green = PaintColours(VerdictField);
    EXPECT_EQ(green.brush, RGB(0, 255, 0));
    EXPECT_EQ(green.back, RGB(0, 255, 0));
    // A disabled field is painted in the default colours.
    DisableControl(VerdictField, 1);
    EXPECT_EQ(PaintColours(VerdictField).brush, plain.brush);
    DisableControl(VerdictField, 0);
    SetControlColor(VerdictField, ColourBackground, -1);
    const Paint reset = PaintColours(VerdictField);
    EXPECT_EQ(reset.brush, plain.brush);
    EXPECT_EQ(reset.back, plain.back);

    // A text colour alone goes on the highlight background.
    SetControlColor(VerdictField, ColourText, 0xFF);
    const Paint red = PaintColours(VerdictField);
    EXPECT_EQ(red.text, RGB(255, 0, 0));
    EXPECT_EQ(red.brush, GetSysColor(COLOR_BTNHIGHLIGHT));

    // The colour reaches the screen once the field has been painted.
    SetControlColor(VerdictField, ColourBackground, 0xFFFF);
    HWND field = ControlHandle(VerdictField);
    RECT inside{};
    GetClientRect(field, &inside);
    HDC dc = GetDC(field);
    const auto painted = [&] { return GetPixel(dc, 3, inside.bottom / 2) == RGB(255, 255, 0); };
    PumpEvents(3000, [&](const Seen&) { return painted(); });
    EXPECT_TRUE(painted());
    ReleaseDC(field, dc);
}

TEST_F(ControlsTest, ClipboardTextOnlyInPlainTextFormat) {
    PutOnClipboard("hello");
    EXPECT_EQ(GetClipboardText(), "hello");

    // Text without its terminating zero ends within its block (Wine terminates it itself).
    PutOnClipboard(std::string(40, 'A'), false);
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
