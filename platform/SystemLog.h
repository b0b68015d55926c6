#pragma once

#include <QString>
#include <QStringList>

namespace platform {

// The system log: one plain line per message, no level or prefix, on standard error.
void systemLog(const QString &line);

// While alive, also collects every logged line (for tests and for hosts that show the log).
// Captures nest; each sees the lines logged during its lifetime.
class LogCapture
{
public:
    LogCapture();
    ~LogCapture();
    LogCapture(const LogCapture &) = delete;
    LogCapture &operator=(const LogCapture &) = delete;

    QStringList lines() const;

private:
    friend void systemLog(const QString &line);
    QStringList m_lines;
};

} // namespace platform
