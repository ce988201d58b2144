#include "surface/qt/dialogs.h"

#include "surface/qt/file_dialogs.h"

#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QGuiApplication>
#include <QInputDialog>
#include <QLineEdit>
#include <QMessageBox>
#include <QPrintPreviewDialog>
#include <QPrinter>
#include <QPushButton>
#include <QScreen>
#include <QStandardPaths>

namespace lens {

void Dialogs::messageBox(QWidget* parent, const QString& text)
{
    QMessageBox box(QMessageBox::NoIcon, QGuiApplication::applicationDisplayName(), text, QMessageBox::Ok, parent);
    box.exec();
}

void Dialogs::printPage(QWidget* parent, QPrinter& printer, const std::function<void(QPrinter&)>& paint)
{
    keepFileListsFromReadingFiles(); // the print dialog's file chooser, and the preview's "Export to PDF"
    QPrintPreviewDialog preview(&printer, parent);
    // Large enough to read the page; it opens with the whole page in view.
    if (const QScreen* screen = parent ? parent->screen() : QGuiApplication::primaryScreen())
        preview.resize(screen->availableGeometry().size() * 3 / 4);
    QObject::connect(&preview, &QPrintPreviewDialog::paintRequested, &preview, [&](QPrinter* page) { paint(*page); });
    preview.exec();
}

QString Dialogs::saveFileName(QWidget* parent, const QString& suggested)
{
    keepFileListsFromReadingFiles();
    // The user's Pictures folder (made if it is missing, as on a fresh account), else the home folder.
    QString folder = QStandardPaths::writableLocation(QStandardPaths::PicturesLocation);
    if (folder.isEmpty() || !QDir().mkpath(folder))
        folder = QDir::homePath();
    QString kind;
    QString file = QFileDialog::getSaveFileName(parent, QStringLiteral("Αποθήκευση εικόνας / Save picture"),
                                                QDir(folder).filePath(suggested),
                                                QStringLiteral("PNG (*.png);;SVG (*.svg)"), &kind);
    // A name typed without a suffix takes the kind chosen in the dialog.
    if (!file.isEmpty() && QFileInfo(file).suffix().isEmpty())
        file += kind.startsWith(QStringLiteral("SVG")) ? QStringLiteral(".svg") : QStringLiteral(".png");
    return file;
}

namespace {

const QString lessonFilter = QStringLiteral("Μάθημα Lens Bench / Lens Bench lesson (*.lensbench)");

// The user's Documents folder (made if it is missing), else the home folder.
QString lessonFolder()
{
    QString folder = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
    if (folder.isEmpty() || !QDir().mkpath(folder))
        folder = QDir::homePath();
    return folder;
}

} // namespace

QString Dialogs::saveLessonName(QWidget* parent, const QString& suggested)
{
    keepFileListsFromReadingFiles();
    const QString start = QFileInfo(suggested).isAbsolute() ? suggested : QDir(lessonFolder()).filePath(suggested);
    return QFileDialog::getSaveFileName(parent, QStringLiteral("Αποθήκευση μαθήματος / Save lesson"), start, lessonFilter);
}

QString Dialogs::openLessonName(QWidget* parent)
{
    keepFileListsFromReadingFiles();
    return QFileDialog::getOpenFileName(parent, QStringLiteral("Άνοιγμα μαθήματος / Open lesson"), lessonFolder(),
                                        lessonFilter);
}

Dialogs::Unsaved Dialogs::askAboutChanges(QWidget* parent)
{
    QMessageBox box(QMessageBox::Question, QStringLiteral("Lens Bench"),
                    QStringLiteral("Το μάθημα έχει αλλαγές που δεν αποθηκεύτηκαν.\nThe lesson has changes that are not saved."),
                    QMessageBox::Save | QMessageBox::Discard | QMessageBox::Cancel, parent);
    box.button(QMessageBox::Save)->setText(QStringLiteral("Αποθήκευση / Save"));
    box.button(QMessageBox::Discard)->setText(QStringLiteral("Χωρίς αποθήκευση / Don't save"));
    box.button(QMessageBox::Cancel)->setText(QStringLiteral("Άκυρο / Cancel"));
    box.setDefaultButton(QMessageBox::Save);
    switch (box.exec()) {
    case QMessageBox::Save: return Unsaved::save;
    case QMessageBox::Discard: return Unsaved::discard;
    default: return Unsaved::cancel;
    }
}

std::optional<QString> Dialogs::inputBox(QWidget* parent, const QString& prompt, const QString& title,
                                         const QString& defaultAnswer)
{
    bool ok = false;
    const QString answer = QInputDialog::getText(parent, title, prompt, QLineEdit::Normal, defaultAnswer, &ok);
    if (!ok)
        return std::nullopt;
    return answer;
}

} // namespace lens
