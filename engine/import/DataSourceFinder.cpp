#include "import/DataSourceFinder.h"

namespace rw {

void dataSourceFinder::setFinds(const std::vector<SearchResult>& results) {
    finds_.clear();
    for (const auto& r : results)
        if (r.shotCount.value_or(0) > 0) finds_.push_back(r);
    selected_.reset();  // the table reloads
}

void dataSourceFinder::selectRow(std::optional<std::size_t> row) {
    selected_ = row && *row < finds_.size() ? row : std::nullopt;
}

std::optional<SearchResult> dataSourceFinder::selectedFile() const {
    if (!selected_) return std::nullopt;
    return finds_[*selected_];
}

std::string dataSourceFinder::objectValue(const std::string& column, std::size_t row) const {
    if (row >= finds_.size()) return {};
    const SearchResult& r = finds_[row];
    if (column == "file") return r.file;
    if (column == "thePath") return r.thePath;
    if (column == "theCount") return std::to_string(r.theCount);
    if (column == "shotCount") return r.shotCount ? std::to_string(*r.shotCount) : std::string();
    if (column == "duration") return r.duration.value_or("");
    return {};
}

}  // namespace rw
