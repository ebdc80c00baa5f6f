#pragma once

// The server and the second client that with_services.sh starts, as the publishing tests reach them.
#include <QProcess>
#include <QString>
#include <QStringList>
#include <gtest/gtest.h>

namespace hibimo {

inline QString env(const char* name) {
    return qEnvironmentVariable(name);
}

// What the second client sees: "uid<TAB>summary" lines, sorted.
inline QStringList serverEvents(const QString& url) {
    QProcess client;
    client.start(env("HIBIMO_CALDAV_CLIENT"),
                 {url, env("HIBIMO_CALDAV_USER"), env("HIBIMO_CALDAV_PASSWORD"), "list"});
    client.waitForFinished(30000);
    return QString::fromUtf8(client.readAllStandardOutput()).split('\n', Qt::SkipEmptyParts);
}

inline void secondClient(const QString& url, const QString& command, const QString& uid,
                         const QString& text) {
    ASSERT_EQ(
        QProcess::execute(env("HIBIMO_CALDAV_CLIENT"), {url, env("HIBIMO_CALDAV_USER"),
                                                        env("HIBIMO_CALDAV_PASSWORD"), command, uid, text}),
        0);
}

} // namespace hibimo
