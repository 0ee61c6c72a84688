#pragma once

#include <QKeySequence>
#include <QString>

class QAction;
class QMenu;
class QMenuBar;

// Menus are built item by item with the names that language files and commands know them by.

/// Adds a named item with its caption and shortcut to a menu.
QAction* AddMenuItem(QMenu* menu, const char* name, const QString& caption, const QKeySequence& shortcut = {});

/// Adds a named top-level menu to a menu bar.
QMenu* AddMainMenu(QMenuBar* bar, const char* name, const QString& caption);
