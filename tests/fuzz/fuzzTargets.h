#pragma once

#include <cstddef>
#include <cstdint>

// Every harness, under the name the regression build gives its LLVMFuzzerTestOneInput;
// the corpus folder of each is named after it.
#define MARLOVAN_FUZZ_TARGETS(X)                                                                   \
    X(settings_packets)                                                                            \
    X(settings_file)                                                                               \
    X(config_file)                                                                                 \
    X(cli_json)                                                                                    \
    X(joystick_report)                                                                             \
    X(samba_monitor)                                                                               \
    X(udev_properties)

#define MARLOVAN_DECLARE_FUZZ_TARGET(name)                                                         \
    extern "C" int fuzz_##name(const std::uint8_t* data, std::size_t size);
MARLOVAN_FUZZ_TARGETS(MARLOVAN_DECLARE_FUZZ_TARGET)
#undef MARLOVAN_DECLARE_FUZZ_TARGET
