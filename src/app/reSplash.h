#pragma once
#include <QFrame>

class QTimer;

// The splash window: closes itself after 1500 ms or on a click.
class TSplash : public QFrame {
    Q_OBJECT
public:
    explicit TSplash(QWidget *parent = nullptr);

protected:
    void mousePressEvent(QMouseEvent *event) override;

private:
    void Timer1Timer();
    void PanelInsideClick();
    QTimer *Timer1 = nullptr;
};
