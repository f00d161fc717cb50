#include "letter/dialogs/TAboutBox.h"

#include "letter/window/Images.h"
#include "platform/dialogs/UserDialogs.h"
#include "platform/qt/QtFonts.h"
#include "platform/shell/Shell.h"

#include <QEvent>
#include <QFrame>
#include <QGuiApplication>
#include <QLabel>
#include <QPushButton>
#include <QScreen>
#include <exception>

namespace zt::letter {

using platform::qt::qtFont;
using platform::qt::screenLogFont;

namespace {

QLabel* linkLabel(QWidget* parent, const char* name, const char* text, QRect rect)
{
    auto* label = new QLabel(QString::fromUtf8(text), parent);
    label->setObjectName(name);
    QFont f = label->font();
    f.setUnderline(true);
    label->setFont(f);
    QPalette pal = label->palette();
    pal.setColor(QPalette::WindowText, Qt::blue);
    label->setPalette(pal);
    label->setCursor(Qt::PointingHandCursor);
    label->setAlignment(Qt::AlignCenter);
    label->setGeometry(rect);
    return label;
}

// Runs a link's action; any error becomes the link's own error box.
template <typename F>
void followLink(const char* failure, F&& action)
{
    try {
        action();
    } catch (const std::exception&) {
        platform::userDialogs().messageDlg(failure, platform::TMsgDlgType::mtError, platform::mbOK);
    }
}

} // namespace

TAboutBox::TAboutBox(QWidget* parent) : QDialog(parent)
{
    setObjectName("AboutBox");
    setWindowTitle(QString::fromUtf8("Über Zettelino"));
    setWindowFlags(Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint | Qt::WindowTitleHint | Qt::WindowCloseButtonHint);
    setFixedSize(316, 254);
    setFont(qtFont(screenLogFont("MS Sans Serif", 8)));
    setAutoFillBackground(true);
    QPalette pal = palette();
    pal.setColor(QPalette::Window, Qt::white);
    // The box keeps its own light look, so its text keeps its own dark colour.
    pal.setColor(QPalette::WindowText, Qt::black);
    setPalette(pal);

    Panel1 = new QFrame(this);
    Panel1->setObjectName("Panel1");
    Panel1->setFrameStyle(QFrame::Panel | QFrame::Raised);
    Panel1->setLineWidth(2);
    Panel1->setAutoFillBackground(true);
    QPalette silver = Panel1->palette();
    silver.setColor(QPalette::Window, QColor(192, 192, 192));
    silver.setColor(QPalette::WindowText, Qt::black);
    Panel1->setPalette(silver);
    Panel1->setGeometry(4, 2, 309, 203);

    ProgramIcon = new QLabel(Panel1);
    ProgramIcon->setObjectName("ProgramIcon");
    ProgramIcon->setPixmap(aboutBanner(246, 34, devicePixelRatioF()));
    ProgramIcon->setGeometry(31 - 4, 16 - 2, 246, 34);
    ProgramIcon->setAccessibleName("Zettelino");
    Image1 = new QLabel(Panel1);
    Image1->setObjectName("Image1");
    Image1->setPixmap(programIcon(32, devicePixelRatioF()));
    Image1->setGeometry(32 - 4, 63 - 2, 32, 32);
    Image1->setAccessibleName("Programmsymbol");
    ProductName = new QLabel(QString::fromUtf8("Zettelino für Windows"), Panel1);
    ProductName->setObjectName("ProductName");
    ProductName->setFont(qtFont(screenLogFont("MS Sans Serif", 14, true)));
    ProductName->setAlignment(Qt::AlignCenter);
    ProductName->setGeometry(72 - 4, 66 - 2, 205, 24);
    lblVersion = new QLabel(Panel1);
    lblVersion->setObjectName("lblVersion");
    lblVersion->setAlignment(Qt::AlignCenter);
    lblVersion->setGeometry(91 - 4, 92 - 2, 127, 13);
    lblVersion->setAccessibleDescription("Version");
    Label3 = linkLabel(Panel1, "Label3", kAboutMailAddress, {103 - 4, 157 - 2, 113, 13});
    Label2 = linkLabel(Panel1, "Label2", kAboutWebAddress, {92 - 4, 176 - 2, 134, 13});
    Label3->setAccessibleDescription(QString::fromUtf8("E-Mail-Adresse, öffnet das E-Mail-Programm"));
    Label2->setAccessibleDescription(QString::fromUtf8("Internetadresse, öffnet den Browser"));
    Label3->installEventFilter(this);
    Label2->installEventFilter(this);

    Button1 = new QPushButton("OK", this);
    Button1->setObjectName("Button1");
    Button1->setGeometry(200, 217, 108, 25);
    connect(Button1, &QPushButton::clicked, this, [this] { Button1Click(); });
    FormCreate();
}

void TAboutBox::FormCreate()
{
    lblVersion->setText("1.8.7 - 27.04.2015");
}

void TAboutBox::showEvent(QShowEvent* event)
{
    if (QScreen* screen = QGuiApplication::primaryScreen())
        move(screen->geometry().center() - rect().center());
    QDialog::showEvent(event);
}

bool TAboutBox::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() == QEvent::MouseButtonRelease) {
        if (watched == Label3)
            Label3Click();
        else if (watched == Label2)
            Label2Click();
    }
    return QDialog::eventFilter(watched, event);
}

void TAboutBox::Label3Click()
{
    followLink("Fehler beim Starten der E-Mail-Anwendung.",
               [this] { platform::shell().open("MAILTO:" + Label3->text().toStdString()); });
}

void TAboutBox::Label2Click()
{
    followLink("Fehler beim Starten des Internet-Browsers.",
               [this] { platform::shell().open(Label2->text().toStdString()); });
}

void TAboutBox::Button1Click()
{
    close();
}

} // namespace zt::letter
