// The window for every desk: what a screen reader hears of it, its text
// readable on a dark desktop, its pictures sharp on a scaled screen.

#include "LetterWindowFixture.h"
#include "letter/window/Images.h"
#include "letter/dialogs/TAboutBox.h"
#include "letter/dialogs/TFrmKalender.h"
#include "letter/dialogs/TfrmTextbausteine.h"
#include "letter/controls/TEdit.h"
#include "letter/controls/TMemo.h"
#include "platform/qt/QtDialogs.h"
#include "support/DarkPalette.h"

#include <QAccessible>
#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QMessageBox>
#include <QStyleFactory>
#include <QToolButton>
#include <map>
#include <set>

using namespace zt;
using zt::testing::contrast;
using zt::testing::LetterWindowTest;
using zt::testing::luminance;

namespace {

// Every accessible name below `iface`, with the roles it appears in.
void collect(QAccessibleInterface* iface, std::multimap<std::string, QAccessible::Role>& out, int depth = 0)
{
    if (iface == nullptr || depth > 30)
        return;
    out.emplace(iface->text(QAccessible::Name).toStdString(), iface->role());
    for (int i = 0; i < iface->childCount(); ++i)
        collect(iface->child(i), out, depth + 1);
}

bool heard(const std::multimap<std::string, QAccessible::Role>& names, const std::string& name, QAccessible::Role role)
{
    const auto [from, to] = names.equal_range(name);
    for (auto it = from; it != to; ++it)
        if (it->second == role)
            return true;
    return false;
}

// The strongest contrast any pixel of `w` (of `part` of it) makes with the
// background colour, the colour most of its pixels have.
double textContrast(QWidget* w, QColor* background = nullptr, QRect part = QRect(QPoint(0, 0), QSize(-1, -1)))
{
    const QImage image = w->grab(part).toImage();
    std::map<QRgb, int> counts;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            ++counts[image.pixel(x, y) | 0xFF000000u];
    QRgb most = 0;
    int best = -1;
    for (const auto& [rgb, n] : counts)
        if (n > best)
            best = n, most = rgb;
    double strongest = 1;
    for (const auto& [rgb, n] : counts)
        strongest = std::max(strongest, contrast(QColor(rgb), QColor(most)));
    if (background != nullptr)
        *background = QColor(most);
    return strongest;
}

class LetterAccessibility : public LetterWindowTest {
protected:
    void SetUp() override { showWindow(); }
};

TEST_F(LetterAccessibility, EveryControlIsHeardByItsCaptionInItsRole)
{
    std::multimap<std::string, QAccessible::Role> names;
    collect(QAccessible::queryAccessibleInterface(frm.get()), names);
    for (const char* block : {"Absender", "Anschrift", "Mitteilung", "Betreff, Zeile 1", "Betreff, Zeile 2",
                              "Ort, Datum", "Sonstiges (Bitte um), Text", "Sonstiges (Anlagen), Text"})
        EXPECT_TRUE(heard(names, block, QAccessible::EditableText)) << block;
    for (int n = 1; n <= 15; ++n) {
        const std::string caption = n == 9    ? "Sonstiges (Bitte um)"
                                    : n == 15 ? "Sonstiges (Anlagen)"
                                              : frm->TickMark(n)->text().toStdString();
        EXPECT_TRUE(heard(names, caption, QAccessible::CheckBox)) << n;
    }
    for (const char* button : {"Neu", "Öffnen", "Speichern", "Vorschau", "Drucken", "Editor",
                               "Standard-Absender laden", "Absender als Standard speichern",
                               "Textbaustein einfügen", "Aktuelle Zeit einfügen", "Aktuelles Datum einfügen"})
        EXPECT_TRUE(heard(names, button, QAccessible::Button)) << button;
    // The picker is announced by its text, as Qt does it on Linux; its
    // description and its field say what it is for.
    auto* picker = QAccessible::queryAccessibleInterface(frm->ComboBox1);
    EXPECT_EQ(picker->role(), QAccessible::ComboBox);
    EXPECT_EQ(picker->text(QAccessible::Description).toStdString(), "Textbaustein auswählen");
    EXPECT_TRUE(heard(names, "Textbaustein auswählen", QAccessible::EditableText));
    // The strips are read without the blank their captions start with.
    EXPECT_TRUE(heard(names, "Absender", QAccessible::StaticText));
    EXPECT_TRUE(heard(names, "Version 1.8.7 - 27.04.2015", QAccessible::StaticText));
    // No control a user can reach is left without a name.
    for (QWidget* w : frm->findChildren<QWidget*>()) {
        if (!w->isVisible() || w->focusPolicy() == Qt::NoFocus || !w->isEnabled() || w->window() != frm.get())
            continue;
        auto* iface = QAccessible::queryAccessibleInterface(w);
        if (iface != nullptr && iface->role() != QAccessible::Client) {
            EXPECT_FALSE(iface->text(QAccessible::Name).isEmpty()) << w->objectName().toStdString();
        }
    }
}

TEST_F(LetterAccessibility, TheAuxiliaryWindowsNameEveryControl)
{
    letter::TfrmTextbausteine phrases(frm.get());
    letter::TFrmKalender calendar(frm.get());
    letter::TAboutBox about(frm.get());
    for (QWidget* window : {static_cast<QWidget*>(&phrases), static_cast<QWidget*>(&calendar),
                            static_cast<QWidget*>(&about)}) {
        window->show();
        QApplication::processEvents();
        std::multimap<std::string, QAccessible::Role> names;
        collect(QAccessible::queryAccessibleInterface(window), names);
        for (const auto& [name, role] : names) {
            const bool named = role == QAccessible::Button || role == QAccessible::EditableText ||
                               role == QAccessible::Table || role == QAccessible::Graphic;
            if (named) {
                EXPECT_FALSE(name.empty()) << window->objectName().toStdString() << " role " << role;
            }
        }
        window->hide();
    }
    EXPECT_EQ(phrases.Memo1->accessibleName().toStdString(), "Textbausteine, eine Zeile je Baustein");
    EXPECT_EQ(phrases.SpeedButton1->accessibleName().toStdString(), "Textbausteine sortieren");
}

TEST_F(LetterAccessibility, KeyboardFocusOnATickMarkIsPlainlyMarked)
{
    frm->setAttribute(Qt::WA_KeyboardFocusChange);
    for (int n : {1, 9, 15}) {
        QCheckBox* box = frm->TickMark(n);
        box->setFocus(Qt::TabFocusReason);
        QApplication::processEvents();
        const QImage image = box->grab().toImage();
        const QRgb mark = box->palette().color(QPalette::Highlight).rgb();
        int marked = 0;
        for (int y = 0; y < image.height(); ++y)
            for (int x = 0; x < image.width(); ++x)
                marked += image.pixel(x, y) == mark;
        // A two-pixel frame, also around the bare box of 9 and 15.
        EXPECT_GE(marked, 40) << n;
    }
}

TEST_F(LetterAccessibility, AMessageBoxIsReadWithItsText)
{
    QMessageBox box(QMessageBox::Warning, "Warnung", "Die Datei fehlt.");
    platform::qt::readAloud(box);
    QAccessibleInterface* iface = QAccessible::queryAccessibleInterface(&box);
    ASSERT_NE(iface, nullptr);
    EXPECT_EQ(iface->text(QAccessible::Name).toStdString(), "Warnung");
    EXPECT_EQ(iface->text(QAccessible::Description).toStdString(), "Die Datei fehlt.");
}

TEST(LetterPictures, CommandImagesAndGlyphsAreDrawnAtTheScreensDevicePixels)
{
    zt::testing::ensureWidgetApplication();
    for (int i = 0; i < letter::kImageCount; ++i) {
        const QPixmap sharp = letter::commandImage(i).pixmap(QSize(16, 16), 2.0);
        EXPECT_EQ(sharp.size(), QSize(32, 32)) << i;
        EXPECT_EQ(sharp.deviceIndependentSize(), QSizeF(16, 16)) << i;
    }
    EXPECT_EQ(letter::buttonGlyph(letter::Glyph::InsertTime).pixmap(QSize(16, 16), 1.5).size(), QSize(24, 24));
    EXPECT_EQ(letter::programIcon(32, 2.0).size(), QSize(64, 64));
    // Drawn again, not blown up: the doubled picture has lines a single pixel can hold.
    const QImage big = letter::commandImage(7).pixmap(QSize(16, 16), 2.0).toImage();
    const QImage small = letter::commandImage(7).pixmap(QSize(16, 16), 1.0).toImage().scaled(32, 32);
    EXPECT_NE(big.convertToFormat(QImage::Format_ARGB32), small.convertToFormat(QImage::Format_ARGB32));
}

class LetterOnADarkDesktop : public LetterWindowTest {
protected:
    static void SetUpTestSuite()
    {
        zt::testing::ensureWidgetApplication();
        saved_ = new QPalette(QApplication::palette());
        QApplication::setStyle(QStyleFactory::create("Fusion"));
        QApplication::setPalette(zt::testing::darkPalette());
    }
    static void TearDownTestSuite()
    {
        QApplication::setPalette(*saved_);
        delete saved_;
    }
    void SetUp() override { showWindow(); }
    static inline QPalette* saved_ = nullptr;
};

TEST_F(LetterOnADarkDesktop, TheStripsKeepTheirColoursAndWhiteCaptions)
{
    const std::pair<QLabel*, QColor> strips[] = {
        {frm->Label1, QColor(128, 128, 0)}, {frm->Label2, QColor(0, 128, 128)},
        {frm->Label3, QColor(73, 126, 252)}, {frm->Label4, QColor(73, 126, 252)},
        {frm->Label5, QColor(73, 126, 252)}, {frm->Label6, QColor(73, 126, 252)},
        {frm->Label7, QColor(73, 126, 252)}};
    for (const auto& [strip, colour] : strips) {
        QColor background;
        EXPECT_GE(textContrast(strip, &background), 3.5) << strip->objectName().toStdString();
        EXPECT_EQ(background, colour) << strip->objectName().toStdString();
    }
    // The small buttons' cream captions on the olive strip.
    EXPECT_GE(textContrast(frm->btnAbsenderLaden), 3.5);
}

TEST_F(LetterOnADarkDesktop, TickMarksAndFieldsAreReadableOnTheDarkFace)
{
    for (int n : {1, 2, 8, 10, 14}) {
        QCheckBox* box = frm->TickMark(n);
        // The caption only, right of the box.
        EXPECT_GE(textContrast(box, nullptr, QRect(18, 0, box->width() - 18, box->height())), 4.5) << n;
        EXPECT_LT(luminance(frm->centralWidget()->palette().color(frm->centralWidget()->backgroundRole())), 0.1);
    }
    frm->MemoAbsender->setPlainText("Erika Mustermann");
    frm->EditTitel1->setText("Lieferung");
    QApplication::processEvents();
    for (QWidget* field : {static_cast<QWidget*>(frm->MemoAbsender), static_cast<QWidget*>(frm->EditTitel1)}) {
        QColor background;
        EXPECT_GE(textContrast(field, &background), 4.5) << field->objectName().toStdString();
        EXPECT_LT(luminance(background), 0.1) << "the fields follow the desktop's palette";
    }
}

} // namespace
