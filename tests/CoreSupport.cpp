#include "tests/CoreSupport.h"

#include "calendar/Records.h"
#include "generation/YearGeneration.h"
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
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

void Fixture::writeBytes(const QString& name, const QByteArray& data) const {
    QFile f(path(name));
    EXPECT_TRUE(f.open(QIODevice::WriteOnly | QIODevice::Truncate) && f.write(data) == data.size());
}

void Fixture::writeText(const QString& name, const QString& text) const {
    writeBytes(name, cp932(text));
}

void Fixture::writeLists(const QString& holidays, const QString& anniversaries) const {
    writeText("HBHolyD.dat", "\"" + holidays + "\"\r\n");
    writeText("HBBirth.dat", "\"" + anniversaries + "\"\r\n");
}

std::unique_ptr<HbmModule> Fixture::reread(const QString& year) {
    auto reader = std::make_unique<HbmModule>(dir.path(), ui);
    YearLoad(*reader, year);
    return reader;
}

std::optional<QString> generated(QStringView holidays, int year) {
    YearItems items;
    if (!generateYear(items, holidays, u"*2000/01/00", year))
        return std::nullopt;
    QStringList entries;
    for (const MonthItems& month : items)
        for (const auto& day : month)
            entries.append(QStringList(day.begin(), day.end()));
    entries.removeAll(QString());
    return entries.join('|');
}

QStringList tableRows(const QString& name) {
    QFile file(QStringLiteral(HIBIMO_SOURCE_DIR "/tests/generation/") + name);
    EXPECT_TRUE(file.open(QIODevice::ReadOnly)) << name.toStdString();
    QStringList rows = QString::fromUtf8(file.readAll()).split('\n', Qt::SkipEmptyParts);
    rows.removeIf([](const QString& row) { return row.startsWith('#'); });
    return rows;
}

QStringList records(const QByteArray& bytes) {
    RecordReader reader(bytes);
    QStringList list;
    while (std::optional<QString> record = reader.next())
        list << *record;
    return list;
}

} // namespace hibimo::test
