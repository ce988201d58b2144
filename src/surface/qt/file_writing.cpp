#include "surface/qt/file_writing.h"

#include <QFileInfo>
#include <QSaveFile>

#include <atomic>
#include <csignal>
#include <filesystem>
#include <system_error>

#include <unistd.h>

namespace lens {

namespace {

QString bilingual(const char* greek, const char* english, const QString& file, const QString& reason = {})
{
    if (reason.isEmpty())
        return QString::fromUtf8(greek).arg(file) + QLatin1Char('\n') + QString::fromUtf8(english).arg(file);
    return QString::fromUtf8(greek).arg(file, reason) + QLatin1Char('\n') + QString::fromUtf8(english).arg(file, reason);
}

// The signals that end a program when nothing handles them, held back while a temporary file stands
// and given back, in the order they came, once it is renamed into place or removed.
std::atomic<int> heldSignal{0};
extern "C" void holdSignal(int signal) { heldSignal.store(signal); }

class SignalsHeld {
public:
    SignalsHeld()
    {
        struct sigaction hold = {};
        hold.sa_handler = holdSignal;
        sigemptyset(&hold.sa_mask);
        for (std::size_t i = 0; i < std::size(signals_); ++i)
            sigaction(signals_[i], &hold, &before_[i]);
    }
    ~SignalsHeld()
    {
        for (std::size_t i = 0; i < std::size(signals_); ++i)
            sigaction(signals_[i], &before_[i], nullptr);
        if (const int signal = heldSignal.exchange(0))
            std::raise(signal);
    }
    SignalsHeld(const SignalsHeld&) = delete;
    SignalsHeld& operator=(const SignalsHeld&) = delete;

private:
    static constexpr int signals_[] = {SIGTERM, SIGINT, SIGHUP};
    struct sigaction before_[std::size(signals_)] = {};
};

} // namespace

QString targetRefusal(const QString& file)
{
    namespace fs = std::filesystem;
    if (file.isEmpty())
        return QString::fromUtf8("Δεν δόθηκε όνομα αρχείου.\nNo file name was given.");
    const fs::path path = fs::path(file.toStdString());
    std::error_code error;
    const fs::file_status link = fs::symlink_status(path, error);
    if (fs::is_symlink(link) && !fs::exists(fs::status(path, error)))
        return bilingual("Το «%1» είναι σύνδεσμος προς αρχείο που δεν υπάρχει.",
                         "'%1' is a link to a file that does not exist.", file);
    const fs::file_status target = fs::status(path, error);
    if (fs::exists(target) && !fs::is_regular_file(target))
        return bilingual("Το «%1» δεν είναι κανονικό αρχείο (φάκελος, FIFO ή συσκευή): δεν γράφεται εκεί.",
                         "'%1' is not a regular file (a folder, a FIFO or a device): nothing is written there.", file);
    const QFileInfo info(file);
    const QString folder = info.absolutePath();
    const long longestName = pathconf(QFile::encodeName(folder).constData(), _PC_NAME_MAX);
    if (longestName > 0 && QFile::encodeName(info.fileName()).size() > longestName)
        return bilingual("Το όνομα «%1» είναι πολύ μακρύ για τον φάκελό του.", "The name '%1' is too long for its folder.",
                         info.fileName());
    const QFileInfo folderInfo(folder);
    if (!folderInfo.isDir())
        return bilingual("Ο φάκελος «%1» δεν υπάρχει.", "The folder '%1' does not exist.", folder);
    if (!folderInfo.isWritable())
        return bilingual("Στον φάκελο «%1» δεν επιτρέπεται η εγγραφή.", "The folder '%1' cannot be written to.", folder);
    return {};
}

FileWrite writeWhole(const QString& file, const QByteArray& bytes)
{
    if (const QString refusal = targetRefusal(file); !refusal.isEmpty())
        return {FileWrite::refused, refusal};
    const SignalsHeld held;
    QSaveFile out(file);
    if (!out.open(QIODevice::WriteOnly))
        return {FileWrite::refused, bilingual("Το αρχείο «%1» δεν μπορεί να δημιουργηθεί (%2): δεν γράφτηκε τίποτα.",
                                              "The file '%1' cannot be created (%2): nothing was written.", file,
                                              out.errorString())};
    // A write cut short by a full disk or a size limit can be taken for a whole one (the bytes that did
    // fit are counted as written, and no error is kept), so the file's own length is checked as well.
    const bool whole = out.write(bytes) == bytes.size() && out.flush() && out.size() == bytes.size();
    if (!whole)
        out.cancelWriting();
    if (!whole || !out.commit())
        return {FileWrite::failed,
                bilingual("Το αρχείο «%1» δεν γράφτηκε ολόκληρο (%2): ό,τι υπήρχε πριν έμεινε όπως ήταν.",
                          "The file '%1' could not be written in full (%2): what was there before is as it was.", file,
                          out.errorString())};
    return {};
}

} // namespace lens
