#include "lists/ListTableView.h"

#include "lists/TableCells.h"

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

// Neighbouring selected rows as one range each.
QItemSelection selectionOf(const ListTableModel& model, const std::vector<std::size_t>& rows) {
    QItemSelection selection;
    const int lastColumn = model.columnCount() - 1;
    for (std::size_t k = 0; k < rows.size();) {
        std::size_t end = k + 1;
        while (end < rows.size() && rows[end] == rows[end - 1] + 1) ++end;
        selection.select(model.index(static_cast<int>(rows[k]), 0), model.index(static_cast<int>(rows[end - 1]), lastColumn));
        k = end;
    }
    return selection;
}

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
    setWordWrap(false);
    setTextElideMode(Qt::ElideMiddle);  // clip names differ at their ends
    verticalHeader()->hide();
    verticalHeader()->setDefaultSectionSize(fontMetrics().height() + 6);
    horizontalHeader()->setSectionsClickable(true);
    horizontalHeader()->setSectionsMovable(false);
    horizontalHeader()->setStretchLastSection(false);
    horizontalHeader()->setSectionResizeMode(QHeaderView::Interactive);
    horizontalHeader()->setHighlightSections(false);
    setInitialWidths();
    connect(horizontalHeader(), &QHeaderView::sectionClicked, this, &ListTableView::headerClicked);
    connect(selectionModel(), &QItemSelectionModel::selectionChanged, this, &ListTableView::viewSelectionChanged);
    connect(&model_, &ListTableModel::engineSelectionChanged, this, &ListTableView::showEngineSelection);
    connect(&model_, &ListTableModel::rowsUpdated, this, &ListTableView::rowsUpdated);
    connect(&model_, &QAbstractItemModel::columnsInserted, this, [this] {  // the change list's verdicts
        setInitialWidths();
        rowsUpdated();
    });
    connect(&model_, &ListTableModel::scrollRequested, this, [this](int row) { scrollTo(model_.index(row, 0)); });
    rowsUpdated();
}

// Times at the width of a timecode; the clip gets room, and fits its
// names once a list comes in.
void ListTableView::setInitialWidths() {
    const int time = fontMetrics().horizontalAdvance("00:00:00:00") + 24;
    for (int col = 0; col < model_.columnCount(); ++col) {
        const std::string& name = model_.columnName(col);
        int width = isTimecodeColumn(name) ? time : fontMetrics().horizontalAdvance("Version") + 24;
        if (name == "editNum") width = fontMetrics().horizontalAdvance("0000") + 24;
        if (name == "clip") width = fontMetrics().horizontalAdvance("M") * 18;
        if (name == "verdict") width = fontMetrics().horizontalAdvance("match (low detail)") + 48;  // with its swatch
        setColumnWidth(col, width);
    }
}

void ListTableView::rowsUpdated() {
    const EditArray& events = model_.list().getEditArray();
    for (int col = 0; col < model_.columnCount(); ++col) setColumnHidden(col, !isColumnShown(events, model_.columnName(col)));
    if (const int col = model_.columnOf("verdict"); col >= 0) setColumnHidden(col, !model_.hasVerdicts());
    const int rows = model_.rowCount();
    if (shownRows_ == 0 && rows > 0 && !widthsRestored_) {
        const int clip = model_.columnOf("clip");
        resizeColumnToContents(clip);
        setColumnWidth(clip, std::min(columnWidth(clip) + 12, fontMetrics().horizontalAdvance("M") * 40));
    }
    shownRows_ = rows;
    showSortIndicator();
    showEngineSelection();
}

bool ListTableView::restoreColumns(const QByteArray& state) {
    if (state.isEmpty() || !horizontalHeader()->restoreState(state)) return false;
    widthsRestored_ = true;
    rowsUpdated();
    return true;
}

void ListTableView::headerClicked(int section) {
    // The verdicts are the check's, not the list's: the list does not sort by them.
    if (section < 0 || section >= model_.columnCount() || model_.columnName(section) == "verdict") return;
    model_.list().sortByHeaderClick(model_.columnName(section));
    showSortIndicator();
}

void ListTableView::showSortIndicator() {
    const auto& sorts = model_.list().sortDescriptors();
    const int column = sorts.empty() ? -1 : model_.columnOf(sorts.front().key);
    horizontalHeader()->setSortIndicatorShown(column >= 0);
    if (column >= 0)
        horizontalHeader()->setSortIndicator(column, sorts.front().ascending ? Qt::AscendingOrder : Qt::DescendingOrder);
}

// While the model moves rows, the selection model follows on its own; the
// engine's selection is shown again once the move is done.
void ListTableView::viewSelectionChanged() {
    if (syncing_ || model_.changingRows()) return;
    std::vector<std::size_t> rows;
    for (const QModelIndex& i : selectionModel()->selectedRows()) rows.push_back(static_cast<std::size_t>(i.row()));
    std::sort(rows.begin(), rows.end());
    std::optional<std::size_t> current;
    if (currentIndex().isValid()) current = static_cast<std::size_t>(currentIndex().row());
    syncing_ = true;
    model_.list().selectRows(rows, current);
    syncing_ = false;
}

// The current cell moves only when its row is not the engine's: moving it
// would close an open editor.
void ListTableView::showEngineSelection() {
    if (syncing_ || model_.changingRows()) return;
    syncing_ = true;
    const QItemSelection wanted = selectionOf(model_, model_.list().selectedRows());
    if (selectionModel()->selection() != wanted) selectionModel()->select(wanted, QItemSelectionModel::ClearAndSelect);
    if (auto row = model_.list().selectedRow(); row && currentIndex().row() != static_cast<int>(*row)) {
        const int column = currentIndex().isValid() ? currentIndex().column() : 0;
        selectionModel()->setCurrentIndex(model_.index(static_cast<int>(*row), column), QItemSelectionModel::NoUpdate);
    }
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
