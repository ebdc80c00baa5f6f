#pragma once

#include <QObject>
#include <QString>
#include <functional>

namespace hibimo {

// The publishing password in the desktop's keyring (Secret Service, through QtKeychain), never in a
// file. Every call answers asynchronously on the event loop.
class PasswordStore : public QObject {
    Q_OBJECT
  public:
    enum class Outcome { Done, NotFound, NoKeyring };
    using Done = std::function<void(Outcome, const QString& password)>;

    explicit PasswordStore(QObject* parent = nullptr) : QObject(parent) {}

    // The password of a user of a collection.
    void read(const QString& collection, const QString& user, Done done);
    void write(const QString& collection, const QString& user, const QString& password, Done done);

    // The keyring entry's name: one per collection and user.
    static QString keyOf(const QString& collection, const QString& user);
};

} // namespace hibimo
