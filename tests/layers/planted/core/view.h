#pragma once
// Planted: the data side may not reach Qt Widgets or Print Support, spelt either way.
#include <QString>
#include <QtWidgets/QWidget>
#include <QDialog>
#include <QtPrintSupport/QPrinter>
