#pragma once
// The phrase list editor: edits the phrase file behind the picker.

#include <QDialog>
#include <string>
#include <vector>

class QComboBox;
class QPushButton;
class QToolButton;

namespace zt::letter {

class TMemo;

class TfrmTextbausteine : public QDialog {
    Q_OBJECT
public:
    explicit TfrmTextbausteine(QWidget* parent = nullptr);

    // Loads the phrase file into Memo1; when it cannot be read (none yet),
    // the phrases the picker holds, so OK never writes them away.
    void FormShow();
    void SpeedButton1Click();

    TMemo* Memo1 = nullptr;
    QToolButton* SpeedButton1 = nullptr;
    QComboBox* ComboBox1 = nullptr;
    QPushButton* Button1 = nullptr;
    QPushButton* Button2 = nullptr;
    // What the picker holds, set by the main window before showing.
    std::vector<std::string> PickerPhrases;

protected:
    void showEvent(QShowEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;
};

// The sort order of the hidden sorted list: letter case ignored, equal lines
// all kept in their order, empty lines first.
std::vector<std::string> sortPhrases(std::vector<std::string> lines);

} // namespace zt::letter
