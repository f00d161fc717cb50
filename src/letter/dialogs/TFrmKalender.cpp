#include "letter/dialogs/TFrmKalender.h"

#include "letter/window/Images.h"

#include <QCalendarWidget>
#include <QLocale>
#include <QDate>
#include <utility>

namespace zt::letter {

TFrmKalender::TFrmKalender(QWidget* mainWindow) : QWidget(mainWindow, Qt::Tool), mainWindow_(mainWindow)
{
    setObjectName("FrmKalender");
    setWindowTitle("Kalender");
    setWindowIcon(programWindowIcon());
    setFixedSize(190, 153);
    MonthCalendar1 = new QCalendarWidget(this);
    MonthCalendar1->setObjectName("MonthCalendar1");
    MonthCalendar1->setGeometry(0, 0, 190, 153);
    MonthCalendar1->setVerticalHeaderFormat(QCalendarWidget::NoVerticalHeader);
    // German month and day names (and Monday first) whatever the session's
    // locale: a C or English session showed "December" and "Tue".
    MonthCalendar1->setLocale(QLocale(QLocale::German, QLocale::Germany));
    MonthCalendar1->setFirstDayOfWeek(Qt::Monday);
    MonthCalendar1->setAccessibleName("Kalender");
    // The calendar's own parts that show only a picture or a grid.
    const std::pair<const char*, const char*> parts[] = {{"qt_calendar_prevmonth", "Vorheriger Monat"},
                                                         {"qt_calendar_nextmonth", "Nächster Monat"},
                                                         {"qt_calendar_calendarview", "Tage des Monats"}};
    for (const auto& [part, name] : parts)
        if (auto* w = MonthCalendar1->findChild<QWidget*>(part))
            w->setAccessibleName(QString::fromUtf8(name));
    FormCreate();
}

void TFrmKalender::FormCreate()
{
    MonthCalendar1->setSelectedDate(QDate::currentDate());
}

void TFrmKalender::ShowBeside()
{
    if (!placed_ && mainWindow_) {
        move(mainWindow_->frameGeometry().center() - rect().center());
        placed_ = true;
    }
    show();
    raise();
    activateWindow();
}

} // namespace zt::letter
