#pragma once

#include <nlohmann/json.hpp>

#include <stdexcept>
#include <string>

// The settings model as JSON, in the key order of the model.
namespace cli::settingsJson {

using json = nlohmann::ordered_json;

// The whole model (global settings and all three modes).
json write();

// A key that is not part of the model, a value of the wrong type, or a value that a
// packet cannot carry back unchanged. `key` is the key's full path, "modes[1].autofire.button".
class error : public std::runtime_error {
public:
    error(std::string key, const std::string& message)
        : std::runtime_error(message), keyPath(std::move(key)) {}
    const std::string& key() const { return keyPath; }

private:
    std::string keyPath;
};

// Applies every key present in `document` to the model; absent keys keep their values.
// Throws `error` at the first fault; the model may then hold part of the document.
void read(const json& document);

// Float text that reads back, through double, as the same single-precision value: the
// shortest such decimal (the exact value where that would not), or "inf", "-inf", "nan".
json floatValue(float value);

} // namespace cli::settingsJson
