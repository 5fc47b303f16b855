#pragma once
// The keyed archive of change-list documents: a binary property list in the
// layout of the platform's keyed archiver ("$archiver", "$version", "$top",
// "$objects" with UID references and class records). Only the kinds of object
// a change-list document holds are known: dictionaries, arrays, texts and
// colours.

#include "core/Color.h"
#include "core/Outcome.h"

#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <variant>
#include <vector>

namespace rw {

struct ArchiveValue;
using ArchiveArray = std::vector<ArchiveValue>;
using ArchiveDict = std::vector<std::pair<std::string, ArchiveValue>>;  // keys in writing order

// One archived object; monostate is nil.
struct ArchiveValue {
    std::variant<std::monostate, std::string, Color, ArchiveArray, ArchiveDict> value;

    ArchiveValue() = default;
    ArchiveValue(std::string s) : value(std::move(s)) {}
    ArchiveValue(const char* s) : value(std::string(s)) {}
    ArchiveValue(Color c) : value(c) {}
    ArchiveValue(ArchiveArray a) : value(std::move(a)) {}
    ArchiveValue(ArchiveDict d) : value(std::move(d)) {}

    const std::string* string() const { return std::get_if<std::string>(&value); }
    const Color* color() const { return std::get_if<Color>(&value); }
    const ArchiveArray* array() const { return std::get_if<ArchiveArray>(&value); }
    const ArchiveDict* dict() const { return std::get_if<ArchiveDict>(&value); }
    // The value under `key` of a dictionary; nullptr when absent or not a dictionary.
    const ArchiveValue* find(std::string_view key) const;
};

// The binary property list of the archive whose root object is `root`.
std::string archivedDataWithRootObject(const ArchiveValue& root);

// The root object of a keyed archive in binary or XML property-list form; a
// failure for anything else, including archives holding objects of classes
// not listed above, nested too deep or holding too many objects.
Outcome<ArchiveValue> unarchiveObjectWithData(std::string_view bytes);

// Byte i exclusive-or'ed with (i + 2) mod 256; its own inverse, so it both
// scrambles and unscrambles a change-list document.
std::string mungeData(std::string_view data);

}  // namespace rw
