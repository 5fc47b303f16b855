#include "lists/ListTableModel.h"

#include "lists/CellColor.h"
#include "lists/TableCells.h"

#include <algorithm>

namespace rw::qt {

namespace {

// The OLD and NEW lists also show the VFX fields the naming schemes fill.
std::vector<std::string> columnsFor(const dataSource& list) {
    std::vector<std::string> c = {"editNum", "clip", "sourceIn", "sourceOut", "masterIn", "masterOut"};
    if (!list.isChangeList()) c.insert(c.end(), {"scene", "shot", "version"});
    return c;
}

QString headerText(const std::string& column) {
    static const std::pair<const char*, const char*> titles[] = {
        {"editNum", "#"},          {"clip", "Clip"},         {"sourceIn", "Source In"}, {"sourceOut", "Source Out"},
        {"masterIn", "Master In"}, {"masterOut", "Master Out"}, {"scene", "Scene"},     {"shot", "Shot"},
        {"version", "Version"}};
    for (const auto& [name, title] : titles)
        if (column == name) return QObject::tr(title);
    return QString::fromStdString(column);
}

}  // namespace

ListTableModel::ListTableModel(dataSource& list, QObject* parent)
    : QAbstractTableModel(parent), list_(list), columns_(columnsFor(list)) {
    list_.setTable(this);
}

ListTableModel::~ListTableModel() { list_.setTable(nullptr); }

int ListTableModel::columnOf(const std::string& name) const {
    auto it = std::find(columns_.begin(), columns_.end(), name);
    return it == columns_.end() ? -1 : static_cast<int>(it - columns_.begin());
}

int ListTableModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : static_cast<int>(list_.numberOfRowsInTableView());
}

int ListTableModel::columnCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : static_cast<int>(columns_.size());
}

QVariant ListTableModel::data(const QModelIndex& index, int role) const {
    if (!index.isValid() || static_cast<std::size_t>(index.row()) >= list_.numberOfRowsInTableView()) return {};
    const auto row = static_cast<std::size_t>(index.row());
    if (role == Qt::DisplayRole || role == Qt::EditRole)
        return QString::fromStdString(list_.objectValue(columns_[index.column()], row));
    if (role == Qt::ForegroundRole) {
        const auto& sel = list_.selectedRows();
        const bool selected = std::find(sel.begin(), sel.end(), row) != sel.end();
        return foregroundFor(cellTextColor(list_.textColor(row), selected, list_.isChangeList()));
    }
    return {};
}

QVariant ListTableModel::headerData(int section, Qt::Orientation orientation, int role) const {
    if (orientation != Qt::Horizontal || role != Qt::DisplayRole || section < 0 ||
        section >= static_cast<int>(columns_.size()))
        return QAbstractTableModel::headerData(section, orientation, role);
    return headerText(columns_[section]);
}

Qt::ItemFlags ListTableModel::flags(const QModelIndex& index) const {
    Qt::ItemFlags f = QAbstractTableModel::flags(index);
    if (index.isValid() && isColumnEditable(columns_[index.column()])) f |= Qt::ItemIsEditable;
    return f;
}

bool ListTableModel::setData(const QModelIndex& index, const QVariant& value, int role) {
    if (role != Qt::EditRole || !index.isValid() || !isColumnEditable(columns_[index.column()])) return false;
    list_.setObjectValue(value.toString().toStdString(), columns_[index.column()], static_cast<std::size_t>(index.row()));
    // A clip-name edit reloads nothing in the engine; show it anyway.
    if (index.row() < rowCount()) emit dataChanged(this->index(index.row(), 0), this->index(index.row(), columnCount() - 1));
    return true;
}

void ListTableModel::sort(int column, Qt::SortOrder order) {
    if (column < 0 || column >= static_cast<int>(columns_.size())) return;
    list_.sortByColumn(columns_[column], order == Qt::AscendingOrder);
}

void ListTableModel::reloadData() {
    beginResetModel();
    endResetModel();
    emit reloaded();
    emit engineSelectionChanged();
}

void ListTableModel::selectionChanged() {
    // The highlight swap depends on the selection.
    if (rowCount() > 0) emit dataChanged(index(0, 0), index(rowCount() - 1, columnCount() - 1), {Qt::ForegroundRole});
    emit engineSelectionChanged();
}

void ListTableModel::scrollRowToVisible(std::size_t row) { emit scrollRequested(static_cast<int>(row)); }

}  // namespace rw::qt
