#pragma once
// The Help menu's windows: the short user guide and About.

class QWidget;

namespace rw::qt {

// The guide in a window of its own, brought to the front when asked again.
void showUserGuide(QWidget* parent);
void showAbout(QWidget* parent);

}  // namespace rw::qt
