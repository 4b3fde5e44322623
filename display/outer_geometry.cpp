// SPDX-License-Identifier: GPL-3.0-or-later
#include "outer_geometry.h"

#include <QEvent>
#include <QWidget>

namespace zorvat {

namespace {

class FrameCompensator final : public QObject {
public:
    FrameCompensator(QWidget* window, QSize outerSize)
        : QObject(window), window_(window), outer_(outerSize) {}

    bool eventFilter(QObject*, QEvent* e) override {
        const auto t = e->type();
        if (t == QEvent::Show || t == QEvent::Move || t == QEvent::Resize)
            compensate();
        return false;
    }

    void compensate() {
        const QSize frame = window_->frameGeometry().size() - window_->size();
        if (frame.width() <= 0 && frame.height() <= 0)
            return;
        window_->removeEventFilter(this);
        window_->resize(outer_ - frame);
        deleteLater();
    }

private:
    QWidget* window_;
    QSize outer_;
};

} // namespace

void setOuterGeometry(QWidget* window, const QRect& outer) {
    const QString name = QStringLiteral("zorvatFrameCompensator");
    delete window->findChild<QObject*>(name, Qt::FindDirectChildrenOnly);
    window->move(outer.topLeft());
    const QSize frame = window->frameGeometry().size() - window->size();
    window->resize(outer.size() - frame);
    if (frame.width() <= 0 && frame.height() <= 0) {
        auto* c = new FrameCompensator(window, outer.size());
        c->setObjectName(name);
        window->installEventFilter(c);
    }
}

QRect outerGeometry(const QWidget* window) {
    return window->frameGeometry();
}

} // namespace zorvat
