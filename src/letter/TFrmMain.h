#pragma once
// The main window that holds the letter.

#include <QMainWindow>

namespace zt::letter {

class TFrmMain : public QMainWindow {
    Q_OBJECT
public:
    explicit TFrmMain(QWidget* parent = nullptr);
};

} // namespace zt::letter
