// Test entry: one QApplication for the whole run, offscreen when no display
// is set, with a runtime folder of its own.
#include <gtest/gtest.h>

#include <QApplication>
#include <QDir>
#include <QTemporaryDir>
#include <cstdlib>

namespace {
QtMessageHandler passOn = nullptr;

// The offscreen platform says this for every window given a minimum or
// maximum size; it is not about the program and would bury a real warning.
void quietOffscreen(QtMsgType type, const QMessageLogContext& context, const QString& text) {
    if (text == QLatin1String("This plugin does not support propagateSizeHints()")) return;
    if (passOn) passOn(type, context, text);
}
}  // namespace

int main(int argc, char** argv) {
    if (!std::getenv("DISPLAY") && !std::getenv("WAYLAND_DISPLAY")) setenv("QT_QPA_PLATFORM", "offscreen", 0);
    // Nothing of a test run lands in the user's runtime folder, and Qt finds one.
    QTemporaryDir runtime(QDir::tempPath() + "/velmora-run-XXXXXX");
    if (runtime.isValid()) {
        QFile::setPermissions(runtime.path(), QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
        setenv("XDG_RUNTIME_DIR", runtime.path().toLocal8Bit().constData(), 1);
    }
    passOn = qInstallMessageHandler(quietOffscreen);
    QApplication app(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
