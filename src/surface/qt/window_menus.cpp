#include "surface/qt/screen_window.h"

#include <QAction>
#include <QApplication>
#include <QHelpEvent>
#include <QKeyEvent>
#include <QMenu>
#include <QMenuBar>
#include <QShortcut>
#include <QStyle>
#include <QToolTip>

#include <algorithm>

// The commands of a screen window: its keys, the picture's context menu, the menu bar and the
// tooltips of its items, and the Tab order of the controls.

namespace lens {

void ScreenWindow::setUpCommands()
{
    // F10 opens the menu bar, as in every desktop program; Alt alone does too, where the style
    // does not already do it.
    auto* menuKey = new QShortcut(QKeySequence(Qt::Key_F10), this);
    QObject::connect(menuKey, &QShortcut::activated, this, [this] { openMenuBar(); });
    altOpensMenu_ = !style()->styleHint(QStyle::SH_MenuBar_AltKeyNavigation, nullptr, this);
    QApplication::instance()->installEventFilter(this);

    // The picture's commands, on every screen: each is a key and an item of the picture's context menu.
    auto command = [this](const QString& text, const QKeySequence& key, std::function<void()> run) {
        auto* action = new QAction(text, this);
        action->setShortcut(key);
        QObject::connect(action, &QAction::triggered, this, std::move(run));
        addAction(action);
        return action;
    };
    auto askScale = [this](int scale) {
        scale = std::clamp(scale, 1, largestViewScale);
        if (onViewScaleAsked)
            onViewScaleAsked(scale);
        else
            setViewScale(scale);
    };
    QAction* save = command(QStringLiteral("Αποθήκευση εικόνας… / Save picture…"), QKeySequence::Save, [this] { savePicture(); });
    QAction* copy = command(QStringLiteral("Αντιγραφή εικόνας / Copy picture"), QKeySequence::Copy, [this] { copyPicture(); });
    thicker_ = command(QStringLiteral("Παχύτερες γραμμές για προβολέα / Thicker lines for a projector"), QKeySequence::ZoomIn,
                       [this, askScale] { askScale(viewScale() + 1); });
    thicker_->setShortcuts({QKeySequence::ZoomIn, QKeySequence(Qt::CTRL | Qt::Key_Equal)});
    thinner_ = command(QStringLiteral("Λεπτότερες γραμμές / Thinner lines"), QKeySequence::ZoomOut,
                       [this, askScale] { askScale(viewScale() - 1); });
    normal_ = command(QStringLiteral("Κανονική προβολή / Normal view"), QKeySequence(Qt::CTRL | Qt::Key_0),
                      [askScale] { askScale(1); });
    // The lesson: saved under its name (asked the first time), saved under a new name, opened.
    auto lessonCommand = [](std::function<void()>& handler) {
        return [&handler] {
            if (handler)
                handler();
        };
    };
    QAction* saveLesson = command(QStringLiteral("Αποθήκευση μαθήματος / Save lesson"),
                                  QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_S), lessonCommand(onSaveLesson));
    QAction* saveLessonAs = command(QStringLiteral("Αποθήκευση μαθήματος ως… / Save lesson as…"), {},
                                    lessonCommand(onSaveLessonAs));
    QAction* openLesson = command(QStringLiteral("Άνοιγμα μαθήματος… / Open lesson…"), QKeySequence::Open,
                                  lessonCommand(onOpenLesson));
    QAction* typeValues = command(QStringLiteral("Φακός… / Lens…"), QKeySequence(Qt::CTRL | Qt::Key_L),
                                  lessonCommand(onTypeValues));
    undoItem_ = command(QStringLiteral("Αναίρεση / Undo"), QKeySequence::Undo, lessonCommand(onUndo));
    redoItem_ = command(QStringLiteral("Επανάληψη / Redo"), QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Z),
                        lessonCommand(onRedo));
    redoItem_->setShortcuts({QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Z), QKeySequence(Qt::CTRL | Qt::Key_Y)});
    setUndoable(false, false);
    QAction* guide = command(QStringLiteral("Οδηγός / Guide"), QKeySequence::HelpContents, [this] {
        if (onHelp)
            onHelp();
    });
    QAction* about = command(QStringLiteral("Σχετικά / About Lens Bench"), {}, [this] {
        if (onAbout)
            onAbout();
    });
    // A clean slate: the screen's lens alone again. Delete does it while the pointer is over the picture.
    QAction* clear = new QAction(QStringLiteral("Καθαρισμός εικόνας / Clear the picture"), this);
    QObject::connect(clear, &QAction::triggered, this, [this] {
        if (onClear)
            onClear();
    });
    auto* clearKey = new QShortcut(QKeySequence::Delete, this);
    QObject::connect(clearKey, &QShortcut::activated, this, [this] {
        if (onClear && canvas_->underMouse())
            onClear();
    });
    legendItem_ = new QAction(QStringLiteral("Υπόμνημα / Legend"), this);
    legendItem_->setShortcut(QKeySequence(Qt::Key_F2));
    legendItem_->setCheckable(true);
    legendItem_->setEnabled(false); // until the screen gives its legend
    QObject::connect(legendItem_, &QAction::triggered, this, [this](bool shown) { showLegend(shown); });
    addAction(legendItem_);
    showViewScale();
    canvas_->onContextMenu = [this, save, copy, clear, typeValues, saveLesson, saveLessonAs, openLesson, guide,
                              about](const QPoint& at) {
        QMenu menu(this);
        if (onClear)
            menu.addAction(clear);
        if (onTypeValues)
            menu.addAction(typeValues);
        menu.setFont(scaledFont(menu.font(), viewScale()));
        menu.addActions({save, copy});
        menu.addSeparator();
        if (onSaveLesson) {
            menu.addActions({undoItem_, redoItem_});
            menu.addSeparator();
            menu.addActions({saveLesson, saveLessonAs, openLesson});
            menu.addSeparator();
        }
        menu.addActions({thicker_, thinner_, normal_, legendItem_});
        menu.addSeparator();
        menu.addActions({guide, about});
        menu.exec(at);
    };
}

void ScreenWindow::setUndoable(bool canUndo, bool canRedo)
{
    undoItem_->setEnabled(canUndo);
    redoItem_->setEnabled(canRedo);
}

void ScreenWindow::showViewScale()
{
    // Only the steps that would change the view are offered.
    thicker_->setEnabled(viewScale() < largestViewScale);
    thinner_->setEnabled(viewScale() > 1);
    normal_->setEnabled(viewScale() != 1);
}

QAction* ScreenWindow::addMenuItem(const QString& caption, std::function<void()> onClick)
{
    QAction* action = menuBar()->addAction(caption);
    menuBar()->installEventFilter(this); // a menu bar shows no tooltips of its own items
    QObject::connect(action, &QAction::triggered, this, [fn = std::move(onClick)] {
        if (fn)
            fn();
    });
    return action;
}

void ScreenWindow::openMenuBar()
{
    QMenuBar* bar = qobject_cast<QMenuBar*>(menuWidget());
    if (!bar || bar->actions().isEmpty())
        return;
    if (bar->activeAction()) { // a second press closes it again
        bar->setActiveAction(nullptr);
        canvas_->setFocus();
        return;
    }
    bar->setFocus(Qt::MenuBarFocusReason);
    bar->setActiveAction(bar->actions().constFirst());
}

bool ScreenWindow::eventFilter(QObject* watched, QEvent* event)
{
    // A font given to a placed control is its font of the normal view; the view shows it scaled.
    if (event->type() == QEvent::FontChange && !applyingView_) {
        auto* control = qobject_cast<QWidget*>(watched);
        if (PlacedControl* entry = control ? placed(control) : nullptr; entry && control->font() != entry->shown)
            setControlFont(control, control->font());
    }
    if (event->type() == QEvent::ToolTip && watched == menuWidget()) {
        auto* help = static_cast<QHelpEvent*>(event);
        const QAction* item = menuBar()->actionAt(help->pos());
        if (item && !item->toolTip().isEmpty() && item->toolTip() != item->text())
            QToolTip::showText(help->globalPos(), item->toolTip(), menuBar());
        else
            QToolTip::hideText();
        return true;
    }
    if (event->type() == QEvent::KeyPress || event->type() == QEvent::ShortcutOverride) {
        auto* key = static_cast<QKeyEvent*>(event);
        auto* widget = qobject_cast<QWidget*>(watched);
        // A key the whole window answers, whichever of its controls has the keyboard.
        if (widget && widget->window() == this && windowKey(*key, event->type() == QEvent::KeyPress)) {
            event->accept();
            return true;
        }
    }
    // Alt pressed and released with nothing in between, in this window.
    if (altOpensMenu_ && (event->type() == QEvent::KeyPress || event->type() == QEvent::KeyRelease)) {
        auto* key = static_cast<QKeyEvent*>(event);
        auto* widget = qobject_cast<QWidget*>(watched);
        const bool here = widget && widget->window() == this && isActiveWindow();
        if (key->key() == Qt::Key_Alt && !key->isAutoRepeat()) {
            if (event->type() == QEvent::KeyPress)
                altAlone_ = here;
            else if (altAlone_ && here) {
                altAlone_ = false;
                openMenuBar();
            }
        } else {
            altAlone_ = false;
        }
    } else if (event->type() == QEvent::MouseButtonPress) {
        altAlone_ = false;
    }
    return QMainWindow::eventFilter(watched, event);
}

void ScreenWindow::setTabChain(std::initializer_list<QWidget*> controls)
{
    QWidget* previous = nullptr;
    for (QWidget* control : controls) {
        if (previous)
            setTabOrder(previous, control);
        previous = control;
    }
}

void ScreenWindow::setToolTips(std::initializer_list<std::pair<QObject*, const char*>> tips)
{
    for (const auto& [object, text] : tips) {
        const QString tip = QString::fromUtf8(text);
        if (auto* widget = qobject_cast<QWidget*>(object))
            widget->setToolTip(tip);
        else if (auto* action = qobject_cast<QAction*>(object))
            action->setToolTip(tip);
    }
}

} // namespace lens
