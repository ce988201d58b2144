#pragma once

#include <QFileIconProvider>

namespace lens {

// Icons and type names for the file lists of the file dialogs, taken from a file's kind and the end
// of its name only. Qt's own provider reads the first kilobytes of a file whose name says nothing of
// its type; a file that never ends (/proc/kmsg, read as root) stops the program there for good.
class NameOnlyIconProvider final : public QFileIconProvider {
public:
    QIcon icon(IconType type) const override { return QFileIconProvider::icon(type); }
    QIcon icon(const QFileInfo& info) const override;
    QString type(const QFileInfo& info) const override;
};

// Every file list the program shows from now on — the save dialog's, the print dialog's file chooser
// and its completer, the preview's "Export to PDF" — names and shows files without reading them.
// Safe to call more than once.
void keepFileListsFromReadingFiles();

} // namespace lens
