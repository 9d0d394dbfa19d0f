#include "platform/headless/tree_headless.h"

#include "platform/folder_source.h"
#include "platform/portable/folder_tree.h"

namespace dg::headless::detail {

namespace {

FolderTree& Model(ControlData& tree) {
    if (!tree.tree)
        tree.tree = std::make_shared<FolderTree>(SystemFolderSource());
    return *tree.tree;
}

void ShowSelection(ControlData& tree) {
    tree.state.text = SystemFolderSource().SystemPath(Model(tree).Text());
}

} // namespace

void SetTreeText(ControlData& tree, const std::string& text) {
    Model(tree).SetText(SystemFolderSource().TreePath(text));
    ShowSelection(tree);
}

bool ClickTreePath(ControlData& tree, const std::string& path) {
    FolderTree& model = Model(tree);
    FolderNode* node =
        path.empty() ? model.Computer() : model.Find(SystemFolderSource().TreePath(path));
    if (node == nullptr || node == model.Selected())
        return false;
    model.Select(node);
    ShowSelection(tree);
    return true;
}

} // namespace dg::headless::detail
