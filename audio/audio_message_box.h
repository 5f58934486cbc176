#pragma once
// Where the audio unit shows a failure nobody else can catch (the recorder's
// auto-start). Until the window layer installs its message box, the text goes
// to standard error.

#include <string>

using AudioMessageBox = void (*)(const std::string& text, const std::string& caption);

// Installs `box` (null restores the standard-error default); returns the
// previous one. Main thread only.
AudioMessageBox SetAudioMessageBox(AudioMessageBox box);
void ShowAudioMessage(const std::string& text, const std::string& caption);
