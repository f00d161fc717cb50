// The preview from the keyboard alone: the commands' keys, the toolbars by
// F10, Alt and the arrows, every command in the Tab order, and nothing
// hidden that takes or reports the focus.

#include "PreviewFixture.h"

#include "preview/PreviewThumbs.h"

#include <QAccessible>
#include <QAction>
#include <QApplication>
#include <QListWidget>
#include <QMenu>
#include <QTabBar>
#include <QTest>
#include <QToolBar>
#include <QToolButton>
#include <gtest/gtest.h>

#include <functional>
#include <set>

using namespace zt;
using namespace zt::pages;
using namespace zt::preview;
using zt::testing::Preview;

namespace {

class PreviewKeys : public Preview {
protected:
    TQRStandardPreview& shown(int pages)
    {
        TQRStandardPreview& w = open(pages);
        w.show();
        w.activateWindow();
        EXPECT_TRUE(QTest::qWaitForWindowActive(&w));
        w.QRPreview->setFocus();
        QApplication::processEvents();
        return w;
    }

    // A key as the user types it: to whatever has the focus.
    static void type(int key, Qt::KeyboardModifiers modifiers = Qt::NoModifier)
    {
        QWidget* focus = QApplication::focusWidget();
        ASSERT_NE(focus, nullptr);
        QTest::keyClick(focus, static_cast<Qt::Key>(key), modifiers);
        QApplication::processEvents();
    }

    static QWidget* button(TQRStandardPreview& w, QAction* a)
    {
        for (QToolBar* bar : {w.ToolBar1, w.ToolBar2})
            if (QWidget* b = bar->widgetForAction(a))
                return b;
        return nullptr;
    }
};

// Every accessible below `root`, depth first.
void walk(QAccessibleInterface* root, const std::function<void(QAccessibleInterface*)>& visit, int depth = 0)
{
    if (root == nullptr || depth > 40)
        return;
    visit(root);
    for (int i = 0; i < root->childCount(); ++i)
        walk(root->child(i), visit, depth + 1);
}

TEST_F(PreviewKeys, CtrlSPOAndFRunSavePrintLoadAndSearch)
{
    TQRStandardPreview& w = shown(2);
    const struct {
        QAction* action;
        Qt::Key key;
    } commands[] = {{w.SaveReport, Qt::Key_S}, {w.Print, Qt::Key_P}, {w.LoadReport, Qt::Key_O},
                    {w.FindButton, Qt::Key_F}};
    for (const auto& [action, key] : commands) {
        // Counted instead of run: the commands themselves are tested with their dialogs.
        QObject::disconnect(action, &QAction::triggered, nullptr, nullptr);
        int runs = 0;
        QObject::connect(action, &QAction::triggered, [&runs] { ++runs; });
        type(key, Qt::ControlModifier);
        EXPECT_EQ(runs, 1) << action->objectName().toStdString();
        EXPECT_NE(action->toolTip().indexOf("Strg+"), -1) << action->objectName().toStdString();
    }
}

TEST_F(PreviewKeys, F10AndAltReachTheToolbarsWhereArrowsMoveAndEnterPresses)
{
    TQRStandardPreview& w = shown(3);
    type(Qt::Key_F10);
    EXPECT_EQ(QApplication::focusWidget(), button(w, w.ZoomFit));
    type(Qt::Key_Right);
    EXPECT_EQ(QApplication::focusWidget(), button(w, w.ZoomToWidth));
    type(Qt::Key_Right);
    EXPECT_EQ(QApplication::focusWidget(), button(w, w.Zoom100));
    type(Qt::Key_Return);
    EXPECT_TRUE(w.Zoom100->isChecked());
    EXPECT_EQ(w.QRPreview->Zoom(), 100);
    type(Qt::Key_Left);
    type(Qt::Key_Left);
    type(Qt::Key_Left);
    // Round the end to the last command.
    EXPECT_EQ(QApplication::focusWidget(), w.ExitButton);
    // The page keys still page from the toolbars.
    type(Qt::Key_PageDown);
    EXPECT_EQ(w.QRPreview->PageNumber(), 2);
    // Escape leaves the toolbars for the page; the window stays.
    type(Qt::Key_Escape);
    EXPECT_EQ(QApplication::focusWidget(), w.QRPreview);
    EXPECT_TRUE(w.isVisible());
    // Alt alone goes there and back as F10 does.
    type(Qt::Key_Alt);
    EXPECT_EQ(QApplication::focusWidget(), button(w, w.ZoomFit));
    type(Qt::Key_Alt);
    EXPECT_EQ(QApplication::focusWidget(), w.QRPreview);
    type(Qt::Key_F10);
    type(Qt::Key_F10);
    EXPECT_EQ(QApplication::focusWidget(), w.QRPreview);
    // Alt as part of a combination is no way into the toolbars.
    QTest::keyPress(w.QRPreview, Qt::Key_Alt);
    QTest::keyClick(w.QRPreview, Qt::Key_X, Qt::AltModifier);
    QTest::keyRelease(w.QRPreview, Qt::Key_Alt);
    EXPECT_EQ(QApplication::focusWidget(), w.QRPreview);
    // Escape on the page still closes the window.
    type(Qt::Key_Escape);
    EXPECT_FALSE(w.isVisible());
}

TEST_F(PreviewKeys, TabReachesEveryCommandButAClickLeavesTheFocusOnThePage)
{
    TQRStandardPreview& w = shown(2);
    std::set<QWidget*> reached;
    for (int i = 0; i < 60; ++i) {
        type(Qt::Key_Tab);
        reached.insert(QApplication::focusWidget());
    }
    int commands = 0;
    for (QToolBar* bar : {w.ToolBar1, w.ToolBar2})
        for (QAction* a : bar->actions()) {
            QWidget* b = bar->widgetForAction(a);
            if (a->isSeparator() || b == nullptr || !b->isVisible() || !b->isEnabled())
                continue;
            ++commands;
            EXPECT_TRUE(reached.count(b)) << b->objectName().toStdString() << " " << a->text().toStdString();
        }
    EXPECT_GE(commands, 16);
    EXPECT_TRUE(reached.count(w.QRPreview));
    w.QRPreview->setFocus();
    QTest::mouseClick(button(w, w.nextPage), Qt::LeftButton);
    EXPECT_EQ(w.QRPreview->PageNumber(), 2);
    EXPECT_EQ(QApplication::focusWidget(), w.QRPreview);
}

TEST_F(PreviewKeys, TabsTheReportDoesNotOfferNeitherTakeNorReportTheFocus)
{
    rep->PrevShowThumbs = false;
    rep->PrevShowSearch = false;
    TQRStandardPreview& w = shown(2);
    EXPECT_FALSE(w.Tabs->isVisible());
    EXPECT_EQ(w.Tabs->count(), 0);
    walk(QAccessible::queryAccessibleInterface(&w), [](QAccessibleInterface* i) {
        const QString name = i->text(QAccessible::Name);
        if (name != "Miniaturbilder" && name != "Suchergebnisse")
            return;
        EXPECT_FALSE(i->state().focused) << name.toStdString();
        EXPECT_FALSE(i->state().focusable) << name.toStdString();
    });
    for (int i = 0; i < 30; ++i) {
        type(Qt::Key_Tab);
        EXPECT_TRUE(QApplication::focusWidget()->isVisible()) << QApplication::focusWidget()->objectName().toStdString();
    }
}

TEST_F(PreviewKeys, WithOnlyTheSearchOfferedTheThumbnailsAreNoTab)
{
    rep->PrevShowThumbs = false;
    rep->PrevShowSearch = true;
    TQRStandardPreview& w = shown(2);
    ASSERT_EQ(w.Tabs->count(), 1);
    EXPECT_EQ(w.Tabs->tabText(0).toStdString(), "Suchergebnisse");
    EXPECT_EQ(w.ThumbGrid->focusPolicy(), Qt::NoFocus);
    EXPECT_NE(w.SearchResultBox->focusPolicy(), Qt::NoFocus);
}

TEST_F(PreviewKeys, TheToolbarsAreNamedInGerman)
{
    TQRStandardPreview& w = shown(1);
    for (QToolBar* bar : {w.ToolBar1, w.ToolBar2}) {
        EXPECT_TRUE(bar->windowTitle().startsWith("Symbolleiste")) << bar->windowTitle().toStdString();
        EXPECT_TRUE(QAccessible::queryAccessibleInterface(bar)->text(QAccessible::Name).startsWith("Symbolleiste"));
    }
    // The window's own menu of toolbars lists them by their titles.
    std::unique_ptr<QMenu> menu(w.createPopupMenu());
    ASSERT_NE(menu, nullptr);
    for (QAction* a : menu->actions())
        EXPECT_FALSE(a->text().contains("ToolBar")) << a->text().toStdString();
}

} // namespace
