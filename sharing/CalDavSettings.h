#pragma once

#include "sharing/CalendarResource.h"

#include <QByteArrayView>
#include <QString>

namespace hibimo {

// Where and what the calendar publishes. The password is never part of it: it lives in the desktop's
// keyring, or in memory only.
struct CalDavSettings {
    QString url; // the calendar collection, ending in "/"
    QString user;
    ShareKinds kinds;
    bool afterSave = false;
    bool atExit = false;
    // Why the URL the file names cannot be used; then url is empty and publishing is not configured.
    QString problem;

    bool configured() const { return !url.isEmpty(); }
};

inline const QString CalDavSettingsFileName = QStringLiteral("HbCalDav.ini");

// The settings of the program folder; the defaults (nothing configured) when there are none.
CalDavSettings readCalDavSettings(const QString& folder);
CalDavSettings calDavSettingsFromBytes(QByteArrayView bytes);
// Written through a temporary; false when the file could not be replaced.
bool writeCalDavSettings(const QString& folder, const CalDavSettings& settings);

// Why a collection URL may not be used, or the empty text when it may: only https, or plain http to
// this machine itself, so that a password never crosses a network in the clear; and nothing after the
// path, which would make every event's address the collection's own.
QString calDavUrlProblem(const QString& url);
// Why a user name cannot be kept, or the empty text.
QString calDavUserProblem(const QString& user);

// The collection URL as requests use it and the file keeps it: trimmed, ending in "/", with every
// character the file's code page cannot hold percent-encoded.
QString normalisedCollectionUrl(const QString& url);

} // namespace hibimo
