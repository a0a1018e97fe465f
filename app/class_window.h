// The style of a window shown to a class (the board, the practice window): white on
// near-black, selections in cyan; F11 puts it in full screen and back, Escape leaves full
// screen.
#pragma once

class QWidget;

// Escape is taken only while the window is full screen; otherwise it is left to the
// window's widgets.
void dress_for_class(QWidget* window);
