#pragma once

class QWidget;

// Shows `window` in front of the others, as the window that takes the keyboard. Accepts
// null (a window that failed to load).
void bringToFront(QWidget *window);
