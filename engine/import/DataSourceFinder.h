#pragma once
// The results of a search in other files, as the results table shows them.
// Only results whose comparison found shots are kept.

#include "import/SearchFiles.h"

#include <optional>
#include <string>
#include <vector>

namespace rw {

class dataSourceFinder {
public:
    // Keeps the results with a positive shot count, in the given order.
    void setFinds(const std::vector<SearchResult>& results);
    const std::vector<SearchResult>& finds() const { return finds_; }

    void selectRow(std::optional<std::size_t> row);
    // The result of the selected row; nullopt when no row is selected.
    std::optional<SearchResult> selectedFile() const;

    std::size_t numberOfRowsInTableView() const { return finds_.size(); }
    // The text of a row's value under a column ("file", "thePath", "theCount",
    // "shotCount", "duration"); empty for an unknown column or row.
    std::string objectValue(const std::string& column, std::size_t row) const;

    // The table's arrow keys move nothing here.
    void moveDown() {}
    void moveUp() {}

private:
    std::vector<SearchResult> finds_;
    std::optional<std::size_t> selected_;
};

}  // namespace rw
