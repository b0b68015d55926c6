#include "platform/WindowFrames.h"

#include <QEvent>
#include <QSettings>
#include <QWidget>

namespace platform {
namespace {

// Watches one window and stores its frame under the current name whenever it changes.
class FrameSaver : public QObject
{
    Q_OBJECT
public:
    explicit FrameSaver(QWidget *window) : QObject(window), m_window(window) {}

    QString name;

protected:
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        if (watched == m_window && !name.isEmpty()) {
            switch (event->type()) {
            case QEvent::Move:
            case QEvent::Resize:
                // A window that was never shown has no frame of the user's yet.
                if (m_window->isVisible())
                    save();
                break;
            case QEvent::Hide:
                save();
                break;
            default:
                break;
            }
        }
        return false;
    }

private:
    void save() const
    {
        QSettings settings;
        settings.setValue(frameDefaultsKey(name), m_window->saveGeometry());
    }

    QWidget *m_window;
};

FrameSaver *saverOf(const QWidget *window)
{
    return window->findChild<FrameSaver *>(QString(), Qt::FindDirectChildrenOnly);
}

} // namespace

void setFrameAutosaveName(QWidget *window, const QString &name)
{
    if (!window)
        return;
    FrameSaver *saver = saverOf(window);
    if (!saver) {
        saver = new FrameSaver(window);
        window->installEventFilter(saver);
    }
    saver->name = name;
}

QString frameAutosaveName(const QWidget *window)
{
    const FrameSaver *saver = window ? saverOf(window) : nullptr;
    return saver ? saver->name : QString();
}

bool setFrameUsingName(QWidget *window, const QString &name)
{
    if (!window || name.isEmpty())
        return false;
    const QByteArray frame = QSettings().value(frameDefaultsKey(name)).toByteArray();
    return !frame.isEmpty() && window->restoreGeometry(frame);
}

QString frameDefaultsKey(const QString &name)
{
    return u"Window Frames/" + name;
}

} // namespace platform

#include "WindowFrames.moc"
