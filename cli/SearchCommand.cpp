#include "CliUi.h"
#include "Commands.h"
#include "JsonOutput.h"
#include "Options.h"

#include "app/ConformController.h"
#include "core/Text.h"
#include "app/NullPorts.h"
#include "app/UnreadableFiles.h"

#include <memory>
#include <optional>
#include <ostream>

namespace rw::cli {

namespace {

struct SearchArgs {
    std::string folder;
    std::vector<std::string> news;
    std::string select;
    ListOptions lists;
    bool json = false;
};

// "3,5-7" as the rows 2, 4, 5, 6 (counted from 1 on the command line);
// nullopt after an error on err.
std::optional<std::vector<std::size_t>> parseRows(const std::string& text, std::size_t rowCount,
                                                  std::ostream& err) {
    std::vector<std::size_t> rows;
    for (const auto& item : split(text, ',')) {
        auto range = split(item, '-');
        const bool ok = (range.size() == 1 || range.size() == 2) && isIntegerString(range.front()) &&
                        isIntegerString(range.back());
        const std::int64_t first = ok ? parseInt(range.front()) : 0, last = ok ? parseInt(range.back()) : 0;
        if (!ok || first < 1 || last < first) {
            err << "--select: \"" << item << "\" is not a row number or a range of rows (such as 3 or 5-7)\n";
            return std::nullopt;
        }
        if (static_cast<std::size_t>(last) > rowCount) {
            err << "--select: the NEW list has " << rowCount << " events, no row " << last << "\n";
            return std::nullopt;
        }
        for (std::int64_t r = first; r <= last; ++r) rows.push_back(static_cast<std::size_t>(r - 1));
    }
    return rows;
}

int runSearch(const SearchArgs& a, Streams io) {
    CliUi ui(io.err);
    NoMovies movies;
    conformController c(ui, movies);
    if (!applyListOptions(a.lists, c, ui, io.err)) return 2;
    const bool unreadable = alertUnreadable(ui, a.news);
    c.selectTab(1);
    c.openFiles(a.news);
    dataSource& news = c.dataSourceB();
    if (unreadable || news.getEditArray().empty()) return 1;
    auto rows = parseRows(a.select, news.getEditArray().size(), io.err);
    if (!rows) return 2;
    news.selectRows(*rows);
    ui.setFolderAnswer(a.folder);
    c.findEventsInOtherFiles();
    if (!ui.searchSummary()) return 1;  // the alert said why
    io.out << (a.json ? searchJson(c.finder().finds()) : *ui.searchSummary());
    return 0;
}

}  // namespace

void addSearchCommand(CLI::App& app, Streams io, int& status) {
    auto args = std::make_shared<SearchArgs>();
    CLI::App* cmd = app.add_subcommand(
        "search",
        "Find the lists below FOLDER that use the selected NEW events: prints one line per list that the "
        "comparison finds shots in, ranked by record time: shots<TAB><TAB>duration<TAB><TAB>file");
    cmd->add_option("folder", args->folder, "the folder searched, with every folder below it")
        ->required()
        ->check(CLI::ExistingDirectory);
    cmd->add_option("--new", args->news, "the NEW list; all --new files are read in one import into the NEW list")
        ->required()
        ->take_all();
    cmd->add_option("--select", args->select,
                    "the selected events: rows of the NEW list counted from 1 (in `show` order), such as 1,4,7-9")
        ->required();
    addListOptions(*cmd, args->lists, false);
    cmd->add_flag("--json", args->json, "print the files found as one JSON document");
    cmd->callback([args, io, &status] { status = runSearch(*args, io); });
}

}  // namespace rw::cli
