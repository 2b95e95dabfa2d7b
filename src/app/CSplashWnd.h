#pragma once

#include <QPixmap>
#include <QWidget>

class QTimer;

namespace cw
{

// The start-up picture: a borderless window centred over the main window. It goes after 15 s
// or at the first key or mouse button press anywhere in the program.
class CSplashWnd : public QWidget
{
    Q_OBJECT
public:
    explicit CSplashWnd(QWidget* mainWindow);
    ~CSplashWnd() override;

    static constexpr int kShowMs = 15000;

protected:
    void paintEvent(QPaintEvent* event) override;
    void showEvent(QShowEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    QWidget* mainWindow_;
    QPixmap picture_;
};

} // namespace cw
