#include "cli/settingsJson.h"

#include "cli/settingsSchema.h"
#include "settings/settingsParser.h"

#include <cmath>
#include <optional>
#include <set>
#include <vector>

namespace cli::settingsJson {

namespace {

class reader {
public:
    reader(const json& node, std::string path) : node(node), path(std::move(path)) {}

    void boolean(const char* key, bool& value) {
        if (const json* j = find(key))
            value = readBoolean(*j, keyPath(key));
    }

    template <class T>
    void integer(const char* key, T& value, std::uint64_t min, std::uint64_t max) {
        if (const json* j = find(key))
            value = static_cast<T>(readInteger(*j, keyPath(key), min, max));
    }

    void number(const char* key, float& value) {
        if (const json* j = find(key))
            value = readFloat(*j, keyPath(key));
    }

    void lowResolution(const char* key, float& value) {
        const json* j = find(key);
        if (!j)
            return;
        std::string where = keyPath(key);
        float v = readFloat(*j, where);
        // Sent as value x 1000 in an unsigned 16-bit field.
        if (!(v >= 0.0f && static_cast<double>(v) * 1000.0 < 65536.0))
            throw error(where, "Value out of range for \"" + where + "\": " + j->dump() +
                                   " (allowed 0 to 65.535)");
        value = v;
    }

    void booleans(const char* key, bool* values, int n) {
        if (const json* j = find(key)) {
            std::string where = keyPath(key);
            requireArray(*j, where, n);
            for (int i = 0; i < n; ++i)
                values[i] = readBoolean((*j)[i], indexPath(where, i));
        }
    }

    template <class T>
    void integers(const char* key, T* values, int n, std::uint64_t min, std::uint64_t max) {
        if (const json* j = find(key)) {
            std::string where = keyPath(key);
            requireArray(*j, where, n);
            for (int i = 0; i < n; ++i)
                values[i] = static_cast<T>(readInteger((*j)[i], indexPath(where, i), min, max));
        }
    }

    template <class F> void object(const char* key, F&& body) {
        if (const json* j = find(key)) {
            std::string where = keyPath(key);
            if (!j->is_object())
                throw wrongType(where, "an object");
            reader child(*j, where);
            body(child);
            child.finish();
        }
    }

    // Arrays of objects may be shorter than the model's: the missing elements keep
    // their values.
    template <class F> void objects(const char* key, int n, F&& body) {
        const json* j = find(key);
        if (!j)
            return;
        std::string where = keyPath(key);
        if (!j->is_array())
            throw wrongType(where, "an array of objects");
        if (j->size() > static_cast<std::size_t>(n))
            throw error(where, "Too many elements in \"" + where +
                                   "\": " + std::to_string(j->size()) + " (at most " +
                                   std::to_string(n) + ")");
        for (int i = 0; i < static_cast<int>(j->size()); ++i) {
            std::string element = indexPath(where, i);
            if (!(*j)[i].is_object())
                throw wrongType(element, "an object");
            reader child((*j)[i], element);
            body(i, child);
            child.finish();
        }
    }

    void require(bool ok, const char* key, const char* text) {
        if (!ok) {
            std::string where = keyPath(key);
            throw error(where, "Value out of range for \"" + where + "\": " + text);
        }
    }

    // Every key of this object must have been asked for.
    void finish() const {
        for (auto it = node.begin(); it != node.end(); ++it)
            if (!seen.count(it.key())) {
                std::string where = keyPath(it.key());
                throw error(where, "Unknown key \"" + where + "\"");
            }
    }

private:
    const json* find(const std::string& key) {
        seen.insert(key);
        auto it = node.find(key);
        return it == node.end() ? nullptr : &*it;
    }

    std::string keyPath(const std::string& key) const {
        return path.empty() ? key : path + "." + key;
    }
    static std::string indexPath(const std::string& where, int i) {
        return where + "[" + std::to_string(i) + "]";
    }

    static error wrongType(const std::string& where, const std::string& expected) {
        return error(where, "Wrong type for \"" + where + "\": expected " + expected);
    }

    static void requireArray(const json& j, const std::string& where, int n) {
        if (!j.is_array() || j.size() != static_cast<std::size_t>(n))
            throw wrongType(where, "an array of " + std::to_string(n) + " elements");
    }

    static bool readBoolean(const json& j, const std::string& where) {
        if (!j.is_boolean())
            throw wrongType(where, "true or false");
        return j.get<bool>();
    }

    static std::uint64_t readInteger(const json& j, const std::string& where, std::uint64_t min,
                                     std::uint64_t max) {
        if (!j.is_number_integer())
            throw wrongType(where, "an unsigned integer");
        bool negative = !j.is_number_unsigned() && j.get<std::int64_t>() < 0;
        std::uint64_t v = negative ? 0 : j.get<std::uint64_t>();
        if (negative || v < min || v > max)
            throw error(where, "Value out of range for \"" + where + "\": " + j.dump() +
                                   " (allowed " + std::to_string(min) + " to " +
                                   std::to_string(max) + ")");
        return v;
    }

    // A number, or "inf", "-inf"; NaN is refused because a packet holding it is
    // dropped by the joystick and by the file reader alike.
    static float readFloat(const json& j, const std::string& where) {
        if (j.is_string()) {
            const std::string& text = j.get_ref<const std::string&>();
            if (text == "inf")
                return INFINITY;
            if (text == "-inf")
                return -INFINITY;
            if (text == "nan")
                throw error(where, "Value out of range for \"" + where +
                                       "\": nan (a packet cannot carry it)");
            throw wrongType(where, "a number, \"inf\" or \"-inf\"");
        }
        if (!j.is_number())
            throw wrongType(where, "a number");
        double d = j.get<double>();
        // Halfway between the largest float and the next power of two rounds up to
        // infinity; anything below rounds to a finite float.
        constexpr double overflow = 0x1.ffffffp127;
        if (!std::isfinite(d) || std::fabs(d) >= overflow)
            throw error(where, "Value out of range for \"" + where + "\": " + j.dump() +
                                   " (beyond single precision)");
        return static_cast<float>(d);
    }

    const json& node;
    std::string path;
    std::set<std::string> seen;
};

// "/axes/2/sensitivity" -> ".axes[2].sensitivity".
std::string keySuffix(const json::json_pointer& pointer) {
    std::string suffix;
    std::string text = pointer.to_string();
    for (std::size_t at = 1; at < text.size();) {
        std::size_t end = text.find('/', at);
        if (end == std::string::npos)
            end = text.size();
        const std::string token = text.substr(at, end - at);
        const bool index = token.find_first_not_of("0123456789") == std::string::npos;
        suffix += index ? "[" + token + "]" : "." + token;
        at = end + 1;
    }
    return suffix;
}

// The first member in which `b` differs from `a`; a knob value counts only while its
// setting is knob-controlled.
std::optional<json::json_pointer> firstDifference(const json& a, const json& b) {
    for (const auto& change : json::diff(a, b)) {
        const json::json_pointer at(change["path"].get<std::string>());
        if (!at.empty() && at.back() == "knobValue" &&
            a[at.parent_pointer()].value("knobControlled", false) == false)
            continue;
        return at;
    }
    return std::nullopt;
}

// A settings file holds only the modes in use and their mode buttons: whatever the
// document sets for the others would be lost on the way to the file, so the first
// such member is refused. (Within the modes in use a file keeps every setting as the
// model compares it.) Leaves the model as the file reopens it.
void requireKeptByFile() {
    const int inUse = settings::modesInUse();
    const json accepted = write();
    const std::vector<std::uint8_t> block = settingsParser::buildBlock();
    settings::init();
    for (std::size_t at = 0; at + settingsParser::packetSize <= block.size();
         at += settingsParser::packetSize) {
        std::copy(block.begin() + static_cast<std::ptrdiff_t>(at),
                  block.begin() + static_cast<std::ptrdiff_t>(at + settingsParser::packetSize),
                  settingsParser::data);
        settingsParser::parseToSettings(false, true);
    }
    const json reopened = write();
    for (const char* key : {"modeButtons", "modes"}) {
        for (int i = inUse; i < settings::modeCount; ++i) {
            const json& a = accepted[key][i];
            const json& b = reopened[key][i];
            if (auto at = firstDifference(a, b)) {
                const std::string where =
                    std::string(key) + "[" + std::to_string(i) + "]" + keySuffix(*at);
                throw error(where, "Value out of range for \"" + where + "\": " + a[*at].dump() +
                                       " (a settings file keeps " + b[*at].dump() + " with " +
                                       std::to_string(inUse) + (inUse == 1 ? " mode)" : " modes)"));
            }
        }
    }
}

} // namespace

void read(const json& document) {
    if (!document.is_object())
        throw error("", "Wrong type for the document: expected an object");
    reader r(document, "");
    schema::model(r);
    r.finish();
    requireKeptByFile();
}

} // namespace cli::settingsJson
