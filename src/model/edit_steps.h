#pragma once
// The name of the next undo step. A command that changes the data set may
// say what it does ("Clear rows 5–9") before it does it; the edit history
// names the step it records next after it. Without a window nothing listens.
#include <QObject>
#include <QString>

namespace rz {

class EditSteps : public QObject {
    Q_OBJECT
public:
    using QObject::QObject;
    void announce(const QString& name) { emit announced(name); }

signals:
    void announced(const QString& name);
};

} // namespace rz
