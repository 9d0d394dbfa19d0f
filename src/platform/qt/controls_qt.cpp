// Controls: creation, the operations by control number, field colours and the list with its
// notifications.
#include "platform/qt/qt_backend.h"

#include "platform/system.h"
#include "platform/ui.h"

#include <QAbstractTableModel>
#include <QApplication>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QMouseEvent>
#include <QProgressBar>
#include <QPushButton>
#include <QTableView>

#include <algorithm>
#include <vector>

namespace dg {
namespace qt {

// The rows as the logic gave them; a table view over it stays as fast at 100,000 rows as
// at none, where a tree-based view lays every row out again on each append.
class ListModel final : public QAbstractTableModel {
public:
    using QAbstractTableModel::QAbstractTableModel;

    [[nodiscard]] int rowCount(const QModelIndex& parent) const override {
        return parent.isValid() ? 0 : Rows();
    }
    [[nodiscard]] int columnCount(const QModelIndex& parent) const override {
        return parent.isValid() ? 0 : Columns();
    }
    [[nodiscard]] QVariant data(const QModelIndex& index, int role) const override {
        if (role != Qt::DisplayRole || !index.isValid())
            return {};
        return QString::fromStdString(Cell(index.row(), index.column()));
    }
    [[nodiscard]] QVariant headerData(int section, Qt::Orientation orientation,
                                      int role) const override {
        if (role != Qt::DisplayRole || orientation != Qt::Horizontal || section >= Columns())
            return {};
        return QString::fromStdString(titles_[static_cast<std::size_t>(section)]);
    }

    [[nodiscard]] int Rows() const { return static_cast<int>(rows_.size()); }
    [[nodiscard]] int Columns() const { return static_cast<int>(titles_.size()); }
    [[nodiscard]] std::string Title(int column) const {
        return column >= 0 && column < Columns() ? titles_[static_cast<std::size_t>(column)] : "";
    }
    [[nodiscard]] std::string Cell(int row, int column) const {
        if (row < 0 || row >= Rows() || column < 0 || column >= Columns())
            return {};
        return rows_[static_cast<std::size_t>(row)][static_cast<std::size_t>(column)];
    }
    void AddColumn(const std::string& title) {
        beginInsertColumns({}, Columns(), Columns());
        titles_.push_back(title);
        for (auto& row : rows_)
            row.emplace_back();
        endInsertColumns();
    }
    void Insert(int position, std::vector<std::string> cells) {
        position = position < 0 || position > Rows() ? Rows() : position;
        beginInsertRows({}, position, position);
        rows_.insert(rows_.begin() + position, std::move(cells));
        endInsertRows();
    }
    void Clear() {
        beginResetModel();
        rows_.clear();
        endResetModel();
    }

private:
    std::vector<std::string> titles_;
    std::vector<std::vector<std::string>> rows_;
};

namespace {

constexpr int RowPadding = 4;

// A click reports after the selection it made: a click that leaves no row selected reports
// the change once, before the click itself.
void ListClicked(int list, int type) {
    ControlEntry* entry = FindControl(list, ControlKind::List);
    if (entry == nullptr)
        return;
    auto* view = static_cast<QTableView*>(entry->widget);
    if (!view->selectionModel()->hasSelection() && entry->rememberedRow.ClickFoundNone())
        QueueEvent(EventControl, list, entry->window, ListSelectionChanged);
    QueueEvent(EventControl, list, entry->window, type);
}

// The list's mouse notifications. A press below the rows takes the selection away, as in
// the Win32 list view; Qt's view would keep it.
class ListMouse final : public QObject {
public:
    ListMouse(QTableView* view, int list) : QObject(view), view_(view), list_(list) {}
    bool eventFilter(QObject* watched, QEvent* event) override {
        const auto type = event->type();
        if (!view_->isEnabled() ||
            (type != QEvent::MouseButtonPress && type != QEvent::MouseButtonRelease &&
             type != QEvent::MouseButtonDblClick))
            return QObject::eventFilter(watched, event);
        const auto* mouse = static_cast<QMouseEvent*>(event);
        const bool right = mouse->button() == Qt::RightButton;
        if (type == QEvent::MouseButtonPress &&
            !view_->indexAt(mouse->position().toPoint()).isValid())
            view_->clearSelection();
        else if (type == QEvent::MouseButtonRelease)
            ListClicked(list_, right ? ListRightClick : ListLeftClick);
        else if (type == QEvent::MouseButtonDblClick)
            QueueEvent(EventControl, list_, WindowOfList(),
                       right ? ListRightDoubleClick : ListLeftDoubleClick);
        return QObject::eventFilter(watched, event);
    }

private:
    [[nodiscard]] int WindowOfList() const {
        const ControlEntry* entry = FindControl(list_, ControlKind::List);
        return entry ? entry->window : -1;
    }
    QTableView* view_;
    int list_;
};

// Every selection change of a row is one notification.
void ListSelectionMoved(int list, const QItemSelection& selected,
                        const QItemSelection& deselected) {
    ControlEntry* entry = FindControl(list, ControlKind::List);
    if (entry == nullptr)
        return;
    for (const QModelIndex& index : deselected.indexes())
        if (index.column() == 0) {
            entry->rememberedRow.Deselected(index.row());
            QueueEvent(EventControl, list, entry->window, ListSelectionChanged);
        }
    for (const QModelIndex& index : selected.indexes())
        if (index.column() == 0) {
            entry->rememberedRow.Selected(index.row());
            QueueEvent(EventControl, list, entry->window, ListSelectionChanged);
        }
}

// Runs the action on the main thread with the control's entry, when it exists and is of
// that kind.
void WithControl(int control, ControlKind kind, const std::function<void(ControlEntry&)>& action) {
    RunOnMain([&] {
        if (ControlEntry* entry = FindControl(control, kind))
            action(*entry);
    });
}

// The Win32 colour value (red in the lowest byte) as a Qt colour.
QColor ColourOf(int colour) {
    return QColor(colour & 0xFF, (colour >> 8) & 0xFF, (colour >> 16) & 0xFF);
}

} // namespace
} // namespace qt

using namespace qt;

void CreateTextField(int window, int control, ControlRect rect, int style) {
    QWidget* client = ClientArea(window);
    if (client == nullptr)
        return;
    auto* field = new QLineEdit(client);
    field->setReadOnly((style & FieldReadOnly) != 0);
    if (style & FieldCentred)
        field->setAlignment(Qt::AlignCenter);
    RegisterControl(window, control, field, ControlKind::TextField, rect);
    if (ControlEntry* entry = FindControl(control, ControlKind::TextField))
        entry->style = style;
}

void CreateLabel(int window, int control, ControlRect rect, const std::string& text) {
    QWidget* client = ClientArea(window);
    if (client == nullptr)
        return;
    auto* label = new QLabel(QString::fromStdString(text), client);
    label->setTextFormat(Qt::PlainText);
    RegisterControl(window, control, label, ControlKind::Label, rect);
}

void CreateButton(int window, int control, ControlRect rect, const std::string& text,
                  bool isDefault) {
    QWidget* client = ClientArea(window);
    if (client == nullptr)
        return;
    auto* button = new QPushButton(QString::fromStdString(text), client);
    button->setDefault(isDefault);
    button->setAutoDefault(false);
    QObject::connect(button, &QPushButton::clicked, [control, window] {
        RecordEvent(EventControl, control, window, ButtonClicked);
    });
    RegisterControl(window, control, button, ControlKind::Button, rect);
}

void CreateList(int window, int control, ControlRect rect) {
    QWidget* client = ClientArea(window);
    if (client == nullptr || control < 0 || control >= ControlCount)
        return;
    auto* view = new QTableView(client);
    auto* model = new ListModel(view);
    view->setModel(model);
    view->setSelectionMode(QAbstractItemView::SingleSelection);
    view->setSelectionBehavior(QAbstractItemView::SelectRows);
    view->setEditTriggers(QAbstractItemView::NoEditTriggers);
    view->setShowGrid(true);
    view->setWordWrap(false);
    view->setTabKeyNavigation(false);
    view->verticalHeader()->hide();
    view->verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    view->verticalHeader()->setDefaultSectionSize(view->fontMetrics().height() + RowPadding);
    view->horizontalHeader()->setHighlightSections(false);
    view->horizontalHeader()->setSectionsClickable(false);
    view->viewport()->installEventFilter(new ListMouse(view, control));
    QObject::connect(view->selectionModel(), &QItemSelectionModel::selectionChanged,
                     [control](const QItemSelection& selected, const QItemSelection& deselected) {
                         ListSelectionMoved(control, selected, deselected);
                     });
    RegisterControl(window, control, view, ControlKind::List, rect);
    if (ControlEntry* entry = FindControl(control, ControlKind::List))
        entry->list = model;
}

void AddListColumn(int list, const std::string& title, int width) {
    WithControl(list, ControlKind::List, [&](ControlEntry& entry) {
        entry.list->AddColumn(title);
        static_cast<QTableView*>(entry.widget)->setColumnWidth(entry.list->Columns() - 1, width);
    });
}

void CreateProgressBar(int window, int control, ControlRect rect) {
    QWidget* client = ClientArea(window);
    if (client == nullptr)
        return;
    auto* bar = new QProgressBar(client);
    bar->setRange(0, 100);
    bar->setValue(0);
    bar->setTextVisible(false);
    RegisterControl(window, control, bar, ControlKind::Bar, rect);
}

void SetControlText(int control, const std::string& text) {
    WithControl(control, ControlKind::None, [&](ControlEntry& entry) {
        switch (entry.kind) {
        case ControlKind::TextField: {
            // The case styles convert what is put into the field, as the edit control does.
            std::string shown = text;
            if (entry.style & FieldUpperCase)
                shown = UpperCase(shown);
            else if (entry.style & FieldLowerCase)
                shown = LowerCase(shown);
            auto* field = static_cast<QLineEdit*>(entry.widget);
            field->setText(QString::fromStdString(shown));
            // A long text shows its beginning.
            field->setCursorPosition(0);
            break;
        }
        case ControlKind::Label:
            static_cast<QLabel*>(entry.widget)->setText(QString::fromStdString(text));
            break;
        case ControlKind::Button:
            static_cast<QPushButton*>(entry.widget)->setText(QString::fromStdString(text));
            break;
        case ControlKind::Tree:
            SetTreeText(*entry.tree, text);
            break;
        default:
            break;
        }
    });
}

std::string GetControlText(int control) {
    std::string text;
    WithControl(control, ControlKind::None, [&](ControlEntry& entry) {
        switch (entry.kind) {
        case ControlKind::TextField:
            text = static_cast<QLineEdit*>(entry.widget)->text().toStdString();
            break;
        case ControlKind::Label:
            text = static_cast<QLabel*>(entry.widget)->text().toStdString();
            break;
        case ControlKind::Button:
            text = static_cast<QPushButton*>(entry.widget)->text().toStdString();
            break;
        case ControlKind::Tree:
            text = TreeText(*entry.tree);
            break;
        default:
            break;
        }
    });
    return text;
}

void SetControlColor(int control, int kind, int colour) {
    WithControl(control, ControlKind::None, [&](ControlEntry& entry) {
        const bool field = entry.kind == ControlKind::TextField;
        if ((!field && entry.kind != ControlKind::Label) ||
            (kind != ColourText && kind != ColourBackground))
            return;
        QPalette::ColorRole role = QPalette::Text;
        if (kind == ColourBackground)
            role = field ? QPalette::Base : QPalette::Window;
        else if (!field)
            role = QPalette::WindowText;
        QWidget* widget = entry.widget;
        const QPalette standard = QApplication::palette(widget);
        QPalette palette = widget->palette();
        // A disabled field keeps the default colours; a label keeps its own.
        for (const auto group : {QPalette::Active, QPalette::Inactive, QPalette::Disabled}) {
            const bool keep = field && group == QPalette::Disabled;
            palette.setColor(group, role,
                             colour == DefaultColour || keep ? standard.color(group, role)
                                                             : ColourOf(colour));
        }
        widget->setPalette(palette);
        widget->setAutoFillBackground(!field && kind == ColourBackground);
        widget->update();
    });
}

void DisableControl(int control, bool disabled) {
    WithControl(control, ControlKind::None,
                [&](ControlEntry& entry) { entry.widget->setEnabled(!disabled); });
}

void HideControl(int control, bool hidden) {
    WithControl(control, ControlKind::None,
                [&](ControlEntry& entry) { entry.widget->setVisible(!hidden); });
}

int GetControlState(int control) {
    int state = 0;
    WithControl(control, ControlKind::None, [&](ControlEntry& entry) {
        if (entry.kind == ControlKind::List) {
            const QModelIndexList rows =
                static_cast<QTableView*>(entry.widget)->selectionModel()->selectedRows();
            state = rows.isEmpty() ? -1 : rows.first().row();
        } else if (entry.kind == ControlKind::Bar) {
            state = static_cast<QProgressBar*>(entry.widget)->value();
        }
    });
    return state;
}

void SetControlState(int control, int value) {
    WithControl(control, ControlKind::Bar, [&](ControlEntry& entry) {
        static_cast<QProgressBar*>(entry.widget)->setValue(std::clamp(value, 0, 100));
    });
}

void AddListRow(int list, int position, const std::string& text) {
    WithControl(list, ControlKind::List, [&](ControlEntry& entry) {
        entry.list->Insert(position, SplitListRow(text, entry.list->Columns()));
    });
}

std::string GetListCellText(int list, int row, int column) {
    std::string text;
    WithControl(list, ControlKind::List, [&](ControlEntry& entry) {
        text = row == -1 ? entry.list->Title(column) : entry.list->Cell(row, column);
    });
    return text;
}

int CountListRows(int list) {
    int count = 0;
    WithControl(list, ControlKind::List, [&](ControlEntry& entry) { count = entry.list->Rows(); });
    return count;
}

void ClearList(int list) {
    WithControl(list, ControlKind::List, [](ControlEntry& entry) { entry.list->Clear(); });
}

} // namespace dg
