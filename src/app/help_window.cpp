#include "app/help_window.h"

#include <QGuiApplication>
#include <QMessageBox>
#include <QResizeEvent>
#include <QScreen>
#include <QShortcut>
#include <QTextBlock>
#include <QTextBrowser>
#include <QTextCursor>
#include <QTextDocumentFragment>
#include <QVBoxLayout>

namespace lens {

namespace {

// The guide's pictures are screenshots of a whole display: each is shown as wide as the window allows.
class GuideBrowser : public QTextBrowser {
public:
    using QTextBrowser::QTextBrowser;

protected:
    void resizeEvent(QResizeEvent* event) override
    {
        QTextBrowser::resizeEvent(event);
        fitPictures();
    }

private:
    void fitPictures()
    {
        QTextDocument* doc = document();
        const double room = viewport()->width() - 2 * doc->documentMargin() - 8;
        if (room < 50)
            return;
        QTextCursor cursor(doc);
        for (QTextBlock block = doc->begin(); block.isValid(); block = block.next())
            for (auto it = block.begin(); !it.atEnd(); ++it) {
                const QTextFragment fragment = it.fragment();
                if (!fragment.charFormat().isImageFormat())
                    continue;
                QTextImageFormat image = fragment.charFormat().toImageFormat();
                const QImage picture = doc->resource(QTextDocument::ImageResource, QUrl(image.name())).value<QImage>();
                if (picture.isNull() || picture.width() <= 0)
                    continue;
                const double width = std::min<double>(picture.width(), room);
                image.setWidth(width);
                image.setHeight(width * picture.height() / picture.width());
                cursor.setPosition(fragment.position());
                cursor.setPosition(fragment.position() + fragment.length(), QTextCursor::KeepAnchor);
                cursor.setCharFormat(image);
            }
    }
};

} // namespace

QString programVersion() { return QStringLiteral(LENSBENCH_VERSION); }

HelpWindow::HelpWindow(QWidget* parent) : QDialog(parent), text(new GuideBrowser(this))
{
    setWindowTitle(QStringLiteral("Οδηγός / Guide"));
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(text);
    text->setOpenExternalLinks(true);
    text->setSearchPaths({QStringLiteral(":/guide")});
    text->setSource(QUrl(QStringLiteral("qrc:/guide/guide.md")), QTextDocument::MarkdownResource);
    if (const QScreen* screen = QGuiApplication::primaryScreen()) {
        const QSize area = screen->availableGeometry().size();
        resize(std::min(area.width() * 2 / 3, 1100), area.height() * 5 / 6);
    }
}

void showAbout(QWidget* parent)
{
    QMessageBox::about(parent, QStringLiteral("Lens Bench"),
                       QStringLiteral("<h3>Lens Bench %1</h3>"
                                      "<p>Φακοί σε τομή: ακτίνες με τον νόμο του Snell, μέτωπα κύματος ίσου χρόνου, "
                                      "οι υπερβολικοί φακοί του Ιμπν Σαχλ και τα χαρακτηριστικά σημεία ενός παχιού φακού.</p>"
                                      "<p>Lenses in cross-section: rays by Snell's law, wavefronts of equal travel time, "
                                      "Ibn Sahl's hyperbolic lenses and the cardinal points of a thick lens.</p>"
                                      "<p>F1: οδηγός / guide</p>")
                           .arg(programVersion()));
}

} // namespace lens
