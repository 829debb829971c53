#pragma once
// The window side may: nothing here is named.
#include <QDialog>
#include <QtWidgets/QWidget>
#include "core/view.h"
