// Any document for `marlovan-cli encode`: it is refused with a parse or key error, or
// its settings are saved without loss: the saved block reopens to itself, and the
// modes beyond numModes (which a file does not hold) were left as a reopen gives them.
#include "fuzzSupport.h"

#include "cli/settingsJson.h"
#include "settings/settings.h"

namespace {

using json = cli::settingsJson::json;

// A knob value means something only while its setting is knob-controlled.
json meaningful(json node) {
    if (node.is_object()) {
        if (node.contains("knobControlled") && node["knobControlled"] == false)
            node["knobValue"] = 0.0;
        for (auto& member : node)
            member = meaningful(member);
    } else if (node.is_array()) {
        for (auto& element : node)
            element = meaningful(element);
    }
    return node;
}

json modesNotInUse(const json& model) {
    json rest = json::array();
    for (int i = settings::modesInUse(); i < settings::modeCount; ++i)
        rest.push_back({model["modeButtons"][i], model["modes"][i]});
    return meaningful(rest);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    namespace settingsJson = cli::settingsJson;
    fuzzSupport::resetSettings();
    json document;
    try {
        document = json::parse(data, data + size);
    } catch (const json::exception&) {
        return 0;
    }
    settings::init();
    try {
        settingsJson::read(document);
    } catch (const settingsJson::error& e) {
        // Error messages quote the key and the value; both must print.
        fuzzSupport::check(!std::string(e.what()).empty(), "empty error message");
        return 0;
    }
    const json accepted = modesNotInUse(settingsJson::write());
    fuzzSupport::checkBlockReopens();
    fuzzSupport::check(modesNotInUse(settingsJson::write()) == accepted,
                       "an accepted document set a mode that is not in use");
    return 0;
}
