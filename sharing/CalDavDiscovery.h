#pragma once

#include "sharing/CalDavTransport.h"

#include <QByteArrayView>
#include <QObject>
#include <QString>
#include <QUrl>
#include <optional>
#include <vector>

namespace hibimo {

// What one response of a multistatus says about the properties discovery asks for, from its 2xx
// propstats only.
struct DavResource {
    QUrl url;
    bool calendar = false;
    QString name; // displayname
    QUrl principal;
    QUrl home; // calendar-home-set
};
// Every response of a multistatus, hrefs resolved against `base`; nothing when the text is not a whole
// multistatus or a response lacks its href.
std::optional<std::vector<DavResource>> readDavResources(QByteArrayView xml, const QUrl& base);
// The calendars among them, each named by its displayname or else by its last path segment.
std::vector<DavResource> calendarsAmong(const std::vector<DavResource>& resources);

// Finds the calendars of an account from the server's address alone (RFC 6764 then RFC 4791): the
// well-known address, the principal, its calendar home, the calendars in it. An address that already
// is a calendar is the one calendar found. Requests go only to the address's origin.
class CalDavDiscovery : public QObject {
    Q_OBJECT
  public:
    explicit CalDavDiscovery(QObject* parent = nullptr);

    void find(const QUrl& address, const QString& user, const QString& password);
    // Makes a calendar named `name` in the home found; fails where none was.
    void create(const QString& name);
    bool waitForFinished(int ms);
    const std::vector<DavResource>& calendars() const { return calendars_; }
    const QUrl& home() const { return home_; }

  signals:
    void finished(bool ok, const QString& message);

  private:
    void next();
    void ask(const QUrl& url, const QByteArray& depth);
    void answered(const Answer& answer);
    void listHome();
    void done(bool ok, const QString& message);

    CalDavTransport transport_;
    std::vector<QUrl> candidates_;
    QUrl origin_;
    QUrl home_;
    std::vector<DavResource> calendars_;
    int hops_ = 0;
    bool listing_ = false; // asking the home for its calendars
    bool running_ = false;
};

} // namespace hibimo
