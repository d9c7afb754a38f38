// The signal drawing as a figure for files and the clipboard, drawn anew at any resolution.
#pragma once

#include <QColor>
#include <QFont>
#include <QSize>
#include <QString>

#include "engine/display.h"
#include "qtkit/figure_export.h"

namespace quillon {

/// What the drawing shows, as the window lays it out.
struct SignalFigureInput {
    DisplayPlan plan;            ///< the curves, in user coordinates
    double scaleHeight = 1.0;    ///< the user scale's height (its width is 1000)
    QString max, min;            ///< the texts of LblMax and LblMin
    QSize pictureSize;           ///< the drawing's size in pixels
    QFont font;                  ///< the labels' font
    QColor frame = Qt::darkGray; ///< the drawing's frame
};

/// The figure of the drawing: a column on the left holding the largest sample's text at its top
/// and the smallest's at its bottom, right-aligned as LblMax and LblMin are, and beside it the
/// signal in light grey with its approximation in the segments' colours, on the window's scale.
qtkit::Figure signalFigure(const SignalFigureInput& input);

/// The width of the column of the scale's texts: at least the labels' least width.
int scaleColumnWidth(const SignalFigureInput& input);

/// The pixels between the column of the scale's texts and the drawing.
inline constexpr int kScaleGap = 6;
/// The least width of LblMax and LblMin.
inline constexpr int kScaleLabelWidth = 56;

} // namespace quillon
