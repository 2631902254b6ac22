#pragma once
// Renders the main window and the Memory Setting dialog into PNG files
// (for the documentation), without showing anything on screen.
#include <QString>

namespace rz {

class MainWindow;

// A few example channels, so the pictures show what the grid holds.
void fillExampleChannels(MainWindow& window);
// Writes main-window.png and memory-setting.png into folder; false on a
// write failure.
bool writeScreenshots(MainWindow& window, const QString& folder);

} // namespace rz
