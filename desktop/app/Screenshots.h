#pragma once
// The hidden --screenshot-dir run: PNGs of every tab, the preferences panel
// and the block view, grabbed once the event loop has settled.

#include <QString>

namespace rw::qt {

class MainWindow;

// Writes the pictures; false (with a message on stderr) when one cannot be written.
bool writeScreenshots(MainWindow& window, const QString& folder);

}  // namespace rw::qt
