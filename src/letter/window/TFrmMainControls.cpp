// The controls of the main window, at their designed places.

#include "letter/window/TFrmMain.h"
#include "letter/window/FocusFrame.h"
#include "letter/window/Images.h"
#include "letter/controls/TEdit.h"
#include "letter/controls/TMemo.h"
#include "output/LetterBoxes.h"
#include "platform/qt/QtFonts.h"
#include "files/LetterFields.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QStatusBar>
#include <QToolBar>
#include <QToolButton>
#include <algorithm>
#include <stdexcept>

namespace zt::letter {

using platform::qt::qtFont;
using platform::qt::screenLogFont;

namespace {

const QColor kOlive(128, 128, 0);
const QColor kTeal(0, 128, 128);
const QColor kStripBlue(73, 126, 252);
const QColor kCream(255, 251, 240);
constexpr int kCheckBoxHeight = 17;

QLabel* sectionStrip(QWidget* parent, const char* name, const char* caption, const QColor& colour)
{
    auto* label = new QLabel(QString::fromUtf8(caption), parent);
    label->setObjectName(name);
    label->setFont(qtFont(screenLogFont("Segoe UI", 10, true)));
    label->setAutoFillBackground(true);
    // Its own colour, not the button face the client area lends its children.
    label->setBackgroundRole(QPalette::Window);
    QPalette pal = label->palette();
    pal.setColor(QPalette::Window, colour);
    pal.setColor(QPalette::WindowText, Qt::white);
    label->setPalette(pal);
    label->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    label->setMargin(0);
    label->setIndent(0);
    return label;
}

QToolButton* imageButton(QWidget* parent, const char* name, Glyph glyph, const char* hint)
{
    auto* button = new QToolButton(parent);
    button->setObjectName(name);
    button->setAutoRaise(true);
    button->setFocusPolicy(Qt::NoFocus);
    button->setIcon(buttonGlyph(glyph));
    button->setIconSize(QSize(16, 16));
    button->setToolTip(QString::fromUtf8(hint));
    button->setStatusTip(QString::fromUtf8(TFrmMain::GetLongHint(hint).c_str()));
    return button;
}

QToolButton* stripButton(QWidget* parent, const char* name, const char* caption, const char* hint)
{
    auto* button = new QToolButton(parent);
    button->setObjectName(name);
    button->setText(QString::fromUtf8(caption));
    button->setAutoRaise(true);
    button->setFocusPolicy(Qt::NoFocus);
    button->setFont(qtFont(screenLogFont("Arial", 7)));
    QPalette pal = button->palette();
    pal.setColor(QPalette::ButtonText, kCream);
    pal.setColor(QPalette::Button, kOlive);
    button->setPalette(pal);
    button->setStyleSheet("QToolButton { color: rgb(255,251,240); background: transparent; border: none; }"
                          "QToolButton:hover { border: 1px solid rgb(255,251,240); }");
    button->setToolTip(QString::fromUtf8(hint));
    button->setStatusTip(QString::fromUtf8(TFrmMain::GetLongHint(hint).c_str()));
    return button;
}

QRect boxRect(const output::TBoxDesign& box)
{
    return {box.left, box.top, box.width, box.height};
}

QCheckBox* tickMark(QWidget* parent, const char* name, const char* caption, QStyle* focusStyle)
{
    auto* box = new QCheckBox(QString::fromUtf8(caption), parent);
    box->setObjectName(name);
    box->setStyle(focusStyle);
    box->setFont(qtFont(screenLogFont("Segoe UI", 8)));
    // The captions take the desktop's text colour (black on the usual light
    // face), so they stay readable on a dark or high-contrast one.
    return box;
}

using files::TLetterBlock;
using files::TLetterField;

// Where the letter's parts sit on the form: each block's box (its place is
// output/LetterBoxes.h's design, which the batch tool wraps by), each
// single-line field and each tick mark, with the sides they keep their
// distance to when the window is resized.
constexpr TAnchors kTopRight = akTop | akRight;
constexpr TAnchors kAcross = akLeft | akTop | akRight;

struct TBlockPlace {
    TLetterBlock block;
    TAnchors anchors;
};
constexpr TBlockPlace kBlockPlaces[] = {
    {TLetterBlock::Absender, kAcross},
    {TLetterBlock::Anschrift, kAcross},
    {TLetterBlock::Mitteilung, kAcross | akBottom},
};

enum class TFieldFace { Courier9, Courier10Bold };
struct TFieldPlace {
    TLetterField field;
    QRect rect;
    TAnchors anchors;
    TFieldFace face;
};
const TFieldPlace kFieldPlaces[] = {
    {TLetterField::Sonst1, {487, 120, 174, 23}, kTopRight, TFieldFace::Courier9},
    {TLetterField::Sonst2, {487, 213, 174, 23}, kTopRight, TFieldFace::Courier9},
    {TLetterField::Titel1, {2, 286, 468, 24}, kAcross, TFieldFace::Courier10Bold},
    {TLetterField::Titel2, {2, 308, 468, 24}, kAcross, TFieldFace::Courier10Bold},
    {TLetterField::Datum, {476, 286, 185, 23}, kTopRight, TFieldFace::Courier9},
#ifdef ZT_TEST_EXTRA_FIELD
    {TLetterField::Aktenzeichen, {342, 244, 287, 23}, kTopRight, TFieldFace::Courier9},
#endif
};

const TFieldPlace& fieldPlace(TLetterField field)
{
    for (const TFieldPlace& p : kFieldPlaces)
        if (p.field == field)
            return p;
    throw std::logic_error("Feld ohne Platz im Fenster");
}

// Tick mark n's check box (index 0 unused); all keep their distance to the top right.
const QRect kTickMarkPlaces[files::kTickMarkCount + 1] = {
    {},
    {342, 65, 120, kCheckBoxHeight},
    {342, 83, 120, kCheckBoxHeight},
    {342, 100, 120, kCheckBoxHeight},
    {342, 119, 120, kCheckBoxHeight},
    {342, 136, 120, kCheckBoxHeight},
    {468, 65, 190, kCheckBoxHeight},
    {468, 83, 190, kCheckBoxHeight},
    {468, 100, 190, kCheckBoxHeight},
    {468, 121, 13, kCheckBoxHeight},
    {342, 179, 120, kCheckBoxHeight},
    {342, 196, 120, kCheckBoxHeight},
    {342, 214, 120, kCheckBoxHeight},
    {468, 179, 190, kCheckBoxHeight},
    {468, 196, 190, kCheckBoxHeight},
    {468, 214, 13, kCheckBoxHeight},
};

} // namespace

TMemo* TFrmMain::createBlock(files::TLetterBlock block)
{
    const files::TLetterBlockInfo& info = files::LetterBlockInfo(block);
    const output::TBoxDesign& box = output::BlockBox(block);
    auto* memo = new TMemo(QString::fromUtf8(info.control), output::BoxFont(), box.scrollBar, FClient);
    for (const TBlockPlace& p : kBlockPlaces)
        if (p.block == block)
            FAnchors->place(memo, boxRect(box), p.anchors);
    FBlocks[files::IndexOf(block)] = memo;
    return memo;
}

TEdit* TFrmMain::createField(files::TLetterField field)
{
    const files::TLetterFieldInfo& info = files::LetterFieldInfo(field);
    const TFieldPlace& place = fieldPlace(field);
    const QFont font = place.face == TFieldFace::Courier10Bold ? qtFont(screenLogFont("Courier New", 10, true))
                                                               : qtFont(screenLogFont("Courier New", 9));
    auto* edit = new TEdit(QString::fromUtf8(info.control), font, info.maxLength, FClient);
    FAnchors->place(edit, place.rect, place.anchors);
    FFields[files::IndexOf(field)] = edit;
    return edit;
}

void TFrmMain::createControls()
{
    FClient = new QWidget(this);
    FClient->setObjectName("ClientArea");
    FClient->setAutoFillBackground(true);
    // The button face of whatever palette is in force, also after the desktop changes it.
    FClient->setBackgroundRole(QPalette::Button);
    FClient->setFont(qtFont(screenLogFont("MS Sans Serif", 8)));
    setCentralWidget(FClient);
    FClient->resize(kDesignedClientWidth, kDesignedClientHeight);
    FAnchors = std::make_unique<AnchorLayout>(QSize(kDesignedClientWidth, kDesignedClientHeight));
    AnchorLayout& a = *FAnchors;
    QWidget* c = FClient;

    CoolBar1 = new QFrame(c);
    CoolBar1->setObjectName("CoolBar1");
    CoolBar1->setFrameStyle(QFrame::Panel | QFrame::Raised);
    ToolBar1 = new QToolBar(CoolBar1);
    ToolBar1->setObjectName("ToolBar1");
    ToolBar1->setMovable(false);
    ToolBar1->setFloatable(false);
    ToolBar1->setIconSize(QSize(16, 16));
    ToolBar1->setToolButtonStyle(Qt::ToolButtonTextUnderIcon);
    ToolBar1->setGeometry(2, 2, kDesignedClientWidth - 4, 38);
    a.place(CoolBar1, {0, 0, kDesignedClientWidth, 42}, akLeft | akTop | akRight);

    Label1 = sectionStrip(c, "Label1", " Absender", kOlive);
    a.place(Label1, {2, 48, 329, 16}, akLeft | akTop | akRight);
    // The two buttons are part of the strip, at its right end: they move
    // with that end and are never laid over the caption or beyond the strip.
    FStripAnchors = std::make_unique<AnchorLayout>(QSize(329, 16));
    btnAbsenderLaden = stripButton(Label1, "btnAbsenderLaden", "laden", "Standard-Absender laden");
    FStripAnchors->place(btnAbsenderLaden, {203, 0, 57, 16}, akTop | akRight);
    btnAbsenderSpeichern = stripButton(Label1, "btnAbsenderSpeichern", "speichern", "Absender als Standard speichern");
    FStripAnchors->place(btnAbsenderSpeichern, {266, 0, 57, 16}, akTop | akRight);
    constexpr int kCaptionGap = 4;
    Label1->setMinimumWidth(Label1->fontMetrics().horizontalAdvance(Label1->text()) + kCaptionGap + (329 - 203));
    MemoAbsender = createBlock(TLetterBlock::Absender);

    Label2 = sectionStrip(c, "Label2", " Anschrift", kTeal);
    a.place(Label2, {2, 159, 329, 16}, akLeft | akTop | akRight);
    MemoAnschrift = createBlock(TLetterBlock::Anschrift);

    Label5 = sectionStrip(c, "Label5", " Mit der Bitte um", kStripBlue);
    a.place(Label5, {342, 47, 320, 16}, akTop | akRight);
    // The tick marks keep the names the code knows them by.
    QCheckBox** const markMembers[files::kTickMarkCount + 1] = {
        nullptr,      &cbKenntnisnahme, &cbAnrufRuecksprache, &cbStellungnahme, &cbKontrolle, &cbErledigung,
        &cbEntscheidung, &cbRuecknahme, &cbVerbleib,         &cbSonst1,        &cbSchreiben, &CheckBox11,
        &CheckBox12,  &CheckBox13,     &CheckBox14,          &CheckBox15};
    auto* focusStyle = new FocusFrameStyle;
    focusStyle->setParent(this);
    for (const files::TTickMarkInfo& m : files::kTickMarks) {
        const auto n = static_cast<std::size_t>(m.number);
        QCheckBox* box = tickMark(c, m.control, m.caption, focusStyle);
        a.place(box, kTickMarkPlaces[n], kTopRight);
        *markMembers[n] = FTickMarks[n] = box;
    }
    EditSonst1 = createField(TLetterField::Sonst1);
    Label6 = sectionStrip(c, "Label6", " Anlagen", kStripBlue);
    a.place(Label6, {342, 159, 320, 16}, kTopRight);
    EditSonst2 = createField(TLetterField::Sonst2);

    SpeedButton2 = imageButton(c, "SpeedButton2", Glyph::DateIntoPlace, "Aktuelles Datum einfügen");
    a.place(SpeedButton2, {635, 248, 20, 20}, kTopRight);
    Label3 = sectionStrip(c, "Label3", " Betreff", kStripBlue);
    a.place(Label3, {2, 269, 468, 16}, akLeft | akTop | akRight);
    Label7 = sectionStrip(c, "Label7", " Ort, Datum", kStripBlue);
    a.place(Label7, {476, 269, 185, 16}, kTopRight);
    EditTitel1 = createField(TLetterField::Titel1);
    EditTitel2 = createField(TLetterField::Titel2);
    edDatum = createField(TLetterField::Datum);
    // A field without a name of its own in the code (one added to the
    // letter) is made here, after the named ones.
    for (const files::TLetterFieldInfo& f : files::kLetterFields)
        if (FFields[files::IndexOf(f.field)] == nullptr)
            createField(f.field);

    ComboBox1 = new QComboBox(c);
    ComboBox1->setObjectName("ComboBox1");
    ComboBox1->setFont(qtFont(screenLogFont("Segoe UI", 8)));
    ComboBox1->setMaxVisibleItems(12);
    ComboBox1->setEditable(true);
    ComboBox1->setInsertPolicy(QComboBox::NoInsert);
    ComboBox1->setToolTip(QString::fromUtf8("Textbaustein auswählen"));
    ComboBox1->setStatusTip(QString::fromUtf8("Textbaustein auswählen"));
    a.place(ComboBox1, {2, 344, 295, 21}, akLeft | akTop);
    SpeedButton1 = imageButton(c, "SpeedButton1", Glyph::InsertPhrase, "Textbaustein einfügen");
    a.place(SpeedButton1, {298, 344, 22, 22}, akLeft | akTop);
    SBZeit = imageButton(c, "SBZeit", Glyph::InsertTime, "Aktuelle Zeit einfügen");
    a.place(SBZeit, {606, 342, 24, 24}, kTopRight);
    SBDatum = imageButton(c, "SBDatum", Glyph::InsertDate, "Aktuelles Datum einfügen");
    a.place(SBDatum, {632, 342, 24, 24}, kTopRight);

    Label4 = sectionStrip(c, "Label4", " Mitteilung", kStripBlue);
    a.place(Label4, {2, 367, 660, 16}, akLeft | akTop | akRight);
    MemoMitteilung = createBlock(TLetterBlock::Mitteilung);

    StatusBar1 = new QStatusBar(c);
    StatusBar1->setObjectName("StatusBar1");
    StatusBar1->setSizeGripEnabled(false);
    const int widths[] = {175, 75, 250, 0};
    for (int i = 0; i < 4; ++i) {
        FPanels[i] = new QLabel(StatusBar1);
        FPanels[i]->setObjectName(QString("Panel%1").arg(i));
        FPanels[i]->setFrameStyle(QFrame::Panel | QFrame::Sunken);
        if (widths[i] > 0) {
            FPanels[i]->setFixedWidth(widths[i]);
            StatusBar1->addWidget(FPanels[i]);
        } else {
            StatusBar1->addWidget(FPanels[i], 1);
        }
    }
    a.place(StatusBar1, {0, kDesignedClientHeight - 19, kDesignedClientWidth, 19}, akLeft | akRight | akBottom);

    // The hidden working controls are never shown.
    edDummy = new TEdit("edDummy", FClient->font(), 0, c);
    edDummy->setText("edDummy");
    edDummy->setGeometry(0, 0, 121, 21);
    edDummy->hide();
    Memo1 = new TMemo("Memo1", screenLogFont("MS Sans Serif", 8), false, c);
    Memo1->setGeometry(0, 0, 185, 89);
    Memo1->SetText("Memo1");
    Memo1->hide();

    std::vector<QWidget*> order = {MemoAbsender, MemoAnschrift, EditTitel1, EditTitel2, edDatum};
    // A field added to the letter follows the date.
    for (TEdit* field : FieldControls())
        if (std::find(order.begin(), order.end(), field) == order.end() && field != EditSonst1 &&
            field != EditSonst2)
            order.push_back(field);
    order.push_back(MemoMitteilung);
    for (int n = 1; n <= files::kTickMarkCount; ++n) {
        order.push_back(FTickMarks[static_cast<std::size_t>(n)]);
        if (const files::TTickMarkInfo& m = files::TickMarkInfo(n); m.labelledByField)
            order.push_back(FieldControl(m.labelField)); // the field that names it comes next
    }
    order.push_back(ComboBox1);
    for (std::size_t i = 0; i + 1 < order.size(); ++i)
        setTabOrder(order[i], order[i + 1]);
}

} // namespace zt::letter
