#pragma once
// The about box: program name, version and two addresses to follow.

#include <QDialog>

class QFrame;
class QLabel;
class QPushButton;

namespace zt::letter {

inline constexpr const char* kAboutMailAddress = "info@zettelino.example";
inline constexpr const char* kAboutWebAddress = "https://zettelino.example/";

class TAboutBox : public QDialog {
    Q_OBJECT
public:
    explicit TAboutBox(QWidget* parent = nullptr);

    void FormCreate();
    void Label3Click();
    void Label2Click();
    void Button1Click();

    QFrame* Panel1 = nullptr;
    QLabel* ProgramIcon = nullptr;
    QLabel* Image1 = nullptr;
    QLabel* ProductName = nullptr;
    QLabel* lblVersion = nullptr;
    QLabel* Label3 = nullptr;
    QLabel* Label2 = nullptr;
    QPushButton* Button1 = nullptr;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void showEvent(QShowEvent* event) override;
};

} // namespace zt::letter
