#include "cli/settingsJson.h"

#include "cli/settingsSchema.h"

#include <charconv>
#include <cmath>
#include <cstdlib>

namespace cli::settingsJson {

namespace {

class writer {
public:
    explicit writer(json& node) : node(node) {}

    void boolean(const char* key, bool& value) { node[key] = value; }

    template <class T> void integer(const char* key, T& value, std::uint64_t, std::uint64_t) {
        node[key] = static_cast<std::uint64_t>(value);
    }

    void number(const char* key, float& value) { node[key] = floatValue(value); }
    void lowResolution(const char* key, float& value) { node[key] = floatValue(value); }

    void booleans(const char* key, bool* values, int n) {
        json list = json::array();
        for (int i = 0; i < n; ++i)
            list.push_back(values[i]);
        node[key] = std::move(list);
    }

    template <class T>
    void integers(const char* key, T* values, int n, std::uint64_t, std::uint64_t) {
        json list = json::array();
        for (int i = 0; i < n; ++i)
            list.push_back(static_cast<std::uint64_t>(values[i]));
        node[key] = std::move(list);
    }

    template <class F> void object(const char* key, F&& body) {
        json child = json::object();
        writer w(child);
        body(w);
        node[key] = std::move(child);
    }

    template <class F> void objects(const char* key, int n, F&& body) {
        json list = json::array();
        for (int i = 0; i < n; ++i) {
            json child = json::object();
            writer w(child);
            body(i, w);
            list.push_back(std::move(child));
        }
        node[key] = std::move(list);
    }

    void require(bool, const char*, const char*) {}

private:
    json& node;
};

} // namespace

json floatValue(float value) {
    if (std::isnan(value))
        return "nan";
    if (std::isinf(value))
        return value > 0 ? "inf" : "-inf";
    // The shortest decimal that reads back as this float, held in a double that prints
    // the same digits.
    char text[32];
    auto end = std::to_chars(text, text + sizeof text, value).ptr;
    *end = '\0';
    const double shortest = std::strtod(text, nullptr);
    // The reader goes through double. For a rare float (7.038531e-26) those digits land
    // on a halfway point between two floats there and round to the neighbour; the exact
    // value, with more digits, cannot.
    if (static_cast<float>(shortest) != value)
        return static_cast<double>(value);
    return shortest;
}

json write() {
    json document = json::object();
    writer w(document);
    schema::model(w);
    return document;
}

} // namespace cli::settingsJson
