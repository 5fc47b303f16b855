#pragma once
// The table of one list: keys go to the engine's KLVTableView rules first,
// header clicks sort the list itself, and the selection is the controller's.

#include "lists/KLVTableView.h"
#include "lists/KeyTranslation.h"
#include "lists/ListTableModel.h"

#include <QTableView>

namespace rw::qt {

class ListTableView : public QTableView {
    Q_OBJECT
public:
    ListTableView(ListTableModel& model, QWidget* parent);

protected:
    bool event(QEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void keyReleaseEvent(QKeyEvent* event) override;

private:
    void headerClicked(int section);
    void viewSelectionChanged();
    void showEngineSelection();
    void showSortIndicator();

    ListTableModel& model_;
    KLVTableView keys_;
    ShiftTracker shift_;
    bool syncing_ = false;
};

}  // namespace rw::qt
