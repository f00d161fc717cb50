#pragma once
// A month calendar to look at, beside the letter.

#include <QWidget>

class QCalendarWidget;

namespace zt::letter {

class TFrmKalender : public QWidget {
    Q_OBJECT
public:
    explicit TFrmKalender(QWidget* mainWindow = nullptr);

    // Sets the calendar to the date of the program's start.
    void FormCreate();
    // Shows the window beside the main window, or brings it to the front.
    void ShowBeside();

    QCalendarWidget* MonthCalendar1 = nullptr;

private:
    QWidget* mainWindow_;
    bool placed_ = false;
};

} // namespace zt::letter
