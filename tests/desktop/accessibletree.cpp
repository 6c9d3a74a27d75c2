#include "accessibletree.h"

#include <QWidget>

namespace {

QAccessibleInterface *findBelow(QAccessibleInterface *node, const QString &name)
{
    if (node->text(QAccessible::Name) == name) {
        return node;
    }
    for (int i = 0; i < node->childCount(); ++i) {
        if (QAccessibleInterface *child = node->child(i)) {
            if (QAccessibleInterface *found = findBelow(child, name)) {
                return found;
            }
        }
    }
    return nullptr;
}

} // namespace

QAccessibleInterface *findAccessible(QWidget *window, const QString &name)
{
    return findBelow(QAccessible::queryAccessibleInterface(window), name);
}
