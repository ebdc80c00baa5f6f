#include "tests/TestSupport.h"

#include <QTest>
#include <gtest/gtest.h>

namespace hibimo::test {

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
