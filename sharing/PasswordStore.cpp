#include "sharing/PasswordStore.h"

#include <qt6keychain/keychain.h>

namespace hibimo {

namespace {

const QString Service = QStringLiteral("Hibimo");

PasswordStore::Outcome outcomeOf(const QKeychain::Job& job) {
    switch (job.error()) {
    case QKeychain::NoError:
        return PasswordStore::Outcome::Done;
    case QKeychain::EntryNotFound:
        return PasswordStore::Outcome::NotFound;
    default:
        return PasswordStore::Outcome::NoKeyring;
    }
}

// Never the plain-text store QtKeychain can fall back to: a password stays out of every file.
template <typename Job> Job* newJob(QObject* parent, const QString& key) {
    auto* job = new Job(Service, parent);
    job->setAutoDelete(true);
    job->setInsecureFallback(false);
    job->setKey(key);
    return job;
}

} // namespace

QString PasswordStore::keyOf(const QString& collection, const QString& user) {
    return user + QLatin1Char('@') + collection;
}

void PasswordStore::read(const QString& collection, const QString& user, Done done) {
    auto* job = newJob<QKeychain::ReadPasswordJob>(this, keyOf(collection, user));
    connect(job, &QKeychain::Job::finished, this,
            [job, done](QKeychain::Job*) { done(outcomeOf(*job), job->textData()); });
    job->start();
}

void PasswordStore::write(const QString& collection, const QString& user, const QString& password,
                          Done done) {
    auto* job = newJob<QKeychain::WritePasswordJob>(this, keyOf(collection, user));
    job->setTextData(password);
    connect(job, &QKeychain::Job::finished, this,
            [job, done](QKeychain::Job*) { done(outcomeOf(*job), {}); });
    job->start();
}

} // namespace hibimo
