// A library whose entry point refuses every host.
struct AEffect;
extern "C" __attribute__((visibility("default"))) AEffect* VSTPluginMain(void*) { return nullptr; }
