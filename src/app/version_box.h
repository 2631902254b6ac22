#pragma once
// The Version box "Form3".
#include <QDialog>

namespace rz {

class VersionBox : public QDialog {
    Q_OBJECT
public:
    explicit VersionBox(QWidget* parent = nullptr);
};

} // namespace rz
