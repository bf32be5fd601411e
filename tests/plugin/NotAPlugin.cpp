// A shared library that is no plug-in: it has no VST 2.4 entry point.
extern "C" __attribute__((visibility("default"))) int velunorNotAnEntryPoint() { return 42; }
