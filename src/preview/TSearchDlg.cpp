#include "preview/TSearchDlg.h"

#include <QCheckBox>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

namespace zt::preview {

TSearchDlg::TSearchDlg(QWidget* parent) : QDialog(parent)
{
    setWindowTitle("Suche nach Text");
    // No border icons: only the title.
    setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint);
    setFixedSize(305, 118);
    Label1 = new QLabel("Suchtext", this);
    Label1->setGeometry(8, 8, 100, 16);
    SearchEdit = new QLineEdit(this);
    SearchEdit->setGeometry(8, 26, 289, 22);
    SearchEdit->setAccessibleName("Suchtext");
    Label1->setBuddy(SearchEdit);
    MatchCase = new QCheckBox(QString::fromUtf8("Übereinstimmender Text"), this);
    MatchCase->setGeometry(8, 54, 289, 18);
    SearchButton = new QPushButton("Suchen", this);
    SearchButton->setGeometry(136, 84, 75, 25);
    SearchButton->setFlat(true);
    SearchButton->setAutoDefault(false);
    CancelButton = new QPushButton("Abbrechen", this);
    CancelButton->setGeometry(222, 84, 75, 25);
    CancelButton->setFlat(true);
    CancelButton->setAutoDefault(false);
    connect(SearchButton, &QPushButton::clicked, this, &QDialog::accept);
    connect(CancelButton, &QPushButton::clicked, this, &QDialog::reject);
}

void TSearchDlg::keyPressEvent(QKeyEvent* event)
{
    switch (event->key()) {
    case Qt::Key_Escape:
    case Qt::Key_Return:
    case Qt::Key_Enter:
        event->accept();
        return;
    default:
        QDialog::keyPressEvent(event);
    }
}

} // namespace zt::preview
