#include "results/JsonFile.h"

#include "platform/QuelError.h"

#include <cerrno>
#include <cstring>
#include <fstream>

namespace {

QuelError failure(const std::string& path, const std::string& what) {
    return QuelError(QuelError::kOwnError, "ReadJsonFile", path + ": " + what);
}

// Thrown from the parser's callback to stop at the first level too deep.
struct TooDeep {};

} // namespace

nlohmann::json ReadJsonFile(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    if (!in) {
        throw failure(path, std::strerror(errno));
    }
    std::string text;
    char chunk[65536];
    while (in.read(chunk, sizeof chunk) || in.gcount() > 0) {
        text.append(chunk, static_cast<std::size_t>(in.gcount()));
        if (text.size() > kMaxJsonBytes) {
            throw failure(path, "larger than " + std::to_string(kMaxJsonBytes >> 20) +
                                    " MiB, more than a result can be");
        }
    }
    if (in.bad()) {
        throw failure(path, std::strerror(errno));
    }
    const nlohmann::json::parser_callback_t depthLimit =
        [](int depth, nlohmann::json::parse_event_t event, nlohmann::json&) {
            if ((event == nlohmann::json::parse_event_t::object_start ||
                 event == nlohmann::json::parse_event_t::array_start) &&
                static_cast<std::size_t>(depth) >= kMaxJsonDepth) {
                throw TooDeep{};
            }
            return true;
        };
    nlohmann::json document;
    try {
        document = nlohmann::json::parse(text, depthLimit, false);
    } catch (const TooDeep&) {
        throw failure(path, "nested deeper than " + std::to_string(kMaxJsonDepth) +
                                " levels, more than a result can be");
    }
    if (document.is_discarded()) {
        throw failure(path, "not a JSON document");
    }
    return document;
}
