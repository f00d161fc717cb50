// Paging and zooming in the preview: buttons, the go-to box, keys and the wheel.

#include "preview/TQRStandardPreview.h"

#include "pages/QRPrinter.h"
#include "preview/PreviewThumbs.h"
#include "platform/dialogs/UserDialogs.h"

#include <QAction>
#include <QApplication>
#include <QKeyEvent>
#include <QScrollBar>

namespace zt::preview {

using namespace zt::pages;

// --- navigation ------------------------------------------------------------

void TQRStandardPreview::SelectPage(int n)
{
    QRPreview->SetPageNumber(n);
    WriteStatus();
    const TQRPrinter* p = QRPrinterOf();
    if (p != nullptr && n >= 1 && n <= p->PageCount() && n <= ThumbGrid->RowCount())
        ThumbGrid->SelectRow(n - 1);
}

void TQRStandardPreview::LastPageClick()
{
    const TQRPrinter* p = QRPrinterOf();
    if (p == nullptr)
        return;
    SelectPage(p->Status() == report::TQRPrinterStatus::mpFinished ? p->PageCount() : p->PageCount() - 1);
}

void TQRStandardPreview::GotoPageClick()
{
    const TQRPrinter* p = QRPrinterOf();
    const int count = p != nullptr ? p->PageCount() : 0;
    const std::string shown = std::to_string(QRPreview->PageNumber());
    const auto answer = platform::userDialogs().inputQuery(
        "Auswahl einer Seite von 1 bis " + std::to_string(count), "Eingabe einer Seitennummer", shown);
    const std::string text = answer.value_or(shown);
    int n = 0;
    try {
        std::size_t used = 0;
        n = std::stoi(text, &used);
        if (used != text.size())
            n = 0;
    } catch (const std::exception&) {
        n = 0;
    }
    SelectPage(n <= 0 || n > count ? 1 : n);
}

void TQRStandardPreview::ZoomFitClick()
{
    platform::messageQueue().processMessages();
    QRPreview->ZoomToFit();
    WriteStatus();
}

void TQRStandardPreview::ZoomToWidthClick()
{
    platform::messageQueue().processMessages();
    QRPreview->ZoomToWidth();
    WriteStatus();
}

void TQRStandardPreview::Zoom100Click()
{
    platform::messageQueue().processMessages();
    QRPreview->Zoom100();
    WriteStatus();
}

void TQRStandardPreview::ZoomMenuClick(const std::string& itemName)
{
    try {
        QRPreview->SetZoom(std::stoi(itemName.substr(1)));
    } catch (const std::exception&) {
        return;
    }
    WriteStatus();
}

void TQRStandardPreview::ArrowDown()
{
    QScrollBar* bar = QRPreview->verticalScrollBar();
    const int next = bar->value() + bar->singleStep();
    if (next <= bar->maximum() && bar->maximum() > 0) {
        bar->setValue(next);
        return;
    }
    const int before = QRPreview->PageNumber();
    NextPageClick();
    if (QRPreview->PageNumber() != before)
        bar->setValue(0);
}

void TQRStandardPreview::ArrowUp()
{
    QScrollBar* bar = QRPreview->verticalScrollBar();
    const int next = bar->value() - bar->singleStep();
    if (next > 0) {
        bar->setValue(next);
        return;
    }
    const int before = QRPreview->PageNumber();
    PreviousPageClick();
    if (before == 1)
        bar->setValue(0);
    else if (QRPreview->PageNumber() != before)
        bar->setValue(std::max(0, bar->maximum() - bar->singleStep()));
    else
        bar->setValue(0);
}

bool TQRStandardPreview::PreviewKey(int key, Qt::KeyboardModifiers modifiers, QWidget* focus)
{
    if (key == Qt::Key_F10 && (modifiers & ~Qt::KeypadModifier) == Qt::NoModifier) {
        ToggleToolBarFocus();
        return true;
    }
    if (toolBarKey(key, modifiers, focus))
        return true;
    if (key == Qt::Key_Escape) {
        close();
        return true;
    }
    if (focus != nullptr && (focus == ThumbGrid || ThumbGrid->isAncestorOf(focus)))
        return false;
    const bool ctrl = (modifiers & Qt::ControlModifier) != 0;
    // Page Up goes to the first page with Ctrl alone; Ctrl with Shift or
    // Alt pages back one as the key alone does.
    const bool ctrlAlone = (modifiers & ~Qt::KeypadModifier) == Qt::ControlModifier;
    switch (key) {
    case Qt::Key_PageUp:
        ctrlAlone ? FirstPageClick() : PreviousPageClick();
        return true;
    case Qt::Key_PageDown:
        ctrl ? LastPageClick() : NextPageClick();
        return true;
    case Qt::Key_Home:
        FirstPageClick();
        return true;
    case Qt::Key_End:
        LastPageClick();
        return true;
    case Qt::Key_Down:
        ArrowDown();
        return true;
    case Qt::Key_Up:
        ArrowUp();
        return true;
    default:
        return false;
    }
}

bool TQRStandardPreview::eventFilter(QObject* watched, QEvent* event)
{
    auto* widget = qobject_cast<QWidget*>(watched);
    if (widget == nullptr || widget->window() != this)
        return false;
    if (event->type() == QEvent::KeyPress) {
        auto* key = static_cast<QKeyEvent*>(event);
        // Alt pressed and let go with no other key between goes to the
        // toolbars, as it goes to a menu bar elsewhere.
        if (key->key() == Qt::Key_Alt)
            FAltAlone = (key->modifiers() & ~(Qt::AltModifier | Qt::KeypadModifier)) == Qt::NoModifier;
        else
            FAltAlone = false;
        return PreviewKey(key->key(), key->modifiers(), QApplication::focusWidget());
    }
    if (event->type() == QEvent::KeyRelease && static_cast<QKeyEvent*>(event)->key() == Qt::Key_Alt && FAltAlone) {
        FAltAlone = false;
        ToggleToolBarFocus();
        return true;
    }
    if (event->type() == QEvent::MouseButtonPress || event->type() == QEvent::FocusOut)
        FAltAlone = false;
    if (event->type() == QEvent::Wheel && (widget == QRPreview->viewport() || widget == QRPreview)) {
        // Every turn of the wheel pages like the arrow keys do; a sideways
        // swipe or tilt is no turn and scrolls the page sideways.
        const QPoint delta = static_cast<QWheelEvent*>(event)->angleDelta();
        if (delta.y() == 0 && delta.x() != 0)
            return false;
        delta.y() <= 0 ? ArrowDown() : ArrowUp();
        return true;
    }
    return false;
}

} // namespace zt::preview
