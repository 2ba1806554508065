#pragma once

#include <cstddef>
#include <cstdint>
#include <nlohmann/json.hpp>
#include <optional>
#include <string>
#include <vector>

// "run 3 (ID)": an item of a list by its place from 1 and its id, the id
// shortened to 40 bytes and made safe to print.
std::string ItemName(const std::string& kind, std::size_t index, const std::string& id);

// The fields of one JSON object from a file, read as the types the program
// needs. A field that is missing or of another type raises a QuelError whose
// description names the file, where the object stands ("run 1 (ID)", nothing
// for the document itself) and the field, as "FILE: run 1 (ID): field
// 'score' is missing". The object must outlive its reader.
class JsonFields {
  public:
    // Raises the same error when object is not a JSON object.
    JsonFields(const nlohmann::json& object, std::string where, const std::string& path);

    // The item of list at index, named as ItemName names it when it has a
    // text as its "id", else as "run 3".
    static JsonFields Item(const nlohmann::json& list, std::size_t index, const std::string& kind,
                           const std::string& path);

    // The object itself.
    const nlohmann::json& Json() const { return object_; }
    bool Has(const std::string& key) const { return object_.contains(key); }
    // The file the fields come from.
    const std::string& Path() const { return path_; }
    // The field as it is, of any type.
    const nlohmann::json& Value(const std::string& key) const;
    JsonFields Object(const std::string& key) const;
    std::optional<JsonFields> ObjectOrNull(const std::string& key) const;
    const nlohmann::json& Array(const std::string& key) const;
    std::string Text(const std::string& key) const;
    std::optional<std::string> TextOrNull(const std::string& key) const;
    bool Flag(const std::string& key) const;
    double Number(const std::string& key) const;
    std::optional<double> NumberOrNull(const std::string& key) const;
    // A whole number from min to max; 12.7, 1e300 or -1 for 0 and up is
    // refused, not cut or wrapped.
    std::int64_t Integer(const std::string& key, std::int64_t min, std::int64_t max) const;
    std::optional<std::int64_t> IntegerOrNull(const std::string& key, std::int64_t min,
                                              std::int64_t max) const;
    std::vector<double> Numbers(const std::string& key) const;
    std::vector<std::int64_t> Integers(const std::string& key, std::int64_t min,
                                       std::int64_t max) const;
    std::vector<std::string> Texts(const std::string& key) const;

  private:
    JsonFields(const nlohmann::json& object, std::string where, const std::string& path,
               std::string prefix);

    using Kind = bool (nlohmann::json::*)() const;

    // The field when it is of the kind that is tells, null when nullable
    // allows that, else an error saying it must be what.
    const nlohmann::json* typed(const std::string& key, Kind is, const std::string& what,
                                bool nullable) const;
    // The items of an array field, each of the kind that is tells, named
    // one by one as "number", "text".
    std::vector<const nlohmann::json*> items(const std::string& key, Kind is,
                                             const std::string& each) const;
    std::int64_t whole(const nlohmann::json& value, const std::string& field, std::int64_t min,
                       std::int64_t max) const;
    std::string named(const std::string& key) const;
    [[noreturn]] void refuse(const std::string& field, const std::string& rule) const;

    const nlohmann::json& object_;
    std::string where_;
    std::string path_;
    // Where a nested object stands in its parent, as "input.".
    std::string prefix_;
};
