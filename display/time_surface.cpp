#include "time_surface.h"

#include <QPainter>

namespace zorvat {

TimeSurface::TimeSurface(QWidget* parent) : QWidget(parent) {
    setAttribute(Qt::WA_OpaquePaintEvent);
}

void TimeSurface::paintEvent(QPaintEvent*) {
    QPainter p(this);
    p.fillRect(rect(), Qt::black);
}

} // namespace zorvat
