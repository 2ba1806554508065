#include "toolkit/DoEvents.h"

#include <QCoreApplication>

void DoEvents() {
    QCoreApplication::processEvents(QEventLoop::AllEvents);
}
