#pragma once
// A list controller: owns one list (A OLD, B NEW, C changes) and the labels
// that the window shows beside it. The three controllers differ only in their
// tag, so one class serves all three.

#include "core/Edit.h"

#include <cstddef>
#include <string>
#include <vector>

namespace rw {

inline constexpr const char* kNoFileLoaded = "no file loaded";

class dataSource {
public:
    explicit dataSource(int tag) : tag_(tag) {}

    int tag() const { return tag_; }
    // The live list; callers that change it refresh the labels afterwards.
    EditArray& getEditArray() { return editArray_; }
    const EditArray& getEditArray() const { return editArray_; }

    // The events of the selected rows, in ascending row order.
    EditArray selectedEvents() const;
    const std::vector<std::size_t>& selectedRows() const { return selection_; }
    void selectRows(std::vector<std::size_t> rows);
    void selectAll();
    void deselectAll() { selection_.clear(); }

    // Appends events and updates the count label.
    void addEdits(const EditArray& events);
    // Removes the selected events; an emptied list reads "no file loaded".
    void deleteEvents();
    // Selects every row and deletes it.
    void deleteAll();

    const std::string& filename() const { return filename_; }
    void setFilename(std::string text) { filename_ = std::move(text); }
    const std::string& editCount() const { return editCount_; }
    void updateCount();

private:
    int tag_;
    EditArray editArray_;
    std::vector<std::size_t> selection_;
    std::string filename_ = kNoFileLoaded;
    std::string editCount_ = "0 edits";
};

}  // namespace rw
