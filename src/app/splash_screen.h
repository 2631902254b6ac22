#pragma once
// The start window "frmSplash": closes itself after 500 ms or on any key and
// then lets the main window come up.
#include <QWidget>

class QTimer;

namespace rz {

class SplashScreen : public QWidget {
    Q_OBJECT
public:
    explicit SplashScreen(QWidget* parent = nullptr);
    QTimer* timer() const { return timer_; }

signals:
    void finished();

public slots:
    void finish();

protected:
    void showEvent(QShowEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    QTimer* timer_;
    bool done_ = false;
};

} // namespace rz
