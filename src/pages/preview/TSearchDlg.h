#pragma once
// The text search dialog of the preview.

#include <QDialog>

class QCheckBox;
class QLabel;
class QLineEdit;
class QPushButton;

namespace zt::pages {

class TSearchDlg : public QDialog {
    Q_OBJECT
public:
    explicit TSearchDlg(QWidget* parent = nullptr);
    QLabel* Label1 = nullptr;
    QLineEdit* SearchEdit = nullptr;
    QCheckBox* MatchCase = nullptr;
    QPushButton* SearchButton = nullptr;
    QPushButton* CancelButton = nullptr;
};

} // namespace zt::pages
