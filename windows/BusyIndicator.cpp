#include "windows/BusyIndicator.h"

#include <QProgressBar>

namespace {

// The window keeps its layout whether the indicator shows or not.
void keepPlaceWhenHidden(QProgressBar *busy)
{
    QSizePolicy policy = busy->sizePolicy();
    policy.setRetainSizeWhenHidden(true);
    busy->setSizePolicy(policy);
}

} // namespace

void startAnimation(QProgressBar *busy)
{
    if (!busy)
        return;
    keepPlaceWhenHidden(busy);
    // A range of zero makes the bar show activity instead of progress.
    busy->setRange(0, 0);
    busy->setVisible(true);
}

void stopAnimation(QProgressBar *busy)
{
    if (!busy)
        return;
    keepPlaceWhenHidden(busy);
    busy->setRange(0, 1);
    busy->setVisible(false);
}

bool isAnimating(const QProgressBar *busy)
{
    return busy && busy->isVisibleTo(busy->window()) && busy->maximum() == 0;
}
