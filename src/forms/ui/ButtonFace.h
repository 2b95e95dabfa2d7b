#pragma once

class QWidget;

namespace cw::ui
{

// Draws a page, its labels and its edit fields on the button-face colour instead of the window
// and base colours, as the system editor's pages are.
void DrawOnButtonFace(QWidget* page);

} // namespace cw::ui
