// The window's looks: the smallest size it can take keeps every control
// clear of the others, and the sender strip carries its buttons.

#include "LetterWindowFixture.h"
#include "letter/controls/TMemo.h"

#include <QComboBox>
#include <QLabel>
#include <QScrollBar>
#include <QStatusBar>
#include <QToolButton>
#include <map>

using zt::testing::LetterWindowTest;

namespace {

class WindowLayoutTest : public LetterWindowTest {
protected:
    void SetUp() override { showWindow(); }

    std::map<QWidget*, QRect> clientControls() const
    {
        std::map<QWidget*, QRect> rects;
        for (QWidget* w : frm->centralWidget()->findChildren<QWidget*>(Qt::FindDirectChildrenOnly))
            if (w->isVisible())
                rects[w] = w->geometry();
        return rects;
    }

    void shrinkToTheMinimum()
    {
        frm->resize(1, 1);
        QApplication::processEvents();
        ASSERT_EQ(frm->size(), frm->minimumSize());
    }

    static std::string name(const QWidget* w) { return w->objectName().toStdString(); }
};

} // namespace

TEST_F(WindowLayoutTest, AtItsSmallestTheWindowKeepsEveryControlClearOfTheOthers)
{
    const auto designed = clientControls();
    shrinkToTheMinimum();
    const auto smallest = clientControls();
    ASSERT_EQ(smallest.size(), designed.size());
    for (auto a = smallest.begin(); a != smallest.end(); ++a)
        for (auto b = std::next(a); b != smallest.end(); ++b) {
            if (designed.at(a->first).intersects(designed.at(b->first)))
                continue; // laid over each other by design
            EXPECT_FALSE(a->second.intersects(b->second)) << name(a->first) << " and " << name(b->first);
        }
    // The status bar lies below the picker and keeps its panels whole.
    EXPECT_GE(frm->StatusBar1->geometry().top(), frm->ComboBox1->geometry().bottom());
    EXPECT_GE(frm->StatusBar1->geometry().top(), frm->SBDatum->geometry().bottom());
    const int widths[] = {175, 75, 250};
    for (int i = 0; i < 3; ++i)
        EXPECT_EQ(frm->StatusBar1->findChild<QLabel*>(QString("Panel%1").arg(i))->width(), widths[i]) << i;
    const QLabel* version = frm->StatusBar1->findChild<QLabel*>("Panel3");
    EXPECT_GE(version->width(), version->fontMetrics().horizontalAdvance(version->text()));
    // The message box keeps room for its scroll bar.
    const QScrollBar* bar = frm->MemoMitteilung->verticalScrollBar();
    EXPECT_GE(bar->height(), bar->minimumSizeHint().height());
}

TEST_F(WindowLayoutTest, TheSenderStripCarriesItsButtonsClearOfItsCaption)
{
    auto check = [&] {
        const int caption = frm->Label1->fontMetrics().horizontalAdvance(frm->Label1->text());
        for (QToolButton* b : {frm->btnAbsenderLaden, frm->btnAbsenderSpeichern}) {
            SCOPED_TRACE(name(b));
            EXPECT_EQ(b->parentWidget(), frm->Label1);
            EXPECT_TRUE(frm->Label1->rect().contains(b->geometry()));
            EXPECT_GT(b->geometry().left(), caption);
        }
        EXPECT_LT(frm->btnAbsenderLaden->geometry().right(), frm->btnAbsenderSpeichern->geometry().left());
    };
    EXPECT_EQ(frm->btnAbsenderLaden->geometry(), QRect(203, 0, 57, 16));
    EXPECT_EQ(frm->btnAbsenderSpeichern->geometry(), QRect(266, 0, 57, 16));
    check();
    frm->resize(frm->width() + 120, frm->height());
    QApplication::processEvents();
    EXPECT_EQ(frm->btnAbsenderSpeichern->geometry(), QRect(386, 0, 57, 16)); // follows the strip's end
    check();
    shrinkToTheMinimum();
    check();
}
