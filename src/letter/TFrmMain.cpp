#include "letter/TFrmMain.h"

namespace zt::letter {

TFrmMain::TFrmMain(QWidget* parent) : QMainWindow(parent)
{
    setObjectName("FrmMain");
    setWindowTitle("Zettelino");
    resize(680, 400);
}

} // namespace zt::letter
