#include "app/splash_screen.h"
#include "app/product.h"
#include <QGridLayout>
#include <QLabel>
#include <QTimer>

namespace rz {

SplashScreen::SplashScreen(QWidget* parent)
    : QWidget(parent, Qt::SplashScreen | Qt::FramelessWindowHint), timer_(new QTimer(this)) {
    setObjectName(QStringLiteral("frmSplash"));
    setFocusPolicy(Qt::StrongFocus);
    timer_->setObjectName(QStringLiteral("Timer1"));
    timer_->setInterval(500);
    timer_->setSingleShot(true);
    connect(timer_, &QTimer::timeout, this, &SplashScreen::finish);

    auto* layout = new QGridLayout(this);
    layout->setContentsMargins(24, 24, 24, 24);
    QLabel* name = product::addHeader(layout, 96);
    QFont big = name->font();
    big.setPointSize(big.pointSize() * 2);
    big.setBold(true);
    name->setFont(big);
    setStyleSheet(QStringLiteral("rz--SplashScreen { border: 1px solid gray; }"));
}

void SplashScreen::showEvent(QShowEvent* event) {
    QWidget::showEvent(event);
    timer_->start();
    activateWindow();
    setFocus();
}

void SplashScreen::keyPressEvent(QKeyEvent*) {
    finish();
}

void SplashScreen::finish() {
    timer_->stop();
    if (done_)
        return;
    done_ = true;
    // The main window comes up before this one goes, so that the program
    // never runs for a moment without a window.
    emit finished();
    close();
}

} // namespace rz
