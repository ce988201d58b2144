#include "surface/qt/file_dialogs.h"

#include <QApplication>
#include <QChildEvent>
#include <QFileSystemModel>
#include <QMimeDatabase>
#include <QPointer>
#include <QWidget>

namespace lens {

QIcon NameOnlyIconProvider::icon(const QFileInfo& info) const
{
    if (info.isRoot())
        return icon(Drive);
    if (info.isDir())
        return icon(Folder);
    if (info.isFile()) {
        const QMimeType kind = QMimeDatabase().mimeTypeForFile(info, QMimeDatabase::MatchExtension);
        return QIcon::fromTheme(kind.iconName(), QIcon::fromTheme(kind.genericIconName(), icon(File)));
    }
    return icon(File);
}

QString NameOnlyIconProvider::type(const QFileInfo& info) const
{
    // Only a regular file is ever read to learn its type; folders, drives and devices are named by Qt.
    if (!info.isFile())
        return QFileIconProvider::type(info);
    const QMimeType kind = QMimeDatabase().mimeTypeForFile(info, QMimeDatabase::MatchExtension);
    return kind.comment().isEmpty() ? kind.name() : kind.comment();
}

namespace {

// Gives every file-system model the name-only provider as soon as it can take one. A model is caught
// when the next child joins its parent — a file dialog builds its widgets right after its model,
// before it lists its first folder — and again when its window is shown.
class FileListGuard final : public QObject {
public:
    using QObject::QObject;

    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (event->type() == QEvent::ChildAdded) {
            for (QObject* sibling : watched->children())
                guard(qobject_cast<QFileSystemModel*>(sibling)); // a model still being built is no model yet
        } else if (event->type() == QEvent::Show) {
            auto* window = qobject_cast<QWidget*>(watched);
            if (window && window->isWindow())
                for (QFileSystemModel* model : window->findChildren<QFileSystemModel*>())
                    guard(model);
        }
        return false;
    }

private:
    void guard(QFileSystemModel* model)
    {
        if (model && model->iconProvider() != &provider_)
            model->setIconProvider(&provider_);
    }

    NameOnlyIconProvider provider_;
};

} // namespace

void keepFileListsFromReadingFiles()
{
    static QPointer<FileListGuard> installed;
    QCoreApplication* application = QCoreApplication::instance();
    if (!application || installed)
        return;
    installed = new FileListGuard(application);
    application->installEventFilter(installed);
}

} // namespace lens
