#pragma once

#include <QWidget>

class QTextBrowser;

namespace cw
{

// The user manual in a window of its own, with a contents link on every page.
class CHelpWnd : public QWidget
{
    Q_OBJECT
public:
    explicit CHelpWnd(QWidget* parent);
    QTextBrowser* browser() const { return browser_; }
    // Shows a page of the manual, e.g. "index.md".
    void ShowPage(const QString& page);

private:
    QTextBrowser* browser_;
};

} // namespace cw
