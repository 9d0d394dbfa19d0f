// The directory tree: a tree view that draws the folder tree model and reads a folder when
// its node is first expanded. Its texts are the system's paths.
#include "platform/qt/qt_backend.h"

#include "platform/folder_source.h"
#include "platform/portable/folder_tree.h"
#include "platform/tree.h"

#include <QHeaderView>
#include <QIcon>
#include <QMessageBox>
#include <QPushButton>
#include <QSocketNotifier>
#include <QStyle>
#include <QTreeWidget>

#include <fcntl.h>
#include <unistd.h>

namespace dg {
namespace qt {

class TreeControl final : public QTreeWidget, public FolderTreeView {
public:
    TreeControl(QWidget* parent, int control, int window, FolderSource& source)
        : QTreeWidget(parent), control_(control), window_(window), model_(source, this) {
        setHeaderHidden(true);
        setColumnCount(1);
        // Long names scroll sideways, whole, as in the Win32 tree.
        header()->setStretchLastSection(false);
        header()->setSectionResizeMode(0, QHeaderView::ResizeToContents);
        // A node without children to show does not open, and keeps its button.
        connect(this, &QTreeWidget::itemExpanded, [this](QTreeWidgetItem* item) {
            FolderNode* node = NodeOf(item);
            if (node != nullptr && !model_.ReadChildren(*node)) {
                const QSignalBlocker quiet(this);
                item->setExpanded(false);
            }
        });
        connect(this, &QTreeWidget::currentItemChanged, [this](QTreeWidgetItem* item) {
            model_.Select(NodeOf(item));
            QueueEvent(EventControl, control_, window_, ListSelectionChanged);
        });
        FollowMounts();
    }
    ~TreeControl() override { delete prompt_; }
    TreeControl(const TreeControl&) = delete;
    TreeControl& operator=(const TreeControl&) = delete;

    FolderTree& Model() { return model_; }

    // The model's changes are drawn without the view's signals, which report the user's.
    void Cleared() override {
        const QSignalBlocker quiet(this);
        clear();
    }
    void Added(FolderNode& node) override {
        const QSignalBlocker quiet(this);
        auto* item = node.parent != nullptr ? new QTreeWidgetItem(ItemOf(*node.parent))
                                            : new QTreeWidgetItem(this);
        item->setData(0, Qt::UserRole, QVariant::fromValue(static_cast<void*>(&node)));
        node.viewItem = item;
        Describe(*item, node);
    }
    void Removing(FolderNode& node) override {
        const QSignalBlocker quiet(this);
        delete ItemOf(node);
    }
    void Collapsing(FolderNode& node) override {
        const QSignalBlocker quiet(this);
        ItemOf(node)->setExpanded(false);
        qDeleteAll(ItemOf(node)->takeChildren());
    }
    void Changed(FolderNode& node) override {
        const QSignalBlocker quiet(this);
        Describe(*ItemOf(node), node);
    }
    void Expanded(FolderNode& node) override {
        const QSignalBlocker quiet(this);
        ItemOf(node)->setExpanded(true);
    }
    void Selected(FolderNode* node) override {
        const QSignalBlocker quiet(this);
        if (node == nullptr) {
            setCurrentItem(nullptr);
            return;
        }
        // Centred: a sideways scroll bar that comes with long names would hide the bottom row.
        scrollToItem(ItemOf(*node), QAbstractItemView::PositionAtCenter);
        setCurrentItem(ItemOf(*node));
    }
    // Asks for a medium in the volume; the tree takes no input meanwhile.
    void PromptChanged(const FolderNode* volume) override {
        delete prompt_;
        prompt_ = nullptr;
        setEnabled(volume == nullptr);
        if (volume == nullptr)
            return;
        prompt_ = new QMessageBox(QMessageBox::NoIcon, InsertDiskTitle,
                                  QString::fromStdString(InsertDiskText(*volume)),
                                  QMessageBox::Cancel, window());
        prompt_->setModal(false);
        connect(prompt_, &QMessageBox::finished, [this] { model_.ClosePrompt(); });
        prompt_->show();
    }

private:
    static QTreeWidgetItem* ItemOf(const FolderNode& node) {
        return static_cast<QTreeWidgetItem*>(node.viewItem);
    }
    static FolderNode* NodeOf(const QTreeWidgetItem* item) {
        return item != nullptr
                   ? static_cast<FolderNode*>(item->data(0, Qt::UserRole).value<void*>())
                   : nullptr;
    }
    // The theme's icons where it has them, else the style's.
    void Describe(QTreeWidgetItem& item, FolderNode& node) {
        item.setText(0, QString::fromStdString(node.name));
        const char* name = "folder";
        QStyle::StandardPixmap fallback = QStyle::SP_DirIcon;
        if (node.kind == NodeKind::Computer) {
            name = "computer";
            fallback = QStyle::SP_ComputerIcon;
        } else if (node.kind == NodeKind::Volume) {
            name = "drive-harddisk";
            fallback = QStyle::SP_DriveHDIcon;
        } else if (node.kind == NodeKind::Place) {
            name = "user-home";
            fallback = QStyle::SP_DirHomeIcon;
        }
        item.setIcon(0, QIcon::fromTheme(name, style()->standardIcon(fallback)));
        // A listing of the folder each; native folders list fast enough to decide it here.
        if (node.kind != NodeKind::Computer)
            item.setChildIndicatorPolicy(model_.HasButton(node)
                                             ? QTreeWidgetItem::ShowIndicator
                                             : QTreeWidgetItem::DontShowIndicatorWhenChildless);
    }
    // The kernel marks the mount table exceptional when a volume is mounted or unmounted.
    void FollowMounts() {
        const int table = ::open("/proc/self/mountinfo", O_RDONLY | O_CLOEXEC);
        if (table < 0)
            return;
        auto* mounts = new QSocketNotifier(table, QSocketNotifier::Exception, this);
        connect(mounts, &QSocketNotifier::activated, [this] { model_.UpdateVolumes(); });
        connect(mounts, &QObject::destroyed, [table] { ::close(table); });
    }

    int control_;
    int window_;
    FolderTree model_;
    QMessageBox* prompt_ = nullptr;
};

std::string TreeText(TreeControl& tree) {
    return tree.Model().Text();
}

void SetTreeText(TreeControl& tree, const std::string& text) {
    tree.Model().SetText(text);
}

} // namespace qt

using namespace qt;

// Only the program's configuration is built, whatever the flags.
bool CreateDirectoryTree(int window, int control, ControlRect rect, const std::string& initialPath,
                         int) {
    QWidget* client = ClientArea(window);
    if (client == nullptr || control < 0 || control >= ControlCount)
        return false;
    auto* tree = new TreeControl(client, control, window, SystemFolderSource());
    RegisterControl(window, control, tree, ControlKind::Tree, rect);
    if (ControlEntry* entry = FindControl(control, ControlKind::Tree))
        entry->tree = tree;
    SetTreeText(*tree, "");
    SetTreeText(*tree, initialPath);
    return true;
}

} // namespace dg
