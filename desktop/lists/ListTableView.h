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
    // The column widths a header state holds (as saveState() gave it); a
    // list loaded later keeps them. False when the state does not fit.
    bool restoreColumns(const QByteArray& state);

protected:
    bool event(QEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void keyReleaseEvent(QKeyEvent* event) override;

private:
    void headerClicked(int section);
    void viewSelectionChanged();
    void showEngineSelection();
    void showSortIndicator();
    void rowsUpdated();
    void setInitialWidths();

    ListTableModel& model_;
    KLVTableView keys_;
    ShiftTracker shift_;
    bool syncing_ = false;
    bool widthsRestored_ = false;
    int shownRows_ = 0;
};

}  // namespace rw::qt
