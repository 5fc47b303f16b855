#pragma once
// The results panel of the search in other files: the ranked files, and the
// button that loads the selected one into the OLD list.

#include <QDialog>

class QLabel;
class QWidget;
class QTableWidget;

namespace rw {
class conformController;
}

namespace rw::qt {

class SearchRunner;

class SearchResultsDialog : public QDialog {
    Q_OBJECT
public:
    SearchResultsDialog(conformController& c, QWidget* parent);

    // Find in other files: the folder panel, the search on a worker thread,
    // then this panel (or the engine's alert).
    void startSearch();
    void cancelSearch();
    SearchRunner& runner() { return *runner_; }
    // The engine's results panel call: rows from the finder, the summary text.
    void showResults(const QString& summary);
    QTableWidget& table() { return *table_; }
    void importSelected();

private:
    conformController& c_;
    QTableWidget* table_;
    QLabel* summary_;
    SearchRunner* runner_;
};

}  // namespace rw::qt
