#pragma once

#include "settings/settings.h"

#include <cstdint>

// The JSON shape of the whole settings model, written once and walked by both the
// writer (decode) and the reader (encode), so the two can never disagree on a key.
//
// An archive offers:
//   boolean(key, bool&)
//   integer(key, T&, min, max)          unsigned integers; the limits are what a packet
//                                       carries back unchanged
//   number(key, float&)                 any float but NaN
//   lowResolution(key, float&)          a float sent as value x 1000 in 16 bits
//   booleans(key, bool*, n), integers(key, T*, n, min, max)   fixed-length arrays
//   object(key, fn(archive&)), objects(key, n, fn(i, archive&))
//   require(ok, key, text)              a rule between members (checked by the reader)
namespace cli::schema {

template <class A> void analog(A& a, const char* key, settings::analogSetting& s) {
    a.object(key, [&](A& o) {
        o.number("value", s.value);
        o.boolean("knobControlled", s.knobControlled);
        o.number("knobValue", s.knobValue);
    });
}

template <class A> void axis(A& a, settings::axisSettings& x) {
    analog(a, "sensitivity", x.sensitivity);
    analog(a, "asymmetry", x.asymmetry);
    analog(a, "baseDeadzone", x.baseDeadzone);
    analog(a, "variableDeadzone", x.variableDeadzone);
    analog(a, "curvature", x.curvature);
    a.boolean("disabled", x.disabled);
    a.boolean("inverted", x.inverted);
}

template <class A> void knobRange(A& a, settings::knobRangeSettings& k) {
    a.boolean("inverted", k.inverted);
    a.boolean("useCenterDeadzone", k.useCenterDeadzone);
    a.integer("minimum", k.minimum, 0, 4092);
    a.integer("maximum", k.maximum, 0, 4095);
    a.require(k.maximum > k.minimum, "maximum", "must be above minimum");
}

template <class A> void knobCenter(A& a, settings::knobCenterSettings& k) {
    a.integer("center", k.center, 0, 4093);
    a.integer("deadzoneEnd", k.deadzoneEnd, 0, 4094);
    a.require(k.deadzoneEnd > k.center, "deadzoneEnd", "must be above center");
}

template <class A> void modeSettings(A& a, settings::mode& m) {
    a.objects("axes", settings::axisCount, [&](int i, A& o) { axis(o, m.axes[i]); });
    a.objects("knobRange", settings::knobCount, [&](int i, A& o) { knobRange(o, m.knobRange[i]); });
    a.objects("knobCenter", settings::knobCount,
              [&](int i, A& o) { knobCenter(o, m.knobCenter[i]); });
    a.object("addKnobToAxis", [&](A& o) {
        auto& s = m.addKnobToAxis;
        o.boolean("enabled", s.enabled);
        o.boolean("rightKnob", s.rightKnob);
        o.boolean("bidirectional", s.bidirectional);
        o.boolean("inverted", s.inverted);
        o.integer("axis", s.axis, 0, 5);
        o.lowResolution("scalingFactor", s.scalingFactor);
    });
    a.object("reorderAxes", [&](A& o) {
        o.boolean("enabled", m.reorderAxes.enabled);
        o.integers("order", m.reorderAxes.order, 8, 0, 7);
    });
    a.object("extendedButtons", [&](A& o) {
        auto& s = m.extendedButtons;
        o.boolean("disableHatSwitch", s.disableHatSwitch);
        o.boolean("useModifiedButtons", s.useModifiedButtons);
        o.integer("modifierButton", s.modifierButton, 0, 31);
    });
    a.integer("disabledButtons", m.disabledButtons.buttons, 0, 0xFFFFFFFFu);
    a.integer("modifiedButtons", m.modifiedButtons.buttons, 0, 0xFFFFFFFFu);
    a.integer("toggledButtons", m.toggledButtons.buttons, 0, 0xFFFFFFFFu);
    a.object("autofire", [&](A& o) {
        auto& s = m.autofire;
        o.boolean("enabled", s.enabled);
        o.integer("button", s.button, 0, 31);
        o.integer("period", s.period, 0, 0xFFFF);
    });
    a.object("cruiseControl", [&](A& o) {
        auto& s = m.cruiseControl;
        o.boolean("enabled", s.enabled);
        o.boolean("toggle", s.toggle);
        o.integer("axes", s.axes, 0, 0xFF);
        o.integer("button", s.button, 0, 63);
    });
    a.object("motorConstant", [&](A& o) {
        auto& s = m.motorConstant;
        o.boolean("enabled", s.enabled);
        o.boolean("highSpeed", s.highSpeed);
        o.integer("pulsePeriod", s.pulsePeriod, 0, 0xFF);
        o.lowResolution("activationPoint", s.activationPoint);
    });
    a.object("motorPulse", [&](A& o) {
        auto& s = m.motorPulse;
        o.boolean("enabled", s.enabled);
        o.boolean("highSpeed", s.highSpeed);
        o.integer("pulseLength", s.pulseLength, 0, 0xFF);
        o.lowResolution("activationPoint", s.activationPoint);
    });
    a.object("motorExtended", [&](A& o) {
        o.integer("constantAxes", m.motorExtended.constantAxes, 0, 0xFF);
        o.integer("pulseAxes", m.motorExtended.pulseAxes, 0, 0xFF);
    });
    analog(a, "baseSensitivity", m.baseSensitivity);
    analog(a, "smoothing", m.smoothing);
    analog(a, "shiftX", m.shiftX);
    analog(a, "shiftY", m.shiftY);
}

// The whole model: the global settings, then modes A, B, C.
template <class A> void model(A& a) {
    a.integer("LEDoutput", settings::LEDoutput, 0, 0xFF);
    a.boolean("ledHighBrightness", settings::ledHighBrightness);
    a.boolean("knobsDisabled", settings::knobsDisabled);
    a.boolean("loadCellDiagnosticMode", settings::loadCellDiagnosticMode);
    a.boolean("digitalOutputDiagnosticMode", settings::digitalOutputDiagnosticMode);
    a.boolean("useRightKnobForSettings", settings::useRightKnobForSettings);
    a.integer("numModes", settings::numModes, 1, 3);
    a.boolean("useModeCycleButton", settings::useModeCycleButton);
    a.booleans("useModeMomentary", settings::useModeMomentary, 2);
    a.integers("modeButtons", settings::modeButtons, 3, 0, 63);
    a.objects("modes", settings::modeCount,
              [&](int i, A& o) { modeSettings(o, settings::modes[i]); });
}

} // namespace cli::schema
