#include "letter/TFrmKalender.h"

#include "letter/Images.h"

#include <QCalendarWidget>
#include <QDate>

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
    MonthCalendar1->setAccessibleName("Kalender");
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
