// File dialogs list folders whose files never end when read (/proc/kmsg, as root): a name typed into
// them must not stop the program.

#include "surface/qt/file_dialogs.h"
#include "surface/qt/screen_window.h"

#include <QApplication>
#include <QFileDialog>
#include <QFileInfo>
#include <QLineEdit>
#include <QPrintDialog>
#include <QPrinter>
#include <QTest>
#include <QTimer>
#include <QToolButton>

#include <gtest/gtest.h>

#include <chrono>
#include <condition_variable>
#include <cstdio>
#include <cstdlib>
#include <functional>
#include <mutex>
#include <thread>

using namespace lens;

namespace {

// Ends the test process as failed if it has not come back in time, rather than leave it stuck.
class Watchdog {
public:
    explicit Watchdog(std::chrono::seconds limit)
        : thread_([this, limit] {
              std::unique_lock lock(mutex_);
              if (!woken_.wait_for(lock, limit, [this] { return done_; })) {
                  std::fputs("The program hung in a file dialog.\n", stderr);
                  std::_Exit(EXIT_FAILURE);
              }
          })
    {
    }
    ~Watchdog()
    {
        {
            const std::lock_guard lock(mutex_);
            done_ = true;
        }
        woken_.notify_one();
        thread_.join();
    }

private:
    std::mutex mutex_;
    std::condition_variable woken_;
    bool done_ = false;
    std::thread thread_;
};

// Once a file dialog is up: types the name, presses Enter, lets it list what that opened, and closes it.
void typeIntoTheNextFileDialog(const QString& name, QString* folderShown)
{
    QTimer::singleShot(300, [name, folderShown] {
        auto* dialog = qobject_cast<QFileDialog*>(QApplication::activeModalWidget());
        ASSERT_TRUE(dialog);
        auto* edit = dialog->findChild<QLineEdit*>(QStringLiteral("fileNameEdit"));
        ASSERT_TRUE(edit);
        const QString before = dialog->directory().path();
        QTest::keyClicks(edit, name);
        QTest::keyClick(edit, Qt::Key_Return);
        // A busy machine takes its time to change folder; then the list has a second to fill.
        static_cast<void>(QTest::qWaitFor([&] { return dialog->directory().path() != before; }, 20000));
        QTest::qWait(1000);
        *folderShown = dialog->directory().path();
        dialog->reject();
    });
}

TEST(FileDialogs, AFolderOfFilesThatNeverEndDoesNotStopTheProgram)
{
    if (!QFileInfo(QStringLiteral("/proc/kmsg")).isReadable())
        GTEST_SKIP() << "/proc/kmsg is readable only by root";
    const Watchdog watchdog(std::chrono::seconds(60));

    // The picture's save dialog, the name typed into it.
    Dialogs dialogs;
    QString shown;
    typeIntoTheNextFileDialog(QStringLiteral("/proc/"), &shown);
    EXPECT_TRUE(dialogs.saveFileName(nullptr, QStringLiteral("bench.png")).isEmpty());
    EXPECT_EQ(shown, QStringLiteral("/proc"));

    // The print dialog's file chooser, opened on the name typed into the print dialog.
    keepFileListsFromReadingFiles();
    QPrinter printer;
    QPrintDialog print(&printer);
    print.show();
    auto* name = print.findChild<QLineEdit*>(QStringLiteral("filename"));
    auto* browse = print.findChild<QToolButton*>(QStringLiteral("fileBrowser"));
    ASSERT_TRUE(name && browse);
    name->setText(QStringLiteral("/proc/kmsg"));
    shown.clear();
    typeIntoTheNextFileDialog(QStringLiteral("/proc/"), &shown);
    browse->click();
    EXPECT_EQ(shown, QStringLiteral("/proc"));
    print.reject();
}

} // namespace
