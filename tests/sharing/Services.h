#pragma once

// The server and the second client that with_services.sh starts, as the publishing tests reach them.
#include "sharing/CalDavPublisher.h"
#include "sharing/CalendarResource.h"
#include "tests/CoreSupport.h"

#include <QProcess>
#include <QString>
#include <QStringList>
#include <gtest/gtest.h>

namespace hibimo {

inline QString env(const char* name) {
    return qEnvironmentVariable(name);
}

inline CalendarResource event(const QString& uid, const QString& summary) {
    return {uid,
            QString("BEGIN:VCALENDAR\r\nVERSION:2.0\r\nPRODID:-//test//EN\r\nBEGIN:VEVENT\r\nUID:%1\r\n"
                    "DTSTAMP:20261207T000000Z\r\nDTSTART;VALUE=DATE:20261207\r\nDTEND;VALUE=DATE:20261208\r\n"
                    "SUMMARY:%2\r\nEND:VEVENT\r\nEND:VCALENDAR\r\n")
                .arg(uid, summary)
                .toUtf8()};
}

inline CalendarResources someEvents(int count) {
    CalendarResources resources;
    for (int i = 0; i < count; ++i)
        resources.push_back(event("ev" + QString::number(i), "予定 " + QString::number(i)));
    return resources;
}

// The second client ("mkcalendar"; "create" or "modify" uid summary; "list": "uid<TAB>summary" lines,
// sorted).
inline QStringList secondClient(const QString& url, const QStringList& command) {
    QProcess client;
    client.start(env("HIBIMO_CALDAV_CLIENT"),
                 QStringList{url, env("HIBIMO_CALDAV_USER"), env("HIBIMO_CALDAV_PASSWORD")} + command);
    EXPECT_TRUE(client.waitForFinished(30000) && client.exitCode() == 0) << command.join(' ').toStdString();
    return QString::fromUtf8(client.readAllStandardOutput()).split('\n', Qt::SkipEmptyParts);
}

// A publisher over a fresh program folder, with what its last publish said.
struct Publishing {
    test::Fixture f;
    CalDavSettings settings;
    CalDavPublisher publisher{f.dir.path()};
    bool ok = false;
    QString message;
    bool succeeds = true; // how each publish is expected to end

    explicit Publishing(QString url = env("HIBIMO_CALDAV_URL"), QString user = env("HIBIMO_CALDAV_USER")) {
        settings.url = std::move(url);
        settings.user = std::move(user);
        QObject::connect(&publisher, &CalDavPublisher::finished, [this](bool o, const QString& m) {
            ok = o;
            message = m;
        });
    }
    PublishCounts run(CalendarResources resources, const QString& password = env("HIBIMO_CALDAV_PASSWORD"),
                      const QString& newFolderId = {}) {
        EXPECT_TRUE(publisher.publish(settings, password, std::move(resources), newFolderId));
        EXPECT_TRUE(publisher.waitForFinished(60000));
        EXPECT_EQ(ok, succeeds) << message.toStdString();
        return publisher.counts();
    }
};

} // namespace hibimo
