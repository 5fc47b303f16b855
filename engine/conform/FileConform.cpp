#include "conform/FileConform.h"

#include "conform/ConformAlert.h"
#include "conform/Tc6000Conform.h"
#include "conform/TextConform.h"
#include "core/Files.h"

#include <filesystem>

namespace rw {

namespace {

namespace fs = std::filesystem;

std::string folderOf(const std::string& path) { return fs::path(path).parent_path().string(); }

std::string joined(const std::string& folder, const std::string& name) {
    return folder.empty() ? name : (fs::path(folder) / name).string();
}

}  // namespace

std::string outputPathBeside(const std::string& input, const std::string& outputName) {
    const std::string folder = folderOf(input);
    std::string path = joined(folder, outputName);
    if (outputName == lastPathComponent(input) || sameFile(path, input)) {
        const std::string ext = pathExtension(outputName);
        path = joined(folder, deletingPathExtension(outputName) + "-1" + (ext.empty() ? "" : "." + ext));
    }
    return path;
}

std::string conformedPath(const std::string& input, const std::string& type) {
    const std::string name = lastPathComponent(input);
    return outputPathBeside(input, type == conformtype::Tc6000 ? conformedTc6000Name(name) : conformedTextName(name));
}

Outcome<std::string> conformChosenFile(const std::string& input, const std::string& type, const EditArray& events,
                                       const std::string& timebase) {
    auto text = readFileText(input);
    if (!text) return Outcome<std::string>::failure("the file could not be read: " + input);
    std::string content;
    if (type == conformtype::Tc6000) {
        auto conformed = conformTc6000File(text.value, events, timebase);
        if (!conformed)
            return Outcome<std::string>::failure(
                "this is not a TC6000 snapshot list: its first line is not \"ICONLISTV1\"");
        content = std::move(*conformed);
    } else {
        content = conformTextFile(text.value, events, type == conformtype::Comma ? ',' : '\t', timebase);
    }
    const std::string path = conformedPath(input, type);
    if (Outcome<> written = writeFileAtomic(path, content); !written)
        return Outcome<std::string>::failure(written.error);
    return Outcome<std::string>::success(path);
}

}  // namespace rw
