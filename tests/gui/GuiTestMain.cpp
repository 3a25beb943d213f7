// The shell tests run without a display: one QApplication for the whole run
// on the offscreen platform (unless another one is asked for), with the
// settings store moved into a temporary folder so that no test reads or
// writes the user's own settings.
#include <gtest/gtest.h>

#include <QApplication>
#include <QSettings>
#include <QTemporaryDir>

namespace {

QtMessageHandler g_previousHandler = nullptr;

// The offscreen platform says this of every window it shows.
void DropOffscreenNotices(QtMsgType type, const QMessageLogContext& context, const QString& message)
{
    if (message.contains(QStringLiteral("does not support propagateSizeHints")))
        return;
    g_previousHandler(type, context, message);
}

}  // namespace

int main(int argc, char** argv)
{
    // Also when the test runner lists the tests at build time.
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");

    // GoogleTest takes its own flags out first, so the application object
    // does not see them among the program's arguments.
    ::testing::InitGoogleTest(&argc, argv);
    QApplication application(argc, argv);
    g_previousHandler = qInstallMessageHandler(DropOffscreenNotices);

    QTemporaryDir settingsDir;
    if (!settingsDir.isValid())
        return 1;
    QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, settingsDir.path());
    QSettings::setPath(QSettings::IniFormat, QSettings::UserScope, settingsDir.path());

    return RUN_ALL_TESTS();
}
