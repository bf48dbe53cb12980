// Qt's GUI headers declare X11's "Display" type at global scope, which clashes with the radio
// core's Display namespace. The X11 type is renamed while those headers are read; the tests
// never use it. Include this before any project header.
#pragma once

#define Display X11Display
#include <QApplication>
#include <QTest>
#undef Display
