// Qt's print dialog behind the system print dialog: its options from the
// system's flags, and the answers it gives when confirmed or cancelled.

#include "platform/qt/QtPrintDialog.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QPrinter>
#include <QTimer>

using namespace zt::platform::printing;
using namespace zt::platform::qt;

namespace {

void ensureApplication()
{
    static int argc = 1;
    static char name[] = "test";
    static char* argv[] = {name, nullptr};
    if (!QApplication::instance())
        new QApplication(argc, argv);
}

// Runs the dialog, letting `act` answer it once it is open.
std::optional<PrintDialogAnswer> runWith(const PrintDialogRequest& request, std::function<void(QPrintDialog&)> act)
{
    ensureApplication();
    QtPrintDialog::setOpenHook([act](QPrintDialog& d) { QTimer::singleShot(0, &d, [&d, act] { act(d); }); });
    QtPrintDialog dialog;
    auto answer = dialog.Run(request);
    QtPrintDialog::setOpenHook({});
    return answer;
}

PrintDialogRequest request()
{
    PrintDialogRequest r;
    r.printer = "Fake A";
    r.mode.dmFields = DM_ORIENTATION | DM_COPIES | DM_COLLATE;
    r.mode.dmCopies = 2;
    r.mode.dmOrientation = DMORIENT_LANDSCAPE;
    r.flags = PD_ALLPAGES | PD_HIDEPRINTTOFILE | PD_NOSELECTION;
    r.minPage = 1;
    r.maxPage = 5;
    r.fromPage = 1;
    r.toPage = 5;
    return r;
}

} // namespace

TEST(QtPrintDialogOptions, FollowTheSystemsFlags)
{
    const auto o = dialogOptions(PD_HIDEPRINTTOFILE | PD_NOSELECTION);
    EXPECT_FALSE(o.testFlag(QAbstractPrintDialog::PrintToFile));
    EXPECT_FALSE(o.testFlag(QAbstractPrintDialog::PrintSelection));
    EXPECT_TRUE(o.testFlag(QAbstractPrintDialog::PrintPageRange));
    const auto p = dialogOptions(PD_NOPAGENUMS);
    EXPECT_TRUE(p.testFlag(QAbstractPrintDialog::PrintToFile));
    EXPECT_FALSE(p.testFlag(QAbstractPrintDialog::PrintPageRange));
}

TEST(QtPrintDialogRun, CancelledAnswersNothingButTellsShowAndClose)
{
    int shown = 0, closed = 0;
    PrintDialogRequest r = request();
    r.onShow = [&] { ++shown; };
    r.onClose = [&] { ++closed; };
    const auto answer = runWith(r, [](QPrintDialog& d) { d.reject(); });
    EXPECT_FALSE(answer.has_value());
    EXPECT_EQ(shown, 1);
    EXPECT_EQ(closed, 1);
}

TEST(QtPrintDialogRun, ConfirmedAnswersTheRecordAndTheRange)
{
    const auto answer = runWith(request(), [](QPrintDialog& d) { d.accept(); });
    ASSERT_TRUE(answer.has_value());
    // A printer the spooler does not know: the dialog starts on the system's
    // default printer; without any printer the one asked for stays.
    const QString fallback = QPrinter(QPrinter::HighResolution).printerName();
    EXPECT_EQ(answer->printer, fallback.isEmpty() ? std::string("Fake A") : fallback.toStdString());
    EXPECT_EQ(answer->mode.dmCopies, 2);
    EXPECT_EQ(answer->mode.dmOrientation, DMORIENT_LANDSCAPE);
    EXPECT_EQ(answer->copies, 1) << "the count travels in the record";
    EXPECT_EQ(answer->flags & (PD_PAGENUMS | PD_SELECTION), 0u);
    EXPECT_EQ(answer->fromPage, 1);
    EXPECT_EQ(answer->toPage, 5);
}

TEST(QtPrintDialogRun, APageRangeComesBack)
{
    PrintDialogRequest r = request();
    r.flags = PD_PAGENUMS | PD_HIDEPRINTTOFILE;
    r.fromPage = 2;
    r.toPage = 3;
    const auto answer = runWith(r, [](QPrintDialog& d) { d.accept(); });
    ASSERT_TRUE(answer.has_value());
    EXPECT_TRUE(answer->flags & PD_PAGENUMS);
    EXPECT_EQ(answer->fromPage, 2);
    EXPECT_EQ(answer->toPage, 3);
}
