// Controls: creation, the operations by control number, field colours and list notifications.
#include "ui_win32.h"

#include "platform/ids.h"
#include "platform/ui.h"

#include <commctrl.h>

#include <vector>

namespace dg {
namespace win32 {
namespace {

constexpr int StatusBarId = 100;
constexpr int ColumnTitleBytes = 4096;
// A list's scroll bar costs the most to paint and says the least while rows arrive below
// the visible ones.
constexpr DWORD ListCatchUpMs = 1000;
// The status line of a listing changes with every file; a third of a second keeps it readable,
// and painting it at every tick made up a quarter of the listing's cost beyond its pause.
constexpr DWORD StatusCatchUpMs = 300;

HWND CreateChild(int window, int control, const char* className, const std::string& text,
                 DWORD style, DWORD extendedStyle, ControlRect place) {
    HWND parent = WindowHandle(window);
    if (parent == nullptr) {
        return nullptr;
    }
    const RECT rect = Scaled(place, WindowDpi(window));
    return CreateWindowExA(extendedStyle, className, text.c_str(), WS_CHILD | WS_VISIBLE | style,
                           rect.left, rect.top, rect.right - rect.left, rect.bottom - rect.top,
                           parent, reinterpret_cast<HMENU>(static_cast<INT_PTR>(control)),
                           GetModuleHandleA(nullptr), nullptr);
}

void BuildControl(int window, int control, ControlKind kind, const char* className,
                  const std::string& text, DWORD style, DWORD extendedStyle, ControlRect rect) {
    if (control < 0 || control >= ControlCount) {
        return;
    }
    HWND hwnd = CreateChild(window, control, className, text, style, extendedStyle, rect);
    if (hwnd != nullptr) {
        RegisterControl(window, control, hwnd, kind, rect);
        if (kind == ControlKind::Label)
            FitLabels(window);
    }
}

// Runs action on the main thread with the control's entry; nothing for an unknown number.
void WithControl(int control, const std::function<void(ControlEntry&)>& action) {
    ControlEntry* entry = FindControl(control);
    if (entry == nullptr) {
        return;
    }
    RunOnWindowThread(entry->window, [&] {
        // The control may have gone while the call waited for the main thread.
        if (entry->hwnd != nullptr) {
            action(*entry);
        }
    });
}

bool HasText(ControlKind kind) {
    return kind == ControlKind::TextField || kind == ControlKind::Label ||
           kind == ControlKind::Button;
}

std::string WindowText(HWND hwnd) {
    std::string text(static_cast<size_t>(GetWindowTextLengthA(hwnd)) + 1, '\0');
    text.resize(
        static_cast<size_t>(GetWindowTextA(hwnd, text.data(), static_cast<int>(text.size()))));
    return text;
}

// The width of a control's text in the font, without the blanks at its end, which show nothing.
// Measured as the control keeps it, in UTF-16: the ANSI measure would read the bytes in the
// font's code page, not in the program's.
int TextWidth(HWND hwnd, HFONT font) {
    std::wstring text(static_cast<size_t>(GetWindowTextLengthW(hwnd)) + 1, L'\0');
    text.resize(
        static_cast<size_t>(GetWindowTextW(hwnd, text.data(), static_cast<int>(text.size()))));
    text.erase(text.find_last_not_of(L' ') + 1);
    HDC dc = GetDC(hwnd);
    HGDIOBJ old = SelectObject(dc, font);
    SIZE size{};
    GetTextExtentPoint32W(dc, text.c_str(), static_cast<int>(text.size()), &size);
    SelectObject(dc, old);
    ReleaseDC(hwnd, dc);
    return size.cx;
}

std::string CellText(HWND list, int row, int column) {
    std::vector<char> buffer(256);
    for (;;) {
        LVITEMA item{};
        item.iSubItem = column;
        item.pszText = buffer.data();
        item.cchTextMax = static_cast<int>(buffer.size());
        auto length = static_cast<size_t>(SendMessageA(
            list, LVM_GETITEMTEXTA, static_cast<WPARAM>(row), reinterpret_cast<LPARAM>(&item)));
        if (length + 1 < buffer.size()) {
            return std::string(buffer.data(), length);
        }
        buffer.resize(buffer.size() * 2);
    }
}

std::string ColumnTitle(HWND list, int column) {
    std::vector<char> buffer(ColumnTitleBytes);
    LVCOLUMNA header{};
    header.mask = LVCF_TEXT;
    header.pszText = buffer.data();
    header.cchTextMax = ColumnTitleBytes;
    if (SendMessageA(list, LVM_GETCOLUMNA, static_cast<WPARAM>(column),
                     reinterpret_cast<LPARAM>(&header)) == 0) {
        return {};
    }
    return header.pszText;
}

void QueueListEvent(int list, int window, int type) {
    QueueEvent(EventControl, list, window, type);
}

// A click that leaves no row selected reports the change once, before the click itself.
void OnListClick(ControlEntry& entry, int list, int window, int type) {
    HWND hwnd = entry.hwnd;
    if (SendMessageA(hwnd, LVM_GETNEXTITEM, static_cast<WPARAM>(-1), LVNI_SELECTED) < 0 &&
        entry.rememberedRow.ClickFoundNone())
        QueueListEvent(list, window, ListSelectionChanged);
    QueueListEvent(list, window, type);
}

} // namespace

void RescaleControl(ControlEntry& entry, int dpi) {
    const RECT rect = Scaled(entry.place, dpi);
    SetWindowPos(entry.hwnd, nullptr, rect.left, rect.top, rect.right - rect.left,
                 rect.bottom - rect.top, SWP_NOZORDER | SWP_NOACTIVATE);
    SendMessageA(entry.hwnd, WM_SETFONT, reinterpret_cast<WPARAM>(InterfaceFont(dpi)), TRUE);
    for (std::size_t column = 0; column < entry.columnWidths.size(); ++column) {
        SendMessageA(entry.hwnd, LVM_SETCOLUMNWIDTH, column,
                     MAKELPARAM(Scaled(entry.columnWidths[column], dpi), 0));
    }
    if (entry.kind == ControlKind::Tree)
        RescaleTree(entry.hwnd, dpi);
}

void FitLabels(int window) {
    std::vector<HWND> labels;
    for (int control = 0; control < ControlCount; ++control) {
        const ControlEntry* entry = FindControl(control);
        if (entry != nullptr && entry->window == window && entry->kind == ControlKind::Label &&
            entry->hwnd != nullptr)
            labels.push_back(entry->hwnd);
    }
    const int designed = Scaled(DesignFontHeight, WindowDpi(window));
    int height = designed;
    for (HWND label : labels) {
        RECT inside{};
        GetClientRect(label, &inside);
        while (height > designed * 3 / 4 &&
               TextWidth(label, InterfaceFontOfHeight(height)) > inside.right)
            --height;
    }
    HFONT font = InterfaceFontOfHeight(height);
    for (HWND label : labels) {
        if (reinterpret_cast<HFONT>(SendMessageA(label, WM_GETFONT, 0, 0)) != font)
            SendMessageA(label, WM_SETFONT, reinterpret_cast<WPARAM>(font), TRUE);
    }
}

bool HandleControlColour(HWND control, HDC dc, LRESULT& result) {
    ControlEntry* entry = FindControl(GetDlgCtrlID(control));
    if (entry == nullptr || entry->hwnd != control) {
        return false;
    }
    ControlKind kind = entry->kind;
    bool isField = kind == ControlKind::TextField;
    if (!(isField || kind == ControlKind::Label) || (isField && !IsWindowEnabled(control))) {
        return false;
    }
    if (entry->textColour != CLR_INVALID) {
        SetTextColor(dc, entry->textColour);
    }
    if (entry->backBrush.Get() != nullptr) {
        SetBkColor(dc, entry->backColour);
        result = reinterpret_cast<LRESULT>(entry->backBrush.Get());
        return true;
    }
    if (entry->textColour != CLR_INVALID) {
        int background = isField ? COLOR_BTNHIGHLIGHT : COLOR_BTNFACE;
        SetBkColor(dc, GetSysColor(background));
        result = reinterpret_cast<LRESULT>(GetSysColorBrush(background));
        return true;
    }
    return false;
}

bool HandleListNotify(int window, const NMHDR& header) {
    int list = static_cast<int>(header.idFrom);
    ControlEntry* entry = FindControl(list);
    if (entry == nullptr || entry->kind != ControlKind::List) {
        return false;
    }
    switch (header.code) {
    case LVN_ITEMCHANGED: {
        const auto& change = reinterpret_cast<const NMLISTVIEW&>(header);
        if ((change.uChanged & LVIF_STATE) == 0 ||
            ((change.uNewState ^ change.uOldState) & LVIS_SELECTED) == 0) {
            return false;
        }
        if ((change.uNewState & LVIS_SELECTED) != 0) {
            entry->rememberedRow.Selected(change.iItem);
        } else {
            // Wine reports the click after the button-down's deselection, in a later message.
            entry->rememberedRow.Deselected(change.iItem);
        }
        QueueListEvent(list, window, ListSelectionChanged);
        return true;
    }
    case NM_CLICK:
        OnListClick(*entry, list, window, ListLeftClick);
        return true;
    case NM_RCLICK:
        OnListClick(*entry, list, window, ListRightClick);
        return true;
    case NM_DBLCLK:
        QueueListEvent(list, window, ListLeftDoubleClick);
        return true;
    case NM_RDBLCLK:
        QueueListEvent(list, window, ListRightDoubleClick);
        return true;
    case LVN_BEGINDRAG:
        QueueListEvent(list, window, ListBeginDrag);
        return true;
    default:
        return false;
    }
}

} // namespace win32

using namespace win32;

void CreateTextField(int window, int control, ControlRect rect, int style) {
    DWORD native = WS_TABSTOP | ES_LEFT | ES_AUTOHSCROLL;
    if ((style & FieldReadOnly) != 0) {
        native |= ES_READONLY;
    }
    if ((style & FieldUpperCase) != 0) {
        native |= ES_UPPERCASE;
    }
    if ((style & FieldLowerCase) != 0) {
        native |= ES_LOWERCASE;
    }
    if ((style & FieldCentred) != 0) {
        native |= ES_CENTER;
    }
    BuildControl(window, control, ControlKind::TextField, "EDIT", "", native, WS_EX_CLIENTEDGE,
                 rect);
}

void CreateLabel(int window, int control, ControlRect rect, const std::string& text) {
    // Every label is one line of its own. Wine breaks a line whose trailing blank passes the
    // edge, and the label below would overdraw the word it moved.
    BuildControl(window, control, ControlKind::Label, "STATIC", text, SS_LEFTNOWORDWRAP, 0, rect);
}

void CreateButton(int window, int control, ControlRect rect, const std::string& text,
                  bool isDefault) {
    BuildControl(window, control, ControlKind::Button, "BUTTON", text,
                 WS_TABSTOP | (isDefault ? BS_DEFPUSHBUTTON : BS_PUSHBUTTON), 0, rect);
}

void CreateList(int window, int control, ControlRect rect) {
    BuildControl(window, control, ControlKind::List, WC_LISTVIEWA, "",
                 WS_TABSTOP | LVS_REPORT | LVS_SINGLESEL | LVS_SHOWSELALWAYS, WS_EX_CLIENTEDGE,
                 rect);
    ControlEntry* entry = FindControl(control);
    if (entry != nullptr && entry->kind == ControlKind::List) {
        DWORD extended = LVS_EX_FULLROWSELECT | LVS_EX_GRIDLINES | LVS_EX_DOUBLEBUFFER;
        SendMessageA(entry->hwnd, LVM_SETEXTENDEDLISTVIEWSTYLE, extended, extended);
    }
}

void AddListColumn(int list, const std::string& title, int width) {
    WithControl(list, [&](ControlEntry& entry) {
        if (entry.kind != ControlKind::List) {
            return;
        }
        LVCOLUMNA column{};
        column.mask = LVCF_TEXT | LVCF_WIDTH | LVCF_SUBITEM;
        column.pszText = const_cast<char*>(title.c_str());
        const auto next = static_cast<int>(entry.columnWidths.size());
        column.cx = Scaled(width, WindowDpi(entry.window));
        column.iSubItem = next;
        if (SendMessageA(entry.hwnd, LVM_INSERTCOLUMNA, static_cast<WPARAM>(next),
                         reinterpret_cast<LPARAM>(&column)) >= 0) {
            entry.columnWidths.push_back(width);
        }
    });
}

void CreateProgressBar(int window, int control, ControlRect rect) {
    BuildControl(window, control, ControlKind::Bar, PROGRESS_CLASSA, "", PBS_SMOOTH, 0, rect);
    ControlEntry* entry = FindControl(control);
    if (entry != nullptr && entry->kind == ControlKind::Bar) {
        SendMessageA(entry->hwnd, PBM_SETRANGE32, 0, 100);
    }
}

void CreateStatusBar(int window, int fieldWidth) {
    HWND hwnd = CreateChild(window, StatusBarId, STATUSCLASSNAMEA, "", 0, 0, ControlRect{});
    if (hwnd == nullptr) {
        return;
    }
    const int dpi = WindowDpi(window);
    SendMessageA(hwnd, WM_SETFONT, reinterpret_cast<WPARAM>(InterfaceFont(dpi)), 0);
    int scaledWidth = Scaled(fieldWidth, dpi);
    SendMessageA(hwnd, SB_SETPARTS, 1, reinterpret_cast<LPARAM>(&scaledWidth));
    SetStatusBarHandle(window, hwnd, fieldWidth);
}

void SetStatusText(int statusBar, int field, const std::string& text) {
    RunOnWindowThread(statusBar, [&] {
        HWND hwnd = StatusBarHandle(statusBar);
        if (hwnd != nullptr) {
            BeforeCostlyPaint(hwnd, StatusCatchUpMs);
            SendMessageA(hwnd, SB_SETTEXTA, static_cast<WPARAM>(field),
                         reinterpret_cast<LPARAM>(text.c_str()));
        }
    });
}

void SetControlText(int control, const std::string& text) {
    WithControl(control, [&](ControlEntry& entry) {
        if (HasText(entry.kind)) {
            SetWindowTextA(entry.hwnd, text.c_str());
            if (entry.kind == ControlKind::Label)
                FitLabels(entry.window);
        } else if (entry.kind == ControlKind::Tree) {
            SetTreeText(entry.hwnd, text);
        }
    });
}

std::string GetControlText(int control) {
    std::string text;
    WithControl(control, [&](ControlEntry& entry) {
        if (HasText(entry.kind)) {
            text = WindowText(entry.hwnd);
        } else if (entry.kind == ControlKind::Tree) {
            text = TreeText(entry.hwnd);
        }
    });
    return text;
}

void SetControlColor(int control, int kind, int colour) {
    WithControl(control, [&](ControlEntry& entry) {
        if (entry.kind != ControlKind::TextField && entry.kind != ControlKind::Label) {
            return;
        }
        COLORREF value = colour == DefaultColour ? CLR_INVALID : static_cast<COLORREF>(colour);
        if (kind == ColourText) {
            entry.textColour = value;
        } else if (kind == ColourBackground) {
            entry.backColour = value;
            entry.backBrush.Reset(value != CLR_INVALID ? CreateSolidBrush(value) : nullptr);
        } else {
            return;
        }
        RedrawWindow(entry.hwnd, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_FRAME);
    });
}

void DisableControl(int control, bool disabled) {
    WithControl(control, [&](ControlEntry& entry) { EnableWindow(entry.hwnd, !disabled); });
}

void HideControl(int control, bool hidden) {
    WithControl(control,
                [&](ControlEntry& entry) { ShowWindow(entry.hwnd, hidden ? SW_HIDE : SW_SHOW); });
}

int GetControlState(int control) {
    int state = 0;
    WithControl(control, [&](ControlEntry& entry) {
        if (entry.kind == ControlKind::List) {
            state = static_cast<int>(
                SendMessageA(entry.hwnd, LVM_GETNEXTITEM, static_cast<WPARAM>(-1), LVNI_SELECTED));
        } else if (entry.kind == ControlKind::Bar) {
            state = static_cast<int>(SendMessageA(entry.hwnd, PBM_GETPOS, 0, 0));
        }
    });
    return state;
}

void SetControlState(int control, int value) {
    WithControl(control, [&](ControlEntry& entry) {
        if (entry.kind == ControlKind::Bar) {
            SendMessageA(entry.hwnd, PBM_SETPOS, static_cast<WPARAM>(value), 0);
        }
    });
}

void AddListRow(int list, int position, const std::string& text) {
    WithControl(list, [&](ControlEntry& entry) {
        if (entry.kind != ControlKind::List) {
            return;
        }
        if (position == -1) {
            position = static_cast<int>(SendMessageA(entry.hwnd, LVM_GETITEMCOUNT, 0, 0));
        }
        // Only a row below the visible ones can wait: it changes nothing but the scroll bar.
        const auto visibleEnd = SendMessageA(entry.hwnd, LVM_GETTOPINDEX, 0, 0) +
                                SendMessageA(entry.hwnd, LVM_GETCOUNTPERPAGE, 0, 0);
        if (position >= visibleEnd) {
            BeforeCostlyPaint(entry.hwnd, ListCatchUpMs);
        } else {
            PaintHeld(entry.hwnd);
        }
        std::vector<std::string> cells =
            SplitListRow(text, static_cast<int>(entry.columnWidths.size()));
        LVITEMA item{};
        item.mask = LVIF_TEXT;
        item.iItem = position;
        item.pszText = cells[0].data();
        auto row = static_cast<int>(
            SendMessageA(entry.hwnd, LVM_INSERTITEMA, 0, reinterpret_cast<LPARAM>(&item)));
        if (row < 0) {
            return;
        }
        for (std::size_t column = 1; column < cells.size(); ++column) {
            LVITEMA subItem{};
            subItem.iSubItem = static_cast<int>(column);
            subItem.pszText = cells[column].data();
            SendMessageA(entry.hwnd, LVM_SETITEMTEXTA, static_cast<WPARAM>(row),
                         reinterpret_cast<LPARAM>(&subItem));
        }
    });
}

std::string GetListCellText(int list, int row, int column) {
    std::string text;
    WithControl(list, [&](ControlEntry& entry) {
        if (entry.kind != ControlKind::List || column < 0 ||
            column >= static_cast<int>(entry.columnWidths.size())) {
            return;
        }
        if (row == -1) {
            text = ColumnTitle(entry.hwnd, column);
        } else if (row >= 0 && row < SendMessageA(entry.hwnd, LVM_GETITEMCOUNT, 0, 0)) {
            text = CellText(entry.hwnd, row, column);
        }
    });
    return text;
}

int CountListRows(int list) {
    int count = 0;
    WithControl(list, [&](ControlEntry& entry) {
        if (entry.kind == ControlKind::List) {
            count = static_cast<int>(SendMessageA(entry.hwnd, LVM_GETITEMCOUNT, 0, 0));
        }
    });
    return count;
}

void ClearList(int list) {
    WithControl(list, [&](ControlEntry& entry) {
        if (entry.kind == ControlKind::List) {
            SendMessageA(entry.hwnd, LVM_DELETEALLITEMS, 0, 0);
            PaintHeld(entry.hwnd);
        }
    });
}

} // namespace dg
