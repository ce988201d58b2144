#pragma once
// Pictures and pages written to files so that nothing a user had is lost: the bytes are made in memory
// first, then written to a temporary file beside the target and renamed over it only when complete and
// flushed (QSaveFile). A target that is not a regular file, a folder that is missing or closed, and a
// dangling link are refused before anything is written; a write that fails is a failure, and the file
// that was there before is left as it was.

#include <QByteArray>
#include <QString>

namespace lens {

struct FileWrite {
    enum Status { written, refused, failed };
    Status status = written;
    QString message; // Greek, a new line, English; empty when written
    explicit operator bool() const { return status == written; }
};

// Why file cannot be written where it is named, or an empty string when it may be: a FIFO, a
// directory or a device there, a link to nothing, a folder that does not exist or cannot be written.
// writeWhole asks it before it opens anything, so that no target can hang the program.
QString targetRefusal(const QString& file);

// Writes bytes as the whole of file. Signals that end the program (SIGTERM, SIGINT, SIGHUP) wait
// while the temporary file exists, so an interrupted program leaves the old file and no temporary.
FileWrite writeWhole(const QString& file, const QByteArray& bytes);

} // namespace lens
