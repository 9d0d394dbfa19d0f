// The directory tree: a tree-view control that draws the folder tree model, reads folders
// when a node is first expanded, follows volumes that arrive or go, and asks for a medium
// when an empty drive is expanded.
#include "ui_win32.h"

#include "platform/folder_source.h"
#include "platform/ids.h"
#include "platform/portable/folder_tree.h"
#include "platform/tree.h"
#include "platform/win32/long_paths.h"

#include <commctrl.h>
#include <dbt.h>
#include <shellapi.h>

#include <algorithm>
#include <memory>
#include <vector>

namespace dg {
namespace win32 {
namespace {

constexpr char PromptClassName[] = "DigestoriumDrivePrompt";
constexpr int PromptWidth = 330;
constexpr int PromptHeight = 90;
constexpr int SmallIconSize = 16;

} // namespace

HIMAGELIST SystemSmallIcons() {
    SHFILEINFOA info{};
    return reinterpret_cast<HIMAGELIST>(
        SHGetFileInfoA("folder", FILE_ATTRIBUTE_DIRECTORY, &info, sizeof(info),
                       SHGFI_SYSICONINDEX | SHGFI_SMALLICON | SHGFI_USEFILEATTRIBUTES));
}

namespace {

HTREEITEM ItemOf(const FolderNode& node) {
    return static_cast<HTREEITEM>(node.viewItem);
}

FolderNode* NodeOf(LPARAM param) {
    return reinterpret_cast<FolderNode*>(param);
}

// The items carry the node's look; the computer node gets no button of its own, and a
// folder's is asked for when the tree first shows it.
void Describe(TVITEMA& item, FolderNode& node) {
    item.mask |= TVIF_TEXT | TVIF_IMAGE | TVIF_SELECTEDIMAGE;
    item.pszText = node.name.data();
    item.iImage = node.icon;
    item.iSelectedImage = node.icon;
    if (node.kind != NodeKind::Computer) {
        item.mask |= TVIF_CHILDREN;
        item.cChildren = !node.button ? I_CHILDRENCALLBACK : *node.button ? 1 : 0;
    }
}

class TreeControl final : public FolderTreeView {
public:
    TreeControl(HWND hwnd, int control, int window, FolderSource& source)
        : hwnd_(hwnd), control_(control), window_(window), topLevel_(GetAncestor(hwnd, GA_ROOT)),
          model_(source, this) {}
    ~TreeControl() override { ClosePromptWindow(); }
    TreeControl(const TreeControl&) = delete;
    TreeControl& operator=(const TreeControl&) = delete;

    [[nodiscard]] HWND Handle() const { return hwnd_; }
    [[nodiscard]] HWND TopLevel() const { return topLevel_; }
    FolderTree& Model() { return model_; }
    bool OnNotify(const NMHDR& header, LRESULT& result);
    void PaintPrompt(HDC dc) const;
    // The prompt goes with its owner window, before the tree does.
    void PromptDestroyed(HWND prompt) {
        if (prompt_ == prompt)
            prompt_ = nullptr;
    }

    void Cleared() override { TreeView_DeleteAllItems(hwnd_); }
    // The system's small icons are made for the system's DPI: on a monitor of another, the
    // tree shows copies of the size for its own, made as its nodes need them.
    void UseIconsFor(int dpi);
    void Added(FolderNode& node) override {
        CoverIcon(node.icon);
        TVINSERTSTRUCTA insert{};
        insert.hParent = node.parent ? ItemOf(*node.parent) : TVI_ROOT;
        insert.hInsertAfter = TVI_LAST;
        insert.item.mask = TVIF_PARAM;
        insert.item.lParam = reinterpret_cast<LPARAM>(&node);
        Describe(insert.item, node);
        node.viewItem = reinterpret_cast<HTREEITEM>(
            SendMessageA(hwnd_, TVM_INSERTITEMA, 0, reinterpret_cast<LPARAM>(&insert)));
    }
    void Removing(FolderNode& node) override { TreeView_DeleteItem(hwnd_, ItemOf(node)); }
    void Collapsing(FolderNode& node) override {
        TreeView_Expand(hwnd_, ItemOf(node), TVE_COLLAPSE);
        while (HTREEITEM child = TreeView_GetChild(hwnd_, ItemOf(node)))
            TreeView_DeleteItem(hwnd_, child);
        TreeView_SetItemState(hwnd_, ItemOf(node), 0, TVIS_EXPANDEDONCE);
    }
    void Changed(FolderNode& node) override {
        CoverIcon(node.icon);
        TVITEMA item{};
        item.mask = TVIF_HANDLE;
        item.hItem = ItemOf(node);
        Describe(item, node);
        SendMessageA(hwnd_, TVM_SETITEMA, 0, reinterpret_cast<LPARAM>(&item));
    }
    void Expanded(FolderNode& node) override { TreeView_Expand(hwnd_, ItemOf(node), TVE_EXPAND); }
    void Selected(FolderNode* node) override {
        HTREEITEM item = node ? ItemOf(*node) : nullptr;
        if (item != nullptr)
            TreeView_EnsureVisible(hwnd_, item);
        TreeView_SelectItem(hwnd_, item);
    }
    void PromptChanged(const FolderNode* volume) override;

private:
    void QueueTreeEvent(int type) const { QueueEvent(EventControl, control_, window_, type); }
    void SelectUnderMouse() const;
    void ClosePromptWindow();
    void CoverIcon(int icon);

    HWND hwnd_;
    int control_;
    int window_;
    HWND topLevel_;
    HWND prompt_ = nullptr;
    int promptIcon_ = -1;
    OwnedImageList scaledIcons_;
    FolderTree model_;
};

// Main thread only, like the controls themselves.
std::vector<std::unique_ptr<TreeControl>> trees;

TreeControl* TreeOf(HWND hwnd) {
    const auto found = std::find_if(trees.begin(), trees.end(),
                                    [hwnd](const auto& tree) { return tree->Handle() == hwnd; });
    return found != trees.end() ? found->get() : nullptr;
}

void TreeControl::UseIconsFor(int dpi) {
    HIMAGELIST system = SystemSmallIcons();
    const int size = Scaled(SmallIconSize, dpi);
    int width = 0;
    int height = 0;
    ImageList_GetIconSize(system, &width, &height);
    HIMAGELIST made =
        width == size ? nullptr : ImageList_Create(size, size, ILC_COLOR32 | ILC_MASK, 0, 8);
    // The tree lets go of the old list before it goes.
    TreeView_SetImageList(hwnd_, made != nullptr ? made : system, TVSIL_NORMAL);
    scaledIcons_.Reset(made);
    CoverIcon(ImageList_GetImageCount(system) - 1);
}

// Copies the system's icons up to this one into the scaled list, stretched to its size.
void TreeControl::CoverIcon(int icon) {
    HIMAGELIST scaled = scaledIcons_.Get();
    if (scaled == nullptr)
        return;
    HIMAGELIST system = SystemSmallIcons();
    for (int next = ImageList_GetImageCount(scaled); next <= icon; ++next) {
        HICON copy = ImageList_GetIcon(system, next, ILD_NORMAL);
        const int added = copy != nullptr ? ImageList_ReplaceIcon(scaled, -1, copy) : -1;
        if (copy != nullptr)
            DestroyIcon(copy);
        if (added < 0)
            return;
    }
}

void TreeControl::SelectUnderMouse() const {
    const DWORD position = GetMessagePos();
    TVHITTESTINFO hit{};
    hit.pt = {static_cast<short>(LOWORD(position)), static_cast<short>(HIWORD(position))};
    ScreenToClient(hwnd_, &hit.pt);
    HTREEITEM item = TreeView_HitTest(hwnd_, &hit);
    if (item != nullptr && (hit.flags & TVHT_ONITEM) != 0)
        TreeView_SelectItem(hwnd_, item);
}

bool TreeControl::OnNotify(const NMHDR& header, LRESULT& result) {
    const auto& change = reinterpret_cast<const NMTREEVIEWA&>(header);
    switch (header.code) {
    case TVN_ITEMEXPANDINGA:
    case TVN_ITEMEXPANDINGW: {
        // A node without children to show does not open, and keeps its button.
        FolderNode* node = NodeOf(change.itemNew.lParam);
        // Painted once when all are in: Wine would redraw the scroll bar for each child.
        SendMessageA(hwnd_, WM_SETREDRAW, FALSE, 0);
        result = (change.action & TVE_EXPAND) != 0 && node && !model_.ReadChildren(*node);
        SendMessageA(hwnd_, WM_SETREDRAW, TRUE, 0);
        return true;
    }
    case TVN_GETDISPINFOA:
    case TVN_GETDISPINFOW: {
        // The tree reads the answer back from its own notification.
        auto& shown = reinterpret_cast<NMTVDISPINFOA&>(const_cast<NMHDR&>(header)).item;
        FolderNode* node = NodeOf(shown.lParam);
        if ((shown.mask & TVIF_CHILDREN) != 0 && node) {
            shown.cChildren = model_.HasButton(*node) ? 1 : 0;
            shown.mask |= TVIF_DI_SETITEM;
        }
        return true;
    }
    case TVN_SELCHANGEDA:
    case TVN_SELCHANGEDW:
        model_.Select(NodeOf(change.itemNew.lParam));
        QueueTreeEvent(ListSelectionChanged);
        return true;
    case TVN_BEGINDRAGA:
    case TVN_BEGINDRAGW:
        TreeView_SelectItem(hwnd_, change.itemNew.hItem);
        QueueTreeEvent(ListBeginDrag);
        return true;
    case NM_CLICK:
        QueueTreeEvent(ListLeftClick);
        return true;
    case NM_RCLICK:
        SelectUnderMouse();
        QueueTreeEvent(ListRightClick);
        return true;
    case NM_DBLCLK:
        QueueTreeEvent(ListLeftDoubleClick);
        return true;
    case NM_RDBLCLK:
        QueueTreeEvent(ListRightDoubleClick);
        return true;
    default:
        return false;
    }
}

// ---- The not-ready prompt ----

LRESULT CALLBACK PromptProcedure(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_NCCREATE) {
        auto* create = reinterpret_cast<CREATESTRUCTA*>(lParam);
        SetWindowLongPtrA(hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(create->lpCreateParams));
    }
    auto* tree = reinterpret_cast<TreeControl*>(GetWindowLongPtrA(hwnd, GWLP_USERDATA));
    switch (message) {
    case WM_COMMAND:
        if (LOWORD(wParam) != IDCANCEL)
            break;
        [[fallthrough]];
    case WM_CLOSE:
        tree->Model().ClosePrompt();
        return 0;
    case WM_NCDESTROY:
        tree->PromptDestroyed(hwnd);
        break;
    case WM_PAINT: {
        PAINTSTRUCT paint;
        HDC dc = BeginPaint(hwnd, &paint);
        tree->PaintPrompt(dc);
        EndPaint(hwnd, &paint);
        return 0;
    }
    default:
        break;
    }
    return DefWindowProcA(hwnd, message, wParam, lParam);
}

void RegisterPromptClass() {
    static const bool registered = [] {
        WNDCLASSEXA windowClass{};
        windowClass.cbSize = sizeof(windowClass);
        windowClass.lpfnWndProc = PromptProcedure;
        windowClass.hInstance = GetModuleHandleA(nullptr);
        windowClass.hCursor = LoadCursorA(nullptr, IDC_ARROW);
        windowClass.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
        windowClass.lpszClassName = PromptClassName;
        return RegisterClassExA(&windowClass) != 0;
    }();
    (void)registered;
}

HWND AddPromptChild(HWND prompt, const char* className, const std::string& text, DWORD style,
                    ControlRect place, int id, int dpi) {
    const RECT rect = Scaled(place, dpi);
    HWND child = CreateWindowExA(
        0, className, text.c_str(), WS_CHILD | WS_VISIBLE | style, rect.left, rect.top,
        rect.right - rect.left, rect.bottom - rect.top, prompt,
        reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), GetModuleHandleA(nullptr), nullptr);
    SendMessageA(child, WM_SETFONT, reinterpret_cast<WPARAM>(InterfaceFont(dpi)), 0);
    return child;
}

void TreeControl::PaintPrompt(HDC dc) const {
    if (promptIcon_ >= 0)
        ImageList_Draw(TreeView_GetImageList(hwnd_, TVSIL_NORMAL), promptIcon_, dc,
                       Scaled(12, WindowDpi(window_)), Scaled(14, WindowDpi(window_)), ILD_NORMAL);
}

// Modeless, owned by the tree's window, which cannot be used while it asks.
void TreeControl::PromptChanged(const FolderNode* volume) {
    ClosePromptWindow();
    if (volume == nullptr)
        return;
    RegisterPromptClass();
    promptIcon_ = volume->icon;
    RECT owner{};
    GetWindowRect(topLevel_, &owner);
    const int dpi = WindowDpi(window_);
    RECT outer{0, 0, Scaled(PromptWidth, dpi), Scaled(PromptHeight, dpi)};
    const DWORD style = WS_POPUP | WS_CAPTION | WS_SYSMENU;
    AdjustWindowRectEx(&outer, style, FALSE, 0);
    const int width = outer.right - outer.left;
    const int height = outer.bottom - outer.top;
    prompt_ = CreateWindowExA(0, PromptClassName, InsertDiskTitle, style,
                              (owner.left + owner.right - width) / 2,
                              (owner.top + owner.bottom - height) / 2, width, height, topLevel_,
                              nullptr, GetModuleHandleA(nullptr), this);
    if (prompt_ == nullptr)
        return;
    AddPromptChild(prompt_, "STATIC", InsertDiskText(*volume), SS_LEFT,
                   {20 + SmallIconSize, 14, PromptWidth - 32 - SmallIconSize, 34}, -1, dpi);
    AddPromptChild(prompt_, "BUTTON", "Cancel", WS_TABSTOP | BS_DEFPUSHBUTTON,
                   {PromptWidth - 87, PromptHeight - 32, 75, 23}, IDCANCEL, dpi);
    EnableWindow(hwnd_, FALSE);
    ShowWindow(prompt_, SW_SHOWNORMAL);
}

void TreeControl::ClosePromptWindow() {
    if (prompt_ == nullptr)
        return;
    HWND prompt = prompt_;
    prompt_ = nullptr;
    DestroyWindow(prompt);
    EnableWindow(hwnd_, TRUE);
}

LRESULT CALLBACK TreeProcedure(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR id,
                               DWORD_PTR) {
    if (message == WM_NCDESTROY) {
        RemoveWindowSubclass(hwnd, TreeProcedure, id);
        std::erase_if(trees, [hwnd](const auto& tree) { return tree->Handle() == hwnd; });
    }
    return DefSubclassProc(hwnd, message, wParam, lParam);
}

} // namespace

void RescaleTree(HWND tree, int dpi) {
    if (TreeControl* found = TreeOf(tree))
        found->UseIconsFor(dpi);
}

bool HandleTreeNotify(int, const NMHDR& header, LRESULT& result) {
    TreeControl* tree = TreeOf(header.hwndFrom);
    return tree != nullptr && tree->OnNotify(header, result);
}

void HandleDeviceChange(HWND topLevel, WPARAM event, LPARAM data) {
    const auto* header = reinterpret_cast<const DEV_BROADCAST_HDR*>(data);
    if ((event != DBT_DEVICEARRIVAL && event != DBT_DEVICEREMOVECOMPLETE) || header == nullptr ||
        header->dbch_devicetype != DBT_DEVTYP_VOLUME)
        return;
    const std::vector<std::string> named =
        DriveRoots(reinterpret_cast<const DEV_BROADCAST_VOLUME*>(header)->dbcv_unitmask);
    for (const auto& tree : trees) {
        if (tree->TopLevel() != topLevel)
            continue;
        if (event == DBT_DEVICEARRIVAL)
            tree->Model().VolumesArrived(named);
        else
            tree->Model().VolumesRemoved(named);
    }
}

std::string TreeText(HWND tree) {
    TreeControl* found = TreeOf(tree);
    return found ? found->Model().Text() : std::string();
}

void SetTreeText(HWND tree, const std::string& text) {
    if (TreeControl* found = TreeOf(tree))
        found->Model().SetText(text);
}

bool CreateTree(int window, int control, const ControlRect& rect, const std::string& initialPath,
                FolderSource& source) {
    HWND parent = WindowHandle(window);
    if (parent == nullptr || SystemSmallIcons() == nullptr || control < 0 ||
        control >= ControlCount)
        return false;
    const RECT scaled = Scaled(rect, WindowDpi(window));
    HWND hwnd = CreateWindowExA(
        WS_EX_CLIENTEDGE, WC_TREEVIEWA, "",
        WS_CHILD | WS_VISIBLE | WS_TABSTOP | TVS_HASLINES | TVS_HASBUTTONS, scaled.left, scaled.top,
        scaled.right - scaled.left, scaled.bottom - scaled.top, parent,
        reinterpret_cast<HMENU>(static_cast<INT_PTR>(control)), GetModuleHandleA(nullptr), nullptr);
    if (hwnd == nullptr)
        return false;
    TreeView_SetExtendedStyle(hwnd, TVS_EX_DOUBLEBUFFER, TVS_EX_DOUBLEBUFFER);
    RegisterControl(window, control, hwnd, ControlKind::Tree, rect);
    trees.push_back(std::make_unique<TreeControl>(hwnd, control, window, source));
    trees.back()->UseIconsFor(WindowDpi(window));
    SetWindowSubclass(hwnd, TreeProcedure, 0, 0);
    FolderTree& model = trees.back()->Model();
    model.SetText("");
    model.SetText(initialPath);
    return true;
}

} // namespace win32

// Only the program's configuration is built, whatever the flags.
bool CreateDirectoryTree(int window, int control, ControlRect rect, const std::string& initialPath,
                         int) {
    return win32::CreateTree(window, control, rect, initialPath, SystemFolderSource());
}

} // namespace dg
