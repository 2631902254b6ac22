#pragma once
// The controls the end-of-operation routine enables, and the region options
// a sequence holds still, in one place.
class QWidget;

namespace rz::controls {

// Enables every button and menu of the window that the end of an operation
// turns back on; those not built yet are skipped.
void enableAfterOperation(QWidget* window);
// The three region options (off while Read all or Write all runs).
void setRegionOptionsEnabled(QWidget* window, bool enabled);

} // namespace rz::controls
