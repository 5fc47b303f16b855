#pragma once
// One tab's page: the list's file name and "%d edits" labels over its table.

#include "lists/ListTableModel.h"
#include "lists/ListTableView.h"

#include <QWidget>

class QLabel;
class QHBoxLayout;

namespace rw::qt {

class ListPane : public QWidget {
    Q_OBJECT
public:
    ListPane(dataSource& list, QWidget* parent);

    ListTableModel& model() { return *model_; }
    ListTableView& table() { return *table_; }
    QLabel& filenameLabel() { return *filename_; }
    QLabel& countLabel() { return *count_; }
    // Room for the list's own controls (the change list's hour steppers).
    QHBoxLayout& toolRow() { return *toolRow_; }

private:
    void showLabels();

    ListTableModel* model_;
    ListTableView* table_;
    QLabel* filename_;
    QLabel* count_;
    QHBoxLayout* toolRow_;
};

}  // namespace rw::qt
