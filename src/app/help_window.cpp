#include "app/help_window.h"

#include <QGuiApplication>
#include <QMessageBox>
#include <QScreen>
#include <QShortcut>
#include <QTextBrowser>
#include <QVBoxLayout>

namespace lens {

QString programVersion() { return QStringLiteral(LENSBENCH_VERSION); }

HelpWindow::HelpWindow(QWidget* parent) : QDialog(parent), text(new QTextBrowser(this))
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
