#pragma once
// A table model over one list controller: it reads the live list, the cells
// and colours from the engine, writes typed values back through it, and is
// the controller's TablePort.

#include "lists/DataSource.h"
#include "ports/TablePort.h"

#include <QAbstractTableModel>

#include <string>
#include <vector>

namespace rw::qt {

class ListTableModel : public QAbstractTableModel, public TablePort {
    Q_OBJECT
public:
    ListTableModel(dataSource& list, QObject* parent = nullptr);
    ~ListTableModel() override;

    dataSource& list() { return list_; }
    const std::string& columnName(int column) const { return columns_.at(column); }
    int columnOf(const std::string& name) const;

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;
    Qt::ItemFlags flags(const QModelIndex& index) const override;
    bool setData(const QModelIndex& index, const QVariant& value, int role) override;
    // A header click: the engine sorts the list itself.
    void sort(int column, Qt::SortOrder order) override;

    void reloadData() override;
    void selectionChanged() override;
    void scrollRowToVisible(std::size_t row) override;

signals:
    void engineSelectionChanged();
    void scrollRequested(int row);
    void reloaded();

private:
    dataSource& list_;
    std::vector<std::string> columns_;
};

}  // namespace rw::qt
