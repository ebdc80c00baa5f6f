#include "tests/ScriptedInteraction.h"

#include <QApplication>
#include <QWidget>
#include <gtest/gtest.h>

namespace {

// The scripted interaction shows and closes real windows in the window tests.
struct WidgetWindows : hibimo::ScriptedInteraction::Windows {
    QString name(QWidget& window) override { return window.objectName(); }
    void show(QWidget& window) override { window.show(); }
    bool isVisible(QWidget& window) override { return window.isVisible(); }
    void close(QWidget& window) override { window.close(); }
};

} // namespace

int main(int argc, char** argv) {
    // The tests run without a display; the program itself never reads this.
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    WidgetWindows windows;
    hibimo::ScriptedInteraction::windows = &windows;
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
