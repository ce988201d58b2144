#include "app/lens_menu.h"

#include "surface/qt/command_button.h"
#include "surface/qt/format.h"

#include <QLabel>
#include <QScrollBar>

namespace lens {

LensMenu::LensMenu(SharedValues& shared) : shared_(shared)
{
    setCaption(QStringLiteral("CHOOSE  LENS"));
    surface().BackColor = colours::windowBackground;
    surface().Cls();

    const QFont buttonFont = controlFont(QStringLiteral("Times New Roman"), 7.5);
    Command1 = new CommandButton(QStringLiteral("Αμφίκυρτος ΥΠΕΡΒΟΛΙΚΟΣ BICONVEX HYPERBOLIC "));
    Command2 = new CommandButton(QStringLiteral("Επιπεδόκυρτος ΥΠΕΡΒΟΛΙΚΟΣ PLANE CONVEX HYPERBOLIC"));
    Command3 = new CommandButton(QStringLiteral("ΣΦΑΙΡΙΚΟΙ ΦΑΚΟι SPHERICAL LENSES"));
    for (auto* button : {Command1, Command2, Command3})
        button->setFont(buttonFont);

    deiktissahl = makeScrollBar(Qt::Horizontal, 100, 250, 20, 150);

    Label1 = new QLabel;
    Label1->setWordWrap(true);
    Label1->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    Label1->setFont(controlFont(QStringLiteral("Arial"), 8.25));

    placeTwips({{Command1, 120, 600, 2220, 855}, {Command2, 2280, 600, 2295, 855}, {deiktissahl, 360, 2280, 2535, 375},
                {Label1, 3120, 2160, 1575, 735}, {Command3, 4680, 600, 2175, 855}});
    setTabChain({Command1, Command2, deiktissahl, Command3});

    setToolTips({
        {Command1, "Αμφίκυρτος φακός με δύο υπερβολές.\nA biconvex lens of two hyperbolas."},
        {Command2, "Ο επιπεδόκυρτος φακός του Ιμπν Σαχλ: μια επίπεδη και μια υπερβολική έδρα.\n"
                   "Ibn Sahl's plano-convex lens: one flat face and one hyperbolic face."},
        {Command3, "Πίσω στον πάγκο των σφαιρικών φακών.\nBack to the bench of spherical lenses."},
        {deiktissahl, "Δείκτης διάθλασης των υπερβολικών φακών (1.00 έως 2.50).\n"
                      "Index of refraction of the hyperbolic lenses (1.00 to 2.50)."},
        {&canvas(), "Διάλεξε φακό και δείκτη διάθλασης. Δεξί κλικ: αποθήκευση, αντιγραφή. F1: οδηγός.\n"
                    "Choose a lens and an index of refraction. Right-click: save, copy. F1: the guide."},
    });
    Label1->setToolTip(deiktissahl->toolTip());

    setClientTwips(7485, 5520);

    QObject::connect(deiktissahl, &QScrollBar::valueChanged, this, [this] { deiktissahl_Change(); });
    QObject::connect(Command1, &QPushButton::clicked, this, [this] {
        if (openLens)
            openLens(true);
    });
    QObject::connect(Command2, &QPushButton::clicked, this, [this] {
        if (openLens)
            openLens(false);
    });
    QObject::connect(Command3, &QPushButton::clicked, this, [this] {
        Hide();
        if (showBench)
            showBench();
    });

    Form_Load();
}

double LensMenu::index() const { return deiktissahl->value() / 100.0; } // the scroll bar holds hundredths

void LensMenu::Form_Load()
{
    shared_.lensindex = index();
    Label1->setText(QStringLiteral("INDEX OF REFRACTION Δείκτης Διάθλασης= ") + formatFixed(shared_.lensindex, 2));
    fitText(Label1);
}

void LensMenu::deiktissahl_Change()
{
    const double value = index();
    Label1->setText(QStringLiteral("INDEX  OF REFRACTION Δείκτης Διάθλασης= ") + formatFixed(value, 2));
    fitText(Label1);
    shared_.lensindex = value;
}

} // namespace lens
