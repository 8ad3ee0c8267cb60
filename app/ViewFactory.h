#pragma once

#include <QString>

#include <functional>

class QWidget;

// Views are made by class name, as the panes are switched by runtime class.
// A subsystem registers its real views here; a name nobody registered gets a
// placeholder that says the area is not available yet.
using ViewCreator = std::function<QWidget*(QWidget* parent)>;

void RegisterViewClass(const QString& className, ViewCreator creator);
bool IsViewClassRegistered(const QString& className);
QWidget* CreateView(const QString& className, QWidget* parent);
