#pragma once

#include "model/BoxType.h"

#include <QWidget>

namespace cw::ui
{

// The picture of a box type at the top left of its workbench panel: the same vector drawing
// the system report prints.
class BoxIcon : public QWidget
{
    Q_OBJECT
public:
    explicit BoxIcon(BoxType type, QWidget* parent = nullptr);
    QSize sizeHint() const override { return {40, 40}; }

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    BoxType type_;
};

} // namespace cw::ui
