// The preview's toolbars: their commands, their keys, and how they share
// the window's width.

#include "preview/TQRStandardPreview.h"

#include "preview/PreviewIcons.h"
#include "preview/PreviewThumbs.h"
#include "platform/qt/QtText.h"

#include <QAction>
#include <QActionGroup>
#include <QApplication>
#include <QListWidget>
#include <QMenu>
#include <QStyle>
#include <QTabBar>
#include <QTabWidget>
#include <QToolBar>
#include <QToolButton>

namespace zt::preview {

using namespace zt::pages;

namespace {

using platform::qt::u;

// The designed size of the two buttons with a widget of their own; a
// larger font makes them larger.
constexpr QSize kZoomPickSize(33, 22);
constexpr QSize kExitSize(67, 22);
constexpr int kToolBarHeight = 30;

QToolBar* toolBar(QMainWindow* window, const char* name, const char* title)
{
    QToolBar* bar = window->addToolBar(u(title));
    bar->setObjectName(name);
    bar->setMovable(false);
    bar->setFloatable(false);
    bar->setIconSize(QSize(16, 16));
    bar->setMinimumHeight(kToolBarHeight);
    // The title is what the window's own menu of toolbars shows.
    bar->setAccessibleName(u(title));
    if (auto* more = bar->findChild<QToolButton*>("qt_toolbar_ext_button")) {
        more->setAccessibleName(u("Weitere Befehle"));
        more->setToolTip(u("Weitere Befehle"));
    }
    return bar;
}

} // namespace

void TQRStandardPreview::createToolBar()
{
    ToolBar1 = toolBar(this, "ToolBar1", "Symbolleiste Ansicht");
    QToolBar* bar = ToolBar1;
    const auto action = [&](QAction*& a, const char* name, int icon, const char* hint, auto slot) {
        a = bar->addAction(PreviewIcon(icon), u(hint));
        a->setObjectName(name);
        a->setToolTip(u(hint));
        a->setStatusTip(u(hint));
        connect(a, &QAction::triggered, this, slot);
    };
    auto* zoomGroup = new QActionGroup(this);
    action(ZoomFit, "ZoomFit", 0, "Optimale Größe", [this] { ZoomFitClick(); });
    action(ZoomToWidth, "ZoomToWidth", 2, "Auf Breite anpassen", [this] { ZoomToWidthClick(); });
    action(Zoom100, "Zoom100", 1, "100% Größe", [this] { Zoom100Click(); });
    for (QAction* a : {ZoomFit, ZoomToWidth, Zoom100}) {
        a->setCheckable(true);
        zoomGroup->addAction(a);
    }
    Zoommenu = new QMenu(this);
    for (int z = 50; z <= 200; z += 10) {
        QAction* item = Zoommenu->addAction(QString::number(z) + "%");
        item->setObjectName("N" + QString::number(z));
        connect(item, &QAction::triggered, this, [this, item] { ZoomMenuClick(item->objectName().toStdString()); });
    }
    ZoomPickButton = new QToolButton(bar);
    ZoomPickButton->setObjectName("ZoomPickButton");
    ZoomPickButton->setIcon(PreviewIcon(15));
    ZoomPickButton->setToolTip(u("Ansicht Zoom"));
    ZoomPickButton->setAccessibleName(u("Ansicht Zoom"));
    ZoomPickButton->setStatusTip(u("Ansicht Zoom"));
    ZoomPickButton->setAutoRaise(true);
    ZoomPickButton->setMinimumSize(kZoomPickSize);
    connect(ZoomPickButton, &QToolButton::clicked, this,
            [this] { Zoommenu->popup(ZoomPickButton->mapToGlobal(ZoomPickButton->rect().center())); });
    FZoomPickAction = bar->addWidget(ZoomPickButton);
    bar->addSeparator();
    action(FirstPage, "FirstPage", 3, "Erste Seite", [this] { FirstPageClick(); });
    action(PreviousPage, "PreviousPage", 4, "Vorherige Seite", [this] { PreviousPageClick(); });
    action(nextPage, "nextPage", 5, "Nächste Seite", [this] { NextPageClick(); });
    action(LastPage, "LastPage", 6, "Letzte Seite", [this] { LastPageClick(); });
    bar->addSeparator();
    action(GotoPageButton, "GotoPageButton", 12, "Auswahl einer Seite", [this] { GotoPageClick(); });
    action(FindButton, "FindButton", 11, "Suchen nach Text", [this] { FindClick(); });

    ToolBar2 = toolBar(this, "ToolBar2", "Symbolleiste Befehle");
    bar = ToolBar2;
    action(copybutton, "copybutton", 14, "Seite in Zwischenablage kopieren", [this] { CopyClick(); });
    action(PrintSetup, "PrintSetup", 7, "Druckereinrichtung", [this] { PrintSetupClick(); });
    action(Print, "Print", 8, "Drucken", [this] { PrintClick(); });
    action(LoadReport, "LoadReport", 9, "Bericht laden", [this] { LoadReportClick(); });
    action(SaveReport, "SaveReport", 10, "Bericht speichern", [this] { SaveReportClick(); });
    bar->addSeparator();
    action(CancelButton, "CancelButton", 13, "Bericht abbrechen", [this] { CancelClick(); });
    ExitButton = new QToolButton(bar);
    ExitButton->setObjectName("ExitButton");
    ExitButton->setText(u("&Schließen"));
    ExitButton->setToolTip(u("Vorschau schließen"));
    ExitButton->setAccessibleDescription(u("Vorschau schließen"));
    ExitButton->setStatusTip(u("Vorschau schließen"));
    ExitButton->setAutoRaise(true);
    // As wide and tall as its caption in the font in force.
    ExitButton->setToolButtonStyle(Qt::ToolButtonTextOnly);
    ExitButton->setMinimumSize(kExitSize);
    connect(ExitButton, &QToolButton::clicked, this, [this] { close(); });
    bar->addWidget(ExitButton);

    // The keys a user expects; the hint tells them.
    const struct {
        QAction* action;
        Qt::Key key;
    } keys[] = {{SaveReport, Qt::Key_S}, {Print, Qt::Key_P}, {LoadReport, Qt::Key_O}, {FindButton, Qt::Key_F}};
    for (const auto& [a, key] : keys) {
        a->setShortcut(QKeySequence(Qt::CTRL | key));
        a->setToolTip(a->toolTip() + " (Strg+" + QChar(char16_t(key)) + ")");
    }
    // Toolbar buttons take no focus by default; these take it from the
    // keyboard (Tab, F10), never from a click, so a click leaves the keys
    // with the page.
    for (QToolBar* b : {ToolBar1, ToolBar2})
        for (QAction* a : b->actions())
            if (QWidget* w = b->widgetForAction(a); w != nullptr && qobject_cast<QToolButton*>(w) != nullptr)
                w->setFocusPolicy(Qt::TabFocus);
    setPageButtons(false);
    CancelButton->setEnabled(false);
    ZoomPickButton->setEnabled(false);
}

void TQRStandardPreview::setPageButtons(bool enabled)
{
    for (QAction* a : {PrintSetup, Print, SaveReport, LoadReport, FindButton, GotoPageButton, FirstPage, nextPage,
                       PreviousPage, LastPage, copybutton})
        a->setEnabled(enabled);
    ZoomPickButton->setEnabled(enabled);
}

void TQRStandardPreview::fitToolBars()
{
    if (ToolBar1 == nullptr || ToolBar2 == nullptr)
        return;
    // Side by side while both fit whole, else the pages' commands go to a
    // row of their own: no command is ever hidden behind the overflow.
    const int gap = 2 * style()->pixelMetric(QStyle::PM_ToolBarFrameWidth, nullptr, ToolBar1) +
                    style()->pixelMetric(QStyle::PM_DockWidgetSeparatorExtent, nullptr, this) + 4;
    const bool tooNarrow = width() < ToolBar1->sizeHint().width() + ToolBar2->sizeHint().width() + gap;
    if (tooNarrow != toolBarBreak(ToolBar2)) {
        if (tooNarrow)
            insertToolBarBreak(ToolBar2);
        else
            removeToolBarBreak(ToolBar2);
    }
}

QList<QWidget*> TQRStandardPreview::ToolBarButtons() const
{
    QList<QWidget*> buttons;
    for (QToolBar* bar : {ToolBar1, ToolBar2})
        for (QAction* a : bar->actions())
            if (QWidget* w = bar->widgetForAction(a);
                w != nullptr && w->focusPolicy() != Qt::NoFocus && w->isVisible() && w->isEnabled())
                buttons.append(w);
    return buttons;
}

void TQRStandardPreview::ToggleToolBarFocus()
{
    const QList<QWidget*> buttons = ToolBarButtons();
    QWidget* focus = QApplication::focusWidget();
    if (buttons.contains(focus)) {
        QWidget* back = FFocusBeforeToolBar;
        if (back == nullptr || !back->isVisible() || !back->isEnabled() || back->window() != this)
            back = QRPreview;
        back->setFocus(Qt::ShortcutFocusReason);
        return;
    }
    if (buttons.isEmpty())
        return;
    FFocusBeforeToolBar = focus;
    // Tab as the reason, so the button shows it has the focus.
    buttons.front()->setFocus(Qt::TabFocusReason);
}

bool TQRStandardPreview::toolBarKey(int key, Qt::KeyboardModifiers modifiers, QWidget* focus)
{
    const QList<QWidget*> buttons = ToolBarButtons();
    const auto at = buttons.indexOf(focus);
    if (at < 0 || (modifiers & ~Qt::KeypadModifier) != Qt::NoModifier)
        return false;
    const auto n = buttons.size();
    switch (key) {
    case Qt::Key_Left:
        buttons[(at + n - 1) % n]->setFocus(Qt::TabFocusReason);
        return true;
    case Qt::Key_Right:
        buttons[(at + 1) % n]->setFocus(Qt::TabFocusReason);
        return true;
    case Qt::Key_Return:
    case Qt::Key_Enter:
        if (auto* button = qobject_cast<QAbstractButton*>(focus))
            button->click();
        return true;
    case Qt::Key_Escape:
        // Out of the toolbars, as from a menu bar; Escape on the page closes.
        ToggleToolBarFocus();
        return true;
    default:
        return false;
    }
}

void TQRStandardPreview::dropHiddenTabs()
{
    const std::pair<QWidget*, bool> pages[] = {{TabThumbs, ShowThumbs}, {TabSearchResult, ShowSearch}};
    for (const auto& [page, shown] : pages) {
        if (shown)
            continue;
        if (const int i = Tabs->indexOf(page); i >= 0)
            Tabs->removeTab(i);
        page->hide();
        for (QWidget* w : page->findChildren<QWidget*>())
            w->setFocusPolicy(Qt::NoFocus);
    }
    if (!ShowThumbs && !ShowSearch) {
        Tabs->setFocusPolicy(Qt::NoFocus);
        Tabs->tabBar()->setFocusPolicy(Qt::NoFocus);
    }
}

} // namespace zt::preview
