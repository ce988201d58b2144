// A file written for a user replaces the old one only when complete: refused targets and failed writes
// leave what was there, and no temporary file stays behind.

#include "surface/qt/file_writing.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <csignal>
#include <functional>
#include <optional>
#include <sys/resource.h>
#include <sys/stat.h>
#include <unistd.h>

using namespace lens;

namespace {

QByteArray contentsOf(const QString& file)
{
    QFile f(file);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray("(unreadable)");
}

// Writes may grow a file to at most limit bytes while it lives, as on a nearly full disk.
struct FileSizeLimit {
    rlimit before{};
    explicit FileSizeLimit(rlim_t limit)
    {
        std::signal(SIGXFSZ, SIG_IGN);
        getrlimit(RLIMIT_FSIZE, &before);
        rlimit small = before;
        small.rlim_cur = limit;
        setrlimit(RLIMIT_FSIZE, &small);
    }
    ~FileSizeLimit() { setrlimit(RLIMIT_FSIZE, &before); }
};

} // namespace

TEST(FileWriting, OnlyACompleteWriteReplacesTheOldFile)
{
    const QByteArray old(3000, 'o'), fresh(9000, 'n');
    struct Case {
        const char* what;
        std::function<void(const QString& target)> prepare; // what stands at the target before
        FileWrite::Status expected;
        bool limited = false; // writes beyond 4 kB fail
    };
    const auto oldFile = [&](const QString& t) {
        QFile f(t);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write(old);
    };
    const Case cases[] = {
        {"a new name", [](const QString&) {}, FileWrite::written},
        {"an old file", oldFile, FileWrite::written},
        {"an old file on a full disk", oldFile, FileWrite::failed, true},
        {"a FIFO", [](const QString& t) { ASSERT_EQ(mkfifo(t.toLocal8Bit().constData(), 0600), 0); }, FileWrite::refused},
        {"a folder", [](const QString& t) { ASSERT_TRUE(QDir().mkdir(t)); }, FileWrite::refused},
        {"a link to nothing",
         [](const QString& t) { ASSERT_TRUE(QFile::link(t + QStringLiteral(".gone"), t)); }, FileWrite::refused},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        QTemporaryDir folder;
        const QString target = folder.filePath(QStringLiteral("picture.svg"));
        c.prepare(target);
        const QStringList before = QDir(folder.path()).entryList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::System);
        const bool wasOld = QFileInfo(target).isFile();
        FileWrite result;
        {
            std::optional<FileSizeLimit> limit;
            if (c.limited)
                limit.emplace(4096);
            result = writeWhole(target, fresh);
        }
        EXPECT_EQ(result.status, c.expected) << result.message.toStdString();
        EXPECT_EQ(result.message.isEmpty(), c.expected == FileWrite::written);
        if (c.expected == FileWrite::written) {
            EXPECT_EQ(contentsOf(target), fresh);
        } else if (wasOld) {
            EXPECT_EQ(contentsOf(target), old) << "the old file survives";
        }
        if (c.expected == FileWrite::refused) {
            EXPECT_FALSE(targetRefusal(target).isEmpty()) << "refused before anything is opened";
        }
        // Nothing but the target, and no temporary file beside it.
        QStringList after = QDir(folder.path()).entryList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::System);
        after.removeAll(QStringLiteral("picture.svg"));
        QStringList expectedAfter = before;
        expectedAfter.removeAll(QStringLiteral("picture.svg"));
        EXPECT_EQ(after, expectedAfter);
    }
    EXPECT_FALSE(targetRefusal(QStringLiteral("/no-such-folder/picture.png")).isEmpty());
}
