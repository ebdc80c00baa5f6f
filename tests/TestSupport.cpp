#include "TestSupport.h"

#include "calendar/Cp932.h"
#include "calendar/Records.h"
#include "generation/YearLoading.h"

#include <QFile>
#include <QTest>
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
    writeBytes(name, encodeCp932(text));
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

Calendar::Calendar(QDate today, bool withLists) : Fixture(today) {
    if (withLists)
        writeLists();
    frm = std::make_unique<HbmFrm>(m());
    Form::setMainForm(frm.get());
    frm->Form_Load();
    frm->show();
    frm->activateIfPending();
    EXPECT_FALSE(ui.calls.contains("modal:HbmInput")) << "the display's own writes are no input";
    startUp = std::move(ui.messages);
    ui.messages.clear();
    ui.calls.clear();
}

QStringList Calendar::dayNumbers() const {
    QStringList days;
    for (auto* box : frm->Text1)
        days << box->text();
    return days;
}

CellBox* Calendar::box(Box b, int cell) const {
    return std::array{frm->Text1[cell], frm->Text2[cell], frm->Text3[cell], frm->Text5[cell]}[int(b)];
}

void Calendar::doubleClick(Box b, int cell) const {
    QTest::mouseDClick(box(b, cell), Qt::LeftButton, Qt::NoModifier, QPoint(4, 4));
}

void Calendar::pasteMemo(const QString& text) {
    frm->Text4->setLocked(false);
    frm->Text4->moveCursor(QTextCursor::End);
    frm->Text4->insertPlainText(text);
}

} // namespace hibimo::test
