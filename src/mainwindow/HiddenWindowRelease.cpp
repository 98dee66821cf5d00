#include "HiddenWindowRelease.h"

#include <QBackingStore>
#include <QEvent>
#include <QWidget>

bool HiddenWindowRelease::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() == QEvent::Hide && watched->isWidgetType()) {
        auto* widget = static_cast<QWidget*>(watched);
        // A minimised window is hidden too; it keeps nothing it needs here
        // either, as it is drawn again when restored. One pixel rather than
        // none: some window systems refuse an empty picture.
        if (widget->isWindow() && !widget->isVisible())
            if (QBackingStore* store = widget->backingStore())
                store->resize(QSize(1, 1));
    }
    return QObject::eventFilter(watched, event);
}
