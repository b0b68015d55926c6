#pragma once

class QProgressBar;

// A progress bar used as an indeterminate busy indicator: it moves while animated and
// disappears when stopped. Both accept null (a window that failed to load).
void startAnimation(QProgressBar *busy);
void stopAnimation(QProgressBar *busy);
bool isAnimating(const QProgressBar *busy);
