#pragma once
// A table model over one list controller: it reads the live list, the cells
// and colours from the engine, writes typed values back through it, and is
// the controller's TablePort: the controller's row notices become the model's
// begin/end insert, remove and layout calls and dataChanged, so views keep
// their scroll position, current cell, selection and open editor.

#include "app/Verification.h"
#include "lists/DataSource.h"
#include "ports/TablePort.h"

#include <QAbstractTableModel>
#include <QPersistentModelIndex>

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
    // The change list's "verdict" column: each event's verdict from the last
    // check against the movies, in the verdict's colour.
    void showVerdicts(const Verification& verification);
    bool hasVerdicts() const { return verification_ && verification_->checked(); }
    // Between a "will" and its "did": the view leaves the selection alone.
    bool changingRows() const { return changing_; }

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;
    Qt::ItemFlags flags(const QModelIndex& index) const override;
    bool setData(const QModelIndex& index, const QVariant& value, int role) override;

    void rowsWillChange(const RowChange& change) override;
    void rowsDidChange(const RowChange& change) override;
    void labelsChanged() override;
    void selectionChanged() override;
    void scrollRowToVisible(std::size_t row) override;

signals:
    void engineSelectionChanged();
    void scrollRequested(int row);
    void labelsUpdated();
    // After every change of the rows (the list's values, order or length).
    void rowsUpdated();
    // A typed value the engine refused, with the reason.
    void entryRefused(const QString& reason);

private:
    QVariant verdictData(std::size_t row, int role) const;
    bool selected(std::size_t row) const;

    dataSource& list_;
    std::vector<std::string> columns_;
    const Verification* verification_ = nullptr;
    std::vector<std::size_t> shownSelection_;  // the rows whose colours show as selected
    bool changing_ = false;
    // Across a reorder: the persistent indexes and the events they stood on.
    QModelIndexList movingIndexes_;
    std::vector<const edit*> movingEvents_;
};

}  // namespace rw::qt
