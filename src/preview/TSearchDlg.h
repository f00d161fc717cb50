#pragma once
// The text search dialog of the preview.

#include <QDialog>

class QCheckBox;
class QKeyEvent;
class QLabel;
class QLineEdit;
class QPushButton;

namespace zt::preview {

class TSearchDlg : public QDialog {
    Q_OBJECT
public:
    explicit TSearchDlg(QWidget* parent = nullptr);
    QLabel* Label1 = nullptr;
    QLineEdit* SearchEdit = nullptr;
    QCheckBox* MatchCase = nullptr;
    QPushButton* SearchButton = nullptr;
    QPushButton* CancelButton = nullptr;

protected:
    // Flat buttons: neither Enter nor Escape answers the dialog, only a
    // button pressed (by mouse, or by Space with the focus on it).
    void keyPressEvent(QKeyEvent* event) override;
};

} // namespace zt::preview
