#include "letter/dialogs/TfrmTextbausteine.h"

#include "letter/window/Images.h"
#include "letter/state/PhraseList.h"
#include "letter/state/ProgramState.h"
#include "letter/controls/TMemo.h"
#include "platform/qt/QtFonts.h"

#include <QCollator>
#include <QComboBox>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QPushButton>
#include <QScreen>
#include <QToolButton>
#include <algorithm>

namespace zt::letter {

using platform::qt::qtFont;
using platform::qt::screenLogFont;

std::vector<std::string> sortPhrases(std::vector<std::string> lines)
{
    QCollator collator;
    collator.setCaseSensitivity(Qt::CaseInsensitive);
    std::stable_sort(lines.begin(), lines.end(), [&](const std::string& a, const std::string& b) {
        return collator.compare(QString::fromStdString(a), QString::fromStdString(b)) < 0;
    });
    return lines;
}

TfrmTextbausteine::TfrmTextbausteine(QWidget* parent) : QDialog(parent)
{
    setObjectName("frmTextbausteine");
    setWindowTitle("Textbausteine");
    setWindowFlags(Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint | Qt::WindowTitleHint | Qt::WindowCloseButtonHint);
    setFixedSize(320, 232);
    setFont(qtFont(screenLogFont("MS Sans Serif", 8)));

    Memo1 = new TMemo("Memo1", screenLogFont("MS Sans Serif", 8), true, this);
    Memo1->setGeometry(8, 8, 305, 185);
    Memo1->setTabChangesFocus(false);
    // Tab types a tab into the phrases; Ctrl+Tab leaves the box, so OK and
    // Abbrechen stay within the keyboard's reach.
    Memo1->installEventFilter(this);
    Memo1->setAccessibleName(QString::fromUtf8("Textbausteine, eine Zeile je Baustein"));

    SpeedButton1 = new QToolButton(this);
    SpeedButton1->setObjectName("SpeedButton1");
    SpeedButton1->setAutoRaise(true);
    SpeedButton1->setFocusPolicy(Qt::NoFocus);
    SpeedButton1->setIcon(buttonGlyph(Glyph::Sort));
    SpeedButton1->setToolTip("Textbausteine sortieren");
    SpeedButton1->setAccessibleName("Textbausteine sortieren");
    SpeedButton1->setGeometry(8, 200, 23, 22);
    connect(SpeedButton1, &QToolButton::clicked, this, [this] { SpeedButton1Click(); });

    ComboBox1 = new QComboBox(this);
    ComboBox1->setObjectName("ComboBox1");
    ComboBox1->setGeometry(48, 200, 81, 21);
    ComboBox1->hide();

    Button1 = new QPushButton("OK", this);
    Button1->setObjectName("Button1");
    Button1->setGeometry(160, 200, 75, 25);
    Button1->setDefault(true);
    Button1->setToolTip(QString::fromUtf8("Änderungen übernehmen"));
    connect(Button1, &QPushButton::clicked, this, &QDialog::accept);

    Button2 = new QPushButton("Abbrechen", this);
    Button2->setObjectName("Button2");
    Button2->setGeometry(240, 200, 75, 25);
    Button2->setToolTip(QString::fromUtf8("Änderungen verwerfen"));
    connect(Button2, &QPushButton::clicked, this, &QDialog::reject);
}

void TfrmTextbausteine::showEvent(QShowEvent* event)
{
    if (QScreen* screen = QGuiApplication::primaryScreen())
        move(screen->geometry().center() - rect().center());
    FormShow();
    QDialog::showEvent(event);
}

bool TfrmTextbausteine::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == Memo1 && event->type() == QEvent::KeyPress) {
        const auto* key = static_cast<QKeyEvent*>(event);
        const bool ctrl = key->modifiers().testFlag(Qt::ControlModifier);
        if (ctrl && (key->key() == Qt::Key_Tab || key->key() == Qt::Key_Backtab)) {
            focusNextPrevChild(key->key() == Qt::Key_Tab && !key->modifiers().testFlag(Qt::ShiftModifier));
            return true;
        }
    }
    return QDialog::eventFilter(watched, event);
}

void TfrmTextbausteine::FormShow()
{
    if (auto lines = readPhraseFile(ProgramDir))
        Memo1->SetLines(*lines);
    else
        Memo1->SetLines(PickerPhrases);
}

void TfrmTextbausteine::SpeedButton1Click()
{
    ComboBox1->clear();
    const std::vector<std::string> sorted = sortPhrases(Memo1->Lines());
    for (const std::string& line : sorted)
        ComboBox1->addItem(QString::fromStdString(line));
    std::vector<std::string> items;
    for (int i = 0; i < ComboBox1->count(); ++i)
        items.push_back(ComboBox1->itemText(i).toStdString());
    Memo1->clear();
    Memo1->SetLines(items);
}

} // namespace zt::letter
