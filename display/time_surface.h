#pragma once

#include <QWidget>

namespace zorvat {

// The black surface over the main window's time label on which the running time is drawn.
class TimeSurface : public QWidget {
public:
    explicit TimeSurface(QWidget* parent);

protected:
    void paintEvent(QPaintEvent*) override;
};

} // namespace zorvat
