#include "tests/CoreSupport.h"

#include "calendar/Cp932.h"
#include "calendar/Records.h"
#include "generation/YearLoading.h"

#include <QFile>
#include <gtest/gtest.h>

namespace hibimo::test {

Fixture::Fixture(QDate today) {
    module = std::make_unique<HbmModule>(dir.path(), ui);
    module->today = [today] { return today; };
}

QByteArray Fixture::bytes(const QString& name) const {
    QFile f(path(name));
    if (!f.open(QIODevice::ReadOnly))
        return {};
    return f.readAll();
}

void Fixture::writeBytes(const QString& name, const QByteArray& data) const {
    QFile f(path(name));
    if (f.open(QIODevice::WriteOnly | QIODevice::Truncate))
        f.write(data);
}

void Fixture::writeText(const QString& name, const QString& text) const {
    writeBytes(name, cp932(text));
}

void Fixture::writeList(const QString& name, const QString& text) const {
    writeText(name, "\"" + text + "\"\r\n");
}

void Fixture::writeLists(const QString& holidays, const QString& anniversaries) const {
    writeList("HBHolyD.dat", holidays);
    writeList("HBBirth.dat", anniversaries);
}

std::unique_ptr<HbmModule> Fixture::reread(const QString& year) {
    auto reader = std::make_unique<HbmModule>(dir.path(), ui);
    YearLoad(*reader, year);
    return reader;
}

QStringList records(const QByteArray& bytes) {
    RecordReader reader(bytes);
    QStringList list;
    while (std::optional<QString> record = reader.next())
        list << *record;
    return list;
}

} // namespace hibimo::test
