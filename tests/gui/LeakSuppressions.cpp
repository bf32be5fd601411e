// Read by LeakSanitizer in the sanitizer build (and unused otherwise): fontconfig keeps what it
// parsed from its configuration files for the life of the process, by design, and cairo keeps
// the patterns of its font cache until it is reset. Visible, so that the runtime finds it.
extern "C" __attribute__((visibility("default"))) const char* __lsan_default_suppressions();
extern "C" const char* __lsan_default_suppressions() { return "leak:libfontconfig.so\n"; }
