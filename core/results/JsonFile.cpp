#include "results/JsonFile.h"

#include "platform/QuelError.h"

#include <cerrno>
#include <cstring>
#include <fstream>
#include <iostream>
#include <vector>

namespace {

using nlohmann::json;

QuelError failure(const std::string& path, const std::string& what) {
    return QuelError(QuelError::kOwnError, "ReadJsonFile", path + ": " + what);
}

// Builds the document from the parser's events with a stack of its own, so
// that nothing recurses with the depth of the file, and stops at the first
// limit passed.
class BoundedBuilder : public nlohmann::json_sax<json> {
  public:
    json Document;
    std::string Refusal;

    bool null() override { return add(json(nullptr)); }
    bool boolean(bool value) override { return add(json(value)); }
    bool number_integer(number_integer_t value) override { return add(json(value)); }
    bool number_unsigned(number_unsigned_t value) override { return add(json(value)); }
    bool number_float(number_float_t value, const string_t&) override { return add(json(value)); }
    bool string(string_t& value) override { return fits(value) && add(json(std::move(value))); }
    bool binary(binary_t&) override { return refuse("binary data, which JSON does not have"); }
    bool start_object(std::size_t) override { return open(json::object()); }
    bool key(string_t& value) override {
        if (!fits(value)) {
            return false;
        }
        key_ = std::move(value);
        return true;
    }
    bool end_object() override { return close(); }
    bool start_array(std::size_t) override { return open(json::array()); }
    bool end_array() override { return close(); }
    bool parse_error(std::size_t, const std::string&, const nlohmann::detail::exception&) override {
        return refuse("not a JSON document");
    }

  private:
    bool refuse(const std::string& why) {
        if (Refusal.empty()) {
            Refusal = why;
        }
        return false;
    }
    bool fits(const string_t& text) {
        return text.size() <= kMaxJsonStringBytes ||
               refuse("holds a text longer than " + std::to_string(kMaxJsonStringBytes >> 10) +
                      " KiB, more than a result can hold");
    }
    // Places a value where the parser stands; a pointer to it once placed.
    json* place(json&& value) {
        if (++values_ > kMaxJsonValues) {
            refuse("holds more than " + std::to_string(kMaxJsonValues) +
                   " values, more than a result can be");
            return nullptr;
        }
        if (open_.empty()) {
            Document = std::move(value);
            return &Document;
        }
        json& parent = *open_.back();
        if (parent.is_array()) {
            parent.push_back(std::move(value));
            return &parent.back();
        }
        json& member = parent[key_];
        member = std::move(value);
        return &member;
    }
    bool add(json&& value) { return place(std::move(value)) != nullptr; }
    bool open(json&& container) {
        if (open_.size() >= kMaxJsonDepth) {
            return refuse("nested deeper than " + std::to_string(kMaxJsonDepth) +
                          " levels, more than a result can be");
        }
        json* placed = place(std::move(container));
        if (placed == nullptr) {
            return false;
        }
        open_.push_back(placed);
        return true;
    }
    bool close() {
        open_.pop_back();
        return true;
    }

    std::vector<json*> open_;
    std::string key_;
    std::size_t values_ = 0;
};

} // namespace

json ParseJsonText(const std::string& text, const std::string& name) {
    BoundedBuilder builder;
    if (!json::sax_parse(text, &builder) || !builder.Refusal.empty()) {
        throw failure(name, builder.Refusal.empty() ? "not a JSON document" : builder.Refusal);
    }
    return std::move(builder.Document);
}

namespace {

// Reads in chunks, so that no stream can be read past the limit.
json readJson(std::istream& in, const std::string& name) {
    std::string text;
    char chunk[65536];
    while (in.read(chunk, sizeof chunk) || in.gcount() > 0) {
        text.append(chunk, static_cast<std::size_t>(in.gcount()));
        if (text.size() > kMaxJsonBytes) {
            throw failure(name, "larger than " + std::to_string(kMaxJsonBytes >> 20) +
                                    " MiB, more than a result can be");
        }
    }
    if (in.bad()) {
        throw failure(name, std::strerror(errno));
    }
    return ParseJsonText(text, name);
}

} // namespace

json ReadJsonFile(const std::string& path) {
    if (path == "-") {
        return readJson(std::cin, "standard input");
    }
    std::ifstream in(path, std::ios::binary);
    if (!in) {
        throw failure(path, std::strerror(errno));
    }
    return readJson(in, path);
}
