#include "bench/bench_screen.h"

#include <QAction>
#include <QCheckBox>
#include <QLineEdit>
#include <QPushButton>
#include <QScrollBar>

namespace lens {

// What each control does, in Greek and in English; a read-out says what its scroll bar says.
void BenchScreen::giveToolTips()
{
    setToolTips({
        {desmi1, "Πλήθος ακτίνων της δέσμης και της βεντάλιας από την πηγή.\n"
                 "Number of rays of the beam and of the fan from the source."},
        {deiktisdiathlasis, "Δείκτης διάθλασης του φακού (0.40 έως 2.50).\nIndex of refraction of the lens (0.40 to 2.50)."},
        {Check1, "Ακτίνες και μέτωπα κύματος στο επόμενο σχέδιο (534 ακτίνες).\n"
                 "Rays and wavefronts in the next drawing (534 rays)."},
        {Check2, "Μόνο τα μέτωπα κύματος, χωρίς ακτίνες και κατασκευή (381 ακτίνες).\n"
                 "Wavefronts only, no rays and no construction (381 rays)."},
        {ektyposi, "Προεπισκόπηση και εκτύπωση της σελίδας (ή αρχείο PDF).\nPreview and print the page (or write a PDF file)."},
        {&canvas(), "Shift+κλικ: πηγή και βεντάλια ακτίνων. Σύρε ένα διάφραγμα, ένα κέντρο ή την άκρη ενός κύκλου.\n"
                    "Δεξί κλικ: αποθήκευση, αντιγραφή, προβολέας. F1: οδηγός.\n"
                    "Shift+click: the source and a fan of rays. Drag a blade, a centre or the edge of a circle.\n"
                    "Right-click: save, copy, projector view. F1: the guide."},
        {singleray, "Μία ακτίνα μέσα από φακό δύο κύκλων.\nOne ray through a lens of two circles."},
        {EPANALIPSI, "Παράλληλη δέσμη υπό γωνία που δίνεις σε μοίρες.\nA parallel beam at an angle you give in degrees."},
        {SAHLIC, "Οι υπερβολικοί φακοί του Ιμπν Σαχλ.\nIbn Sahl's hyperbolic lenses."},
        {parallilakymata, "Το μέτωπο της παράλληλης δέσμης ταξιδεύει μέσα από τον φακό.\n"
                          "The parallel beam's front travels through the lens."},
        {kymatachronika, "Το μέτωπο από την πηγή ταξιδεύει μέσα από τον φακό.\nThe front from the source travels through the lens."},
        {TELIOMA, "Τέλος του προγράμματος.\nEnd the program."},
    });
    Text1->setToolTip(desmi1->toolTip());
    Text2->setToolTip(deiktisdiathlasis->toolTip());
}

} // namespace lens
