#include "search/SearchResultsDialog.h"

#include "app/ConformController.h"
#include "search/SearchRunner.h"

#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QTableWidget>
#include <QVBoxLayout>

namespace rw::qt {

namespace {
const char* const kColumns[] = {"file", "shotCount", "duration", "theCount", "thePath"};
const char* const kTitles[] = {"File", "Shots", "Duration", "Names", "Path"};
}  // namespace

SearchResultsDialog::SearchResultsDialog(conformController& c, QWidget* parent) : QDialog(parent), c_(c) {
    setObjectName("searchResults");
    setWindowTitle(tr("Events Found in Other Files"));
    table_ = new QTableWidget(0, 5, this);
    for (int i = 0; i < 5; ++i) table_->setHorizontalHeaderItem(i, new QTableWidgetItem(tr(kTitles[i])));
    table_->setSelectionBehavior(QAbstractItemView::SelectRows);
    table_->setSelectionMode(QAbstractItemView::SingleSelection);
    table_->setEditTriggers(QAbstractItemView::NoEditTriggers);
    table_->verticalHeader()->hide();
    table_->horizontalHeader()->setStretchLastSection(true);
    connect(table_, &QTableWidget::itemSelectionChanged, this, [this] {
        const auto rows = table_->selectionModel()->selectedRows();
        c_.finder().selectRow(rows.isEmpty() ? std::nullopt : std::optional<std::size_t>(rows.front().row()));
    });
    summary_ = new QLabel(this);
    summary_->setTextInteractionFlags(Qt::TextSelectableByMouse);
    auto* import = new QPushButton(tr("Import as OLD List"), this);
    import->setObjectName("importFromFinderList");
    connect(import, &QPushButton::clicked, this, &SearchResultsDialog::importSelected);
    connect(table_, &QTableWidget::cellDoubleClicked, this, &SearchResultsDialog::importSelected);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(table_, 1);
    layout->addWidget(summary_);
    layout->addWidget(import, 0, Qt::AlignRight);
    resize(700, 360);
    // The worker's parent is the main window, so a search outlives this panel's hiding.
    runner_ = new SearchRunner(c_, parent);
}

void SearchResultsDialog::startSearch() { runner_->start(); }

void SearchResultsDialog::cancelSearch() {
    runner_->cancel();
    runner_->wait();
}

void SearchResultsDialog::showResults(const QString& summary) {
    const dataSourceFinder& f = c_.finder();
    const int rows = static_cast<int>(f.numberOfRowsInTableView());
    table_->setRowCount(rows);
    for (int r = 0; r < rows; ++r)
        for (int col = 0; col < 5; ++col)
            table_->setItem(r, col, new QTableWidgetItem(QString::fromStdString(f.objectValue(kColumns[col], r))));
    table_->resizeColumnsToContents();
    summary_->setText(summary);
    c_.finder().selectRow(std::nullopt);
    show();
    raise();
}

void SearchResultsDialog::importSelected() { c_.importFromFinderList(); }

}  // namespace rw::qt
