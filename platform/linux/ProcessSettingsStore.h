#pragma once
// The one settings store of the process, in ${XDG_CONFIG_HOME:-$HOME/.config}/Vantorell. The
// plug-in's entry point and the tools call installProcessSettingsStore() before anything reads a
// setting; the folder is taken from the environment at that first call, so a tool or test can point
// it elsewhere first.

#include <filesystem>

#include "core/SettingsStore.h"

namespace velunor {

// The settings file the environment names; empty when neither XDG_CONFIG_HOME nor HOME is usable.
std::filesystem::path defaultSettingsFile();

// Creates the store on the first call and installs it with setSettingsStore; later calls install
// the same store again. Never fails: without a usable folder every open of the store fails, which
// reads as "no settings".
SettingsStore& installProcessSettingsStore();

}  // namespace velunor
