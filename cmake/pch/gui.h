// The Core set and the Qt Gui headers the report engine and the windows include most.
#include "core.h"

#include <QColor>
#include <QFont>
#include <QGuiApplication>
#include <QImage>
#include <QKeyEvent>
#include <QPainter>
#include <QScreen>
