#pragma once

#include <QString>

#include <functional>

class QWidget;

// Views are made by class name, as the panes are switched by runtime class.
// A subsystem registers its real views here.
using ViewCreator = std::function<QWidget*(QWidget* parent)>;

void RegisterViewClass(const QString& className, ViewCreator creator);
bool IsViewClassRegistered(const QString& className);
// True for a registered name; any other is refused, and the operator told.
bool CheckViewClass(const QString& className);
// Null, after telling the operator, for a name nobody registered.
QWidget* CreateView(const QString& className, QWidget* parent);
