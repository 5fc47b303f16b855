#include "lists/ListTableView.h"

#include <QHeaderView>
#include <QKeyEvent>
#include <QStyledItemDelegate>

namespace rw::qt {

namespace {

// Selected rows keep the engine's (highlight-swapped) text colour instead of
// the palette's highlighted text.
class ListCellDelegate : public QStyledItemDelegate {
public:
    using QStyledItemDelegate::QStyledItemDelegate;

protected:
    void initStyleOption(QStyleOptionViewItem* option, const QModelIndex& index) const override {
        QStyledItemDelegate::initStyleOption(option, index);
        const QVariant fg = index.data(Qt::ForegroundRole);
        if (fg.canConvert<QColor>()) option->palette.setColor(QPalette::HighlightedText, fg.value<QColor>());
    }
};

}  // namespace

ListTableView::ListTableView(ListTableModel& model, QWidget* parent)
    : QTableView(parent), model_(model), keys_(model.list()) {
    setModel(&model_);
    setItemDelegate(new ListCellDelegate(this));
    setSelectionBehavior(QAbstractItemView::SelectRows);
    setSelectionMode(QAbstractItemView::ExtendedSelection);
    setEditTriggers(QAbstractItemView::DoubleClicked | QAbstractItemView::EditKeyPressed);
    setTabKeyNavigation(false);
    setAlternatingRowColors(true);
    verticalHeader()->hide();
    verticalHeader()->setDefaultSectionSize(fontMetrics().height() + 6);
    horizontalHeader()->setSectionsClickable(true);
    horizontalHeader()->setStretchLastSection(true);
    connect(horizontalHeader(), &QHeaderView::sectionClicked, this, &ListTableView::headerClicked);
    connect(selectionModel(), &QItemSelectionModel::selectionChanged, this, &ListTableView::viewSelectionChanged);
    connect(&model_, &ListTableModel::engineSelectionChanged, this, &ListTableView::showEngineSelection);
    connect(&model_, &ListTableModel::reloaded, this, &ListTableView::showSortIndicator);
    connect(&model_, &ListTableModel::scrollRequested, this,
            [this](int row) { scrollTo(model_.index(row, 0)); });
}

void ListTableView::headerClicked(int section) {
    const auto& sorts = model_.list().sortDescriptors();
    // A second click on the first sort column reverses it.
    bool ascending = true;
    if (!sorts.empty() && sorts.front().key == model_.columnName(section)) ascending = !sorts.front().ascending;
    model_.sort(section, ascending ? Qt::AscendingOrder : Qt::DescendingOrder);
    showSortIndicator();
}

void ListTableView::showSortIndicator() {
    const auto& sorts = model_.list().sortDescriptors();
    const int column = sorts.empty() ? -1 : model_.columnOf(sorts.front().key);
    horizontalHeader()->setSortIndicatorShown(column >= 0);
    if (column >= 0)
        horizontalHeader()->setSortIndicator(column, sorts.front().ascending ? Qt::AscendingOrder : Qt::DescendingOrder);
}

void ListTableView::viewSelectionChanged() {
    if (syncing_) return;
    std::vector<std::size_t> rows;
    for (const QModelIndex& i : selectionModel()->selectedRows()) rows.push_back(static_cast<std::size_t>(i.row()));
    std::sort(rows.begin(), rows.end());
    std::optional<std::size_t> current;
    if (currentIndex().isValid()) current = static_cast<std::size_t>(currentIndex().row());
    syncing_ = true;
    model_.list().selectRows(rows, current);
    syncing_ = false;
}

void ListTableView::showEngineSelection() {
    if (syncing_) return;
    syncing_ = true;
    QItemSelection selection;
    const int lastColumn = model_.columnCount() - 1;
    for (std::size_t row : model_.list().selectedRows()) {
        const int r = static_cast<int>(row);
        selection.select(model_.index(r, 0), model_.index(r, lastColumn));
    }
    selectionModel()->select(selection, QItemSelectionModel::ClearAndSelect);
    if (auto row = model_.list().selectedRow())
        selectionModel()->setCurrentIndex(model_.index(static_cast<int>(*row), 0), QItemSelectionModel::NoUpdate);
    syncing_ = false;
}

bool ListTableView::event(QEvent* e) {
    // Tab belongs to the list (it cycles the tabs), not to focus navigation.
    if (e->type() == QEvent::KeyPress && static_cast<QKeyEvent*>(e)->key() == Qt::Key_Tab &&
        state() != QAbstractItemView::EditingState) {
        keyPressEvent(static_cast<QKeyEvent*>(e));
        return true;
    }
    return QTableView::event(e);
}

void ListTableView::keyPressEvent(QKeyEvent* e) {
    if (shift_.track(*e, true) || state() == QAbstractItemView::EditingState) return QTableView::keyPressEvent(e);
    if (keys_.keyDown(toKeyPress(*e, shift_.rightShiftHeld()))) {
        e->accept();
        return;
    }
    QTableView::keyPressEvent(e);
}

void ListTableView::keyReleaseEvent(QKeyEvent* e) {
    shift_.track(*e, false);
    QTableView::keyReleaseEvent(e);
}

}  // namespace rw::qt
