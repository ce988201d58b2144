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

// Once a file dialog is up, however long it takes to open: goes to the folder as a name typed there
// would, lets it list what is in it, and closes it.
void typeIntoTheNextFileDialog(const QString& name, QString* folderShown)
{
    auto* poll = new QTimer;
    poll->setInterval(20);
    QObject::connect(poll, &QTimer::timeout, [poll, name, folderShown] {
        auto* dialog = qobject_cast<QFileDialog*>(QApplication::activeModalWidget());
        if (!dialog || !dialog->isVisible())
            return;
        poll->stop();
        poll->deleteLater();
        dialog->setDirectory(name);
        // The list has a second to fill: reading a file that never ends there would stop it for good.
        QTest::qWait(1000);
        *folderShown = dialog->directory().path();
        dialog->reject();
    });
    poll->start();
}

TEST(FileDialogs, AFolderOfFilesThatNeverEndDoesNotStopTheProgram)
{
    if (!QFileInfo(QStringLiteral("/proc/kmsg")).isReadable())
        GTEST_SKIP() << "/proc/kmsg is readable only by root";
    const Watchdog watchdog(std::chrono::seconds(60));

    // The picture's save dialog, the name typed into it.
    Dialogs dialogs;
    QString shown;
    typeIntoTheNextFileDialog(QStringLiteral("/proc"), &shown);
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
    typeIntoTheNextFileDialog(QStringLiteral("/proc"), &shown);
    browse->click();
    EXPECT_EQ(shown, QStringLiteral("/proc"));
    print.reject();
}

} // namespace
