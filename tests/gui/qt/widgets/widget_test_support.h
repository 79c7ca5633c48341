// Helpers for widget tests: the one application object, shown widgets and saved pictures.
#pragma once

#include <QColor>
#include <QImage>
#include <QString>
#include <QWidget>

namespace zendrift::testing {

// Creates the application on the offscreen platform the first time it is called.
void ensureApplication();

// Shows `widget` and waits until it is exposed and, if `activate`, active.
void showAndWait(QWidget& widget, bool activate = true);

// The widget as it is drawn now.
QImage grabImage(QWidget& widget);

// Saves the picture as <test scratch area>/widgets/<name>.png (and a 4x copy of small ones)
// for a person to look at.
void saveArtefact(const QImage& image, const QString& name);

// "#RRGGBB" of a pixel, for readable failures.
QString pixelName(const QImage& image, int x, int y);

// A small bitmap font without smoothing, so that text pixels have exact colours.
QFont crispFont();

}  // namespace zendrift::testing
