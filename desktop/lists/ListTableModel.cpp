#include "lists/ListTableModel.h"

#include "lists/CellColor.h"
#include "lists/TableCells.h"

#include <algorithm>
#include <unordered_map>

namespace rw::qt {

namespace {

QString headerText(const std::string& column) {
    static const std::pair<const char*, const char*> titles[] = {
        {"editNum", "#"},          {"clip", "Clip"},         {"sourceIn", "Source In"}, {"sourceOut", "Source Out"},
        {"masterIn", "Master In"}, {"masterOut", "Master Out"}, {"scene", "Scene"},     {"shot", "Shot"},
        {"version", "Version"},    {"verdict", "Verdict"}};
    for (const auto& [name, title] : titles)
        if (column == name) return QObject::tr(title);
    return QString::fromStdString(column);
}

}  // namespace

ListTableModel::ListTableModel(dataSource& list, QObject* parent)
    : QAbstractTableModel(parent), list_(list), columns_(tableColumns(list.isChangeList())) {
    list_.setTable(this);
}

ListTableModel::~ListTableModel() { list_.setTable(nullptr); }

int ListTableModel::columnOf(const std::string& name) const {
    auto it = std::find(columns_.begin(), columns_.end(), name);
    return it == columns_.end() ? -1 : static_cast<int>(it - columns_.begin());
}

void ListTableModel::showVerdicts(const Verification& verification) {
    if (verification_) return;
    const int column = static_cast<int>(columns_.size());
    beginInsertColumns({}, column, column);
    columns_.push_back("verdict");
    verification_ = &verification;
    endInsertColumns();
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
    const std::string& column = columns_[index.column()];
    if (column == "verdict") return verdictData(row, role);
    if (role == Qt::DisplayRole || role == Qt::EditRole || role == Qt::ToolTipRole)
        return QString::fromStdString(list_.objectValue(column, row));
    if (role == Qt::ForegroundRole) return foregroundFor(list_.textColor(row));
    if (role == Qt::TextAlignmentRole && isTimecodeColumn(column)) return int(Qt::AlignRight | Qt::AlignVCenter);
    return {};
}

bool ListTableModel::selected(std::size_t row) const {
    return std::binary_search(list_.selectedRows().begin(), list_.selectedRows().end(), row);
}

QVariant ListTableModel::verdictData(std::size_t row, int role) const {
    const EventCheck* check = verification_->verdictFor(list_.getEditArray()[row]);
    if (!check) return {};
    if (role == Qt::DisplayRole) return QString::fromStdString(verdictLabel(*check));
    if (role == Qt::ToolTipRole) return QString::fromStdString(check->detail);
    // The swatch stays on the selection highlight, where coloured text would not read.
    if (role == Qt::DecorationRole) return toQColor(verdictColor(check->verdict));
    if (role == Qt::ForegroundRole && !selected(row)) return toQColor(verdictColor(check->verdict));
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
    const CellEditResult result = list_.setObjectValue(value.toString().toStdString(), columns_[index.column()],
                                                       static_cast<std::size_t>(index.row()));
    if (result.status == CellEditResult::Status::Refused) emit entryRefused(QString::fromStdString(result.reason));
    return result.status != CellEditResult::Status::Refused;
}

void ListTableModel::rowsWillChange(const RowChange& c) {
    changing_ = true;
    const int first = static_cast<int>(c.first), last = static_cast<int>(c.last);
    switch (c.kind) {
    case RowChange::Kind::Insert: beginInsertRows({}, first, last); break;
    case RowChange::Kind::Remove: beginRemoveRows({}, first, last); break;
    case RowChange::Kind::Reorder:
        emit layoutAboutToBeChanged({}, QAbstractItemModel::VerticalSortHint);
        movingIndexes_ = persistentIndexList();
        movingEvents_.clear();
        for (const QModelIndex& i : movingIndexes_) movingEvents_.push_back(list_.getEditArray().at(i.row()).get());
        break;
    case RowChange::Kind::Values: break;
    }
}

// Every persistent index (the views' current cell, selection, open editor)
// goes with the event it stood on.
void ListTableModel::rowsDidChange(const RowChange& c) {
    switch (c.kind) {
    case RowChange::Kind::Insert: endInsertRows(); break;
    case RowChange::Kind::Remove: endRemoveRows(); break;
    case RowChange::Kind::Reorder: {
        std::unordered_map<const edit*, int> rowOf;
        const EditArray& events = list_.getEditArray();
        for (std::size_t i = 0; i < events.size(); ++i) rowOf.emplace(events[i].get(), static_cast<int>(i));
        QModelIndexList to;
        for (int k = 0; k < movingIndexes_.size(); ++k)
            to << index(rowOf.at(movingEvents_[k]), movingIndexes_[k].column());
        changePersistentIndexList(movingIndexes_, to);
        movingIndexes_.clear();
        movingEvents_.clear();
        emit layoutChanged({}, QAbstractItemModel::VerticalSortHint);
        break;
    }
    case RowChange::Kind::Values:
        emit dataChanged(index(static_cast<int>(c.first), 0), index(static_cast<int>(c.last), columnCount() - 1));
        break;
    }
    changing_ = false;
    shownSelection_ = list_.selectedRows();
    emit rowsUpdated();
}

void ListTableModel::labelsChanged() { emit labelsUpdated(); }

void ListTableModel::selectionChanged() {
    // The highlight swap of the colours: only rows that entered or left the selection.
    std::vector<std::size_t> touched = shownSelection_;
    const auto& now = list_.selectedRows();
    touched.insert(touched.end(), now.begin(), now.end());
    shownSelection_ = now;
    std::sort(touched.begin(), touched.end());
    touched.erase(std::unique(touched.begin(), touched.end()), touched.end());
    std::erase_if(touched, [&](std::size_t r) { return r >= list_.numberOfRowsInTableView(); });
    for (std::size_t k = 0; k < touched.size();) {  // one notice per run of neighbouring rows
        std::size_t end = k + 1;
        while (end < touched.size() && touched[end] == touched[end - 1] + 1) ++end;
        emit dataChanged(index(static_cast<int>(touched[k]), 0),
                         index(static_cast<int>(touched[end - 1]), columnCount() - 1), {Qt::ForegroundRole});
        k = end;
    }
    emit engineSelectionChanged();
}

void ListTableModel::scrollRowToVisible(std::size_t row) { emit scrollRequested(static_cast<int>(row)); }

}  // namespace rw::qt
