#include "tests/TestSupport.h"

#include <QApplication>

namespace hibimo::test {

Calendar::Calendar(QDate today, bool withLists, std::function<void(Calendar&)> onStartMessage)
    : Fixture(today) {
    if (withLists)
        writeLists();
    frm = std::make_unique<HbmFrm>(m());
    if (onStartMessage)
        ui.onMessage = [this, onStartMessage](const auto&) { onStartMessage(*this); };
    Form::setMainForm(frm.get());
    frm->Form_Load();
    frm->show();
    frm->activateIfPending();
    EXPECT_FALSE(ui.calls.contains("modal:HbmInput")) << "the display's own writes are no input";
    ui.onMessage = {};
    for (const auto& message : ui.messages)
        startUp << message.title + ": " + message.text;
    ui.messages.clear();
    ui.calls.clear();
}

QStringList Calendar::shownMonth() const {
    QStringList shown = {frm->Label3->caption(), frm->Label2->caption(), frm->Text4->text()};
    for (int i = 0; i < 42; ++i)
        for (Box b : {Box::DayNumber, Box::Public, Box::Private, Box::Mark})
            if (CellBox* cell = box(b, i); cell->isVisible())
                shown << cell->text() + QString::asprintf("|%x|%x", foreColor(*cell), backColor(*cell));
    return shown;
}

CellBox* Calendar::box(Box b, int cell) const {
    return std::array{frm->Text1[cell], frm->Text2[cell], frm->Text3[cell], frm->Text5[cell]}[int(b)];
}

void Calendar::pasteMemo(const QString& text) {
    frm->Text4->setReadOnly(false);
    frm->Text4->moveCursor(QTextCursor::End);
    frm->Text4->insertPlainText(text);
}

// The scripted interaction shows and closes real windows in the window tests.
struct WidgetWindows : ScriptedInteraction::Windows {
    QString name(QWidget& window) override { return window.objectName(); }
    void show(QWidget& window) override { window.show(); }
    bool isVisible(QWidget& window) override { return window.isVisible(); }
    void close(QWidget& window) override { window.close(); }
};

} // namespace hibimo::test

int main(int argc, char** argv) {
    // The tests run without a display; the program itself never reads this.
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    hibimo::test::WidgetWindows windows;
    hibimo::ScriptedInteraction::windows = &windows;
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
