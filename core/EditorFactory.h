#pragma once
// The effect creates its editor through a factory that the plug-in target installs, so that the
// audio core, its tests and the offline meter link no user-interface code. Without a factory the
// effect has no editor and reports none to the host.

class AudioEffect;
class AEffEditor;

namespace velunor {

using EditorFactory = AEffEditor* (*)(AudioEffect* effect);

void setEditorFactory(EditorFactory factory) noexcept;
// Null when no factory is installed or the factory could not build an editor.
AEffEditor* createEditor(AudioEffect* effect);

}  // namespace velunor
