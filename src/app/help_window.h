#pragma once

#include <QDialog>

class QTextBrowser;

namespace lens {

// The illustrated guide, in Greek and English, shipped with the program (F1 on every screen).
class HelpWindow : public QDialog {
public:
    explicit HelpWindow(QWidget* parent = nullptr);
    QTextBrowser* text;
};

// The program's version, as the build gives it.
QString programVersion();
// The About box: the program, its version and what it shows.
void showAbout(QWidget* parent);

} // namespace lens
