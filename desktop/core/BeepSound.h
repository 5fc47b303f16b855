#pragma once
// The beep heard where the platform's own is silent: the bell of X11 and
// Wayland desktops is mostly off, so there a short tone also plays on the
// default sound output. Nothing plays without a sound device, or on the
// offscreen platform of the tests.

namespace rw::qt {

// Call on the main thread after QApplication::beep().
void playBeepSound();

}  // namespace rw::qt
