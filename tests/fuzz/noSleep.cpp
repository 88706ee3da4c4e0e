// The harnesses are linked with --wrap for platform::sleepMilliseconds: the monitor
// client's settling pauses wait for a device that is not there, and at half a second
// per connection they would leave the fuzzer nothing to do.
extern "C" void __wrap__ZN8platform17sleepMillisecondsEi(int) {}
