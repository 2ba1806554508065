#include "results/JsonFields.h"

#include "platform/InertText.h"
#include "platform/QuelError.h"

#include <cmath>
#include <limits>

using nlohmann::json;

namespace {

// What a value is, in the words of the messages.
std::string kindOf(const json& value) {
    switch (value.type()) {
    case json::value_t::null:
        return "null";
    case json::value_t::boolean:
        return value.dump();
    case json::value_t::string:
        return "a text";
    case json::value_t::array:
        return "an array";
    case json::value_t::object:
        return "an object";
    default:
        return "a number";
    }
}

} // namespace

std::string ItemName(const std::string& kind, std::size_t index, const std::string& id) {
    return kind + " " + std::to_string(index + 1) + " (" +
           InertText(id.size() > 40 ? id.substr(0, 40) + "..." : id) + ")";
}

JsonFields::JsonFields(const json& object, std::string where, const std::string& path)
    : JsonFields(object, std::move(where), path, "") {
    if (!object.is_object()) {
        throw QuelError(QuelError::kOwnError, "JsonFields",
                        path_ + ": " + (where_.empty() ? "the document" : where_) +
                            " must be an object, not " + kindOf(object));
    }
}

JsonFields::JsonFields(const json& object, std::string where, const std::string& path,
                       std::string prefix)
    : object_(object), where_(std::move(where)), path_(path), prefix_(std::move(prefix)) {}

JsonFields JsonFields::Item(const json& list, std::size_t index, const std::string& kind,
                            const std::string& path) {
    const json& item = list.at(index);
    const auto id = item.find("id");
    const bool hasId = id != item.end() && id->is_string();
    return JsonFields(item,
                      hasId ? ItemName(kind, index, id->get<std::string>())
                            : kind + " " + std::to_string(index + 1),
                      path);
}

const json& JsonFields::Value(const std::string& key) const {
    const auto value = object_.find(key);
    if (value == object_.end()) {
        refuse(named(key), "is missing");
    }
    return *value;
}

JsonFields JsonFields::Object(const std::string& key) const {
    return JsonFields(*typed(key, &json::is_object, "an object", false), where_, path_,
                      prefix_ + key + ".");
}

std::optional<JsonFields> JsonFields::ObjectOrNull(const std::string& key) const {
    const json* value = typed(key, &json::is_object, "an object", true);
    if (value == nullptr) {
        return std::nullopt;
    }
    return JsonFields(*value, where_, path_, prefix_ + key + ".");
}

const json& JsonFields::Array(const std::string& key) const {
    return *typed(key, &json::is_array, "an array", false);
}

std::string JsonFields::Text(const std::string& key) const {
    return typed(key, &json::is_string, "a text", false)->get<std::string>();
}

std::optional<std::string> JsonFields::TextOrNull(const std::string& key) const {
    const json* value = typed(key, &json::is_string, "a text", true);
    return value ? std::optional(value->get<std::string>()) : std::nullopt;
}

bool JsonFields::Flag(const std::string& key) const {
    return typed(key, &json::is_boolean, "true or false", false)->get<bool>();
}

double JsonFields::Number(const std::string& key) const {
    return typed(key, &json::is_number, "a number", false)->get<double>();
}

std::optional<double> JsonFields::NumberOrNull(const std::string& key) const {
    const json* value = typed(key, &json::is_number, "a number", true);
    return value ? std::optional(value->get<double>()) : std::nullopt;
}

std::int64_t JsonFields::Integer(const std::string& key, std::int64_t min, std::int64_t max) const {
    return whole(*typed(key, &json::is_number, "a whole number", false), named(key), min, max);
}

std::optional<std::int64_t> JsonFields::IntegerOrNull(const std::string& key, std::int64_t min,
                                                      std::int64_t max) const {
    const json* value = typed(key, &json::is_number, "a whole number", true);
    return value ? std::optional(whole(*value, named(key), min, max)) : std::nullopt;
}

std::vector<double> JsonFields::Numbers(const std::string& key) const {
    std::vector<double> numbers;
    for (const json* item : items(key, &json::is_number, "number")) {
        numbers.push_back(item->get<double>());
    }
    return numbers;
}

std::vector<std::int64_t> JsonFields::Integers(const std::string& key, std::int64_t min,
                                               std::int64_t max) const {
    const std::vector<const json*> all = items(key, &json::is_number, "whole number");
    std::vector<std::int64_t> integers;
    for (std::size_t i = 0; i < all.size(); ++i) {
        integers.push_back(whole(*all[i], named(key) + " item " + std::to_string(i + 1), min, max));
    }
    return integers;
}

std::vector<std::string> JsonFields::Texts(const std::string& key) const {
    std::vector<std::string> texts;
    for (const json* item : items(key, &json::is_string, "text")) {
        texts.push_back(item->get<std::string>());
    }
    return texts;
}

const json* JsonFields::typed(const std::string& key, Kind is, const std::string& what,
                              bool nullable) const {
    const json& value = Value(key);
    if (nullable && value.is_null()) {
        return nullptr;
    }
    if (!(value.*is)()) {
        refuse(named(key),
               "must be " + what + (nullable ? " or null" : "") + ", not " + kindOf(value));
    }
    return &value;
}

std::vector<const json*> JsonFields::items(const std::string& key, Kind is,
                                           const std::string& each) const {
    const json& list = *typed(key, &json::is_array, "an array of " + each + "s", false);
    std::vector<const json*> all;
    for (std::size_t i = 0; i < list.size(); ++i) {
        if (!(list[i].*is)()) {
            refuse(named(key) + " item " + std::to_string(i + 1),
                   "must be a " + each + ", not " + kindOf(list[i]));
        }
        all.push_back(&list[i]);
    }
    return all;
}

std::int64_t JsonFields::whole(const json& value, const std::string& field, std::int64_t min,
                               std::int64_t max) const {
    bool inRange = true;
    std::int64_t number = 0;
    if (value.is_number_unsigned()) {
        const auto count = value.get<std::uint64_t>();
        inRange = count <= static_cast<std::uint64_t>(std::numeric_limits<std::int64_t>::max());
        number = inRange ? static_cast<std::int64_t>(count) : 0;
    } else if (value.is_number_integer()) {
        number = value.get<std::int64_t>();
    } else {
        const double real = value.get<double>();
        if (real != std::trunc(real)) {
            refuse(field, "must be a whole number, not " + value.dump());
        }
        // Beyond 2^63 the conversion is undefined; such a value is out of range anyway.
        inRange = real >= -0x1p63 && real < 0x1p63;
        number = inRange ? static_cast<std::int64_t>(real) : 0;
    }
    if (!inRange || number < min || number > max) {
        refuse(field, "must be from " + std::to_string(min) + " to " + std::to_string(max) +
                          ", not " + value.dump());
    }
    return number;
}

std::string JsonFields::named(const std::string& key) const {
    return "field '" + prefix_ + key + "'";
}

void JsonFields::refuse(const std::string& field, const std::string& rule) const {
    throw QuelError(QuelError::kOwnError, "JsonFields",
                    path_ + ": " + (where_.empty() ? "" : where_ + ": ") + field + " " + rule);
}
