#pragma once

#include <QAbstractButton>
#include <QDialog>
#include <QGroupBox>
#include <QLabel>
#include <QString>
#include <QStringList>
#include <QTest>
#include <QWidget>

namespace quillet::testing {

// Names of the visible captioned widgets that got less room than their text needs.
inline QStringList ClippedWidgets(const QWidget& dialog) {
    QStringList clipped;
    for (const QWidget* widget : dialog.findChildren<QWidget*>()) {
        const bool captioned = qobject_cast<const QAbstractButton*>(widget) != nullptr ||
                               qobject_cast<const QGroupBox*>(widget) != nullptr ||
                               qobject_cast<const QLabel*>(widget) != nullptr;
        if (!captioned || !widget->isVisible()) {
            continue;
        }
        const QSize need = widget->minimumSizeHint();
        if (widget->width() < need.width() || widget->height() < need.height()) {
            clipped << widget->objectName();
        }
    }
    return clipped;
}

// "a/b" for each two visible child widgets of `parent` that cover each other.
inline QStringList OverlappingWidgets(const QWidget& parent) {
    QStringList overlaps;
    const QList<QWidget*> children = parent.findChildren<QWidget*>(Qt::FindDirectChildrenOnly);
    for (qsizetype i = 0; i < children.size(); ++i) {
        for (qsizetype j = i + 1; j < children.size(); ++j) {
            const QWidget* a = children[i];
            const QWidget* b = children[j];
            if (a->isVisible() && b->isVisible() && a->geometry().intersects(b->geometry())) {
                overlaps << a->objectName() + "/" + b->objectName();
            }
        }
    }
    return overlaps;
}

// `from` and the widgets that Tab reaches after it, by object name.
inline QStringList FocusChain(QWidget* from, int count) {
    QStringList names;
    QWidget* widget = from;
    while (names.size() < count) {
        if ((widget->focusPolicy() & Qt::TabFocus) != 0) {
            names << widget->objectName();
        }
        widget = widget->nextInFocusChain();
        if (widget == from) {
            break;
        }
    }
    return names;
}

// Clicks a check box or option on its caption, where a click selects it.
inline void ClickCaption(QAbstractButton* button) {
    QTest::mouseClick(button, Qt::LeftButton, {}, QPoint(4, button->height() / 2));
}

} // namespace quillet::testing
