#include "platform/ui/page_control.h"

#include "platform/ui/event_loops.h"

#include <QShowEvent>

namespace platform::ui {

Page::Page(QWidget* parent) : QWidget(parent) {}

bool Page::event(QEvent* event) {
    return detail::guardedEvent([&] { return QWidget::event(event); });
}

void Page::showEvent(QShowEvent* event) {
    QWidget::showEvent(event);
    if (!event->spontaneous()) emit shown(this);
}

PageControl::PageControl(QWidget* parent) : QStackedWidget(parent) {}

void PageControl::setActivePageIndex(int index) {
    if (index >= 0 && index < count()) setCurrentIndex(index);
}

Page* PageControl::page(int index) const { return qobject_cast<Page*>(widget(index)); }

}  // namespace platform::ui
