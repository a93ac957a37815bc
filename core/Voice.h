#pragma once
// Speaking a typed text and replaying the effect sound.
#include <QString>

// Speaks the text with the speech voice and returns true when done; false (after saying so)
// when speech is switched off or no voice can be had.
bool SpeakText(const QString& text);

// Rewinds and plays whatever effect the current activity opened on the frame's MM_No; does
// not wait for the sound to end.
void PlayClick();
