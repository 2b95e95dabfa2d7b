#include "app/CSplashWnd.h"

#include <QApplication>
#include <QPainter>
#include <QSvgRenderer>
#include <QTimer>

namespace cw
{

namespace
{

constexpr QSize kPictureSize(480, 300);

} // namespace

CSplashWnd::CSplashWnd(QWidget* mainWindow)
    : QWidget(mainWindow, Qt::SplashScreen | Qt::FramelessWindowHint), mainWindow_(mainWindow)
{
    setAttribute(Qt::WA_DeleteOnClose);
    picture_ = QPixmap(kPictureSize * devicePixelRatioF());
    picture_.setDevicePixelRatio(devicePixelRatioF());
    picture_.fill(Qt::white);
    QPainter painter(&picture_);
    QSvgRenderer(QStringLiteral(":/splash.svg")).render(&painter, QRectF(QPointF(), kPictureSize));
    // The picture is also the About box, so it says which version this is.
    const QString version = QCoreApplication::applicationVersion();
    if (!version.isEmpty()) {
        painter.setPen(QColor(0xe0, 0xf0, 0xf0));
        painter.setFont(QFont(QStringLiteral("Liberation Sans"), 10));
        painter.drawText(QRect(0, 49, kPictureSize.width(), 20), Qt::AlignHCenter | Qt::AlignTop,
                         QStringLiteral("Version %1").arg(version));
    }
    painter.end();
    setFixedSize(kPictureSize);
    QTimer::singleShot(kShowMs, this, &QWidget::close);
    qApp->installEventFilter(this);
}

CSplashWnd::~CSplashWnd()
{
    qApp->removeEventFilter(this);
}

void CSplashWnd::showEvent(QShowEvent* event)
{
    if (mainWindow_) {
        const QRect frame = mainWindow_->frameGeometry();
        move(frame.center() - rect().center());
    }
    QWidget::showEvent(event);
}

void CSplashWnd::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    painter.drawPixmap(0, 0, picture_);
}

bool CSplashWnd::eventFilter(QObject* watched, QEvent* event)
{
    switch (event->type()) {
    case QEvent::KeyPress:
    case QEvent::MouseButtonPress:
    case QEvent::NonClientAreaMouseButtonPress:
        close();
        break;
    default:
        break;
    }
    return QWidget::eventFilter(watched, event);
}

} // namespace cw
