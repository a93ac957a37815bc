#include "support/Press.h"

#include <QAction>
#include <QListWidget>
#include <QMenu>
#include <QTest>
#include <QWidget>
#include <gtest/gtest.h>

namespace testsupport {

namespace {

// Fails the test at the caller's line unless a person could use the item.
bool usable(bool visible, bool enabled, const QString& what, const std::source_location& where) {
    if (!visible)
        ADD_FAILURE_AT(where.file_name(), int(where.line())) << what.toStdString() << " is hidden";
    else if (!enabled)
        ADD_FAILURE_AT(where.file_name(), int(where.line())) << what.toStdString() << " is disabled";
    return visible && enabled;
}

QString nameOf(const QWidget* w) { return QString::fromLatin1(w->metaObject()->className()) + u' ' + w->objectName(); }

}  // namespace

void click(QWidget* control, std::source_location where) {
    if (!control) {
        ADD_FAILURE_AT(where.file_name(), int(where.line())) << "no control";
        return;
    }
    usable(control->isVisibleTo(control->window()), control->isEnabled(), nameOf(control), where);
    QTest::mouseClick(control, Qt::LeftButton);
}

void doubleClick(QListWidget* list, std::source_location where) {
    if (!list || !list->currentItem()) {
        ADD_FAILURE_AT(where.file_name(), int(where.line())) << "no row to double-click";
        return;
    }
    usable(list->isVisibleTo(list->window()), list->isEnabled(), nameOf(list), where);
    const QPoint row = list->visualItemRect(list->currentItem()).center();
    // The view takes a double click on the row the press before it went to.
    QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, row);
    QTest::mouseDClick(list->viewport(), Qt::LeftButton, {}, row);
}

void choose(QAction* item, std::source_location where) {
    if (!item) {
        ADD_FAILURE_AT(where.file_name(), int(where.line())) << "no item";
        return;
    }
    usable(item->isVisible(), item->isEnabled(), item->text(), where);
    item->trigger();
}

void pullDown(QMenu* menu, std::source_location where) {
    if (!menu) {
        ADD_FAILURE_AT(where.file_name(), int(where.line())) << "no menu";
        return;
    }
    usable(menu->menuAction()->isVisible(), menu->menuAction()->isEnabled(), menu->title(), where);
    menu->popup(QPoint(0, 0));
    menu->hide();
}

}  // namespace testsupport
