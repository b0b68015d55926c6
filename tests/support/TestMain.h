#pragma once

#include "tests/support/TestHost.h"

#include <QApplication>
#include <QTest>

#include <unistd.h>

// Like QTEST_MAIN, with the process isolated first: temporary settings, data and home
// folders, and widgets built offscreen.
#define IMDB_TEST_MAIN(TestClass)                                                                  \
    int main(int argc, char **argv)                                                                \
    {                                                                                              \
        if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))                                        \
            qputenv("QT_QPA_PLATFORM", "offscreen");                                               \
        IsolatedEnvironment environment;                                                           \
        if (geteuid() == 0)                                                                        \
            qputenv("QTWEBENGINE_DISABLE_SANDBOX", "1");                                           \
        QCoreApplication::setAttribute(Qt::AA_ShareOpenGLContexts);                                \
        QApplication app(argc, argv);                                                              \
        environment.applyNames();                                                                  \
        app.setAttribute(Qt::AA_Use96Dpi, true);                                                   \
        TestClass test;                                                                            \
        QTEST_SET_MAIN_SOURCE_PATH                                                                 \
        return QTest::qExec(&test, argc, argv);                                                    \
    }

// A time limit of a test that guards against work growing faster than its input: the limit
// of a normal build, five times longer in a sanitizer build, whose checks slow every memory
// access. Such limits sit far above a normal run's time, so a busy machine passes them too.
inline qint64 timeLimitMs(qint64 normalBuildMs)
{
#if defined(__SANITIZE_ADDRESS__)
    return normalBuildMs * 5;
#else
    return normalBuildMs;
#endif
}

// Where the copies of saved pages and hand-written pages the tests read are.
inline QString testData(const QString &relativePath)
{
    return QStringLiteral(IMDB_TEST_DATA_DIR "/") + relativePath;
}

QByteArray readTestData(const QString &relativePath);
