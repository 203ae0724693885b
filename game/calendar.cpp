// The day counter: a day every 3 seconds of raising-screen time.
#include "game/fom.h"

void Fom::DayTim_Timer() {
    Day = Day % 7 + 1;
    LblDay->setText(QString::number(Day));
    if (Day >= 7) {
        Tim.setEnabled(false);
        DayTim.setEnabled(false);
        GosyoumouIvennt();
    }
}
