#pragma once

#include <QImage>
#include <QPoint>

#include <gtest/gtest.h>

#include <cstdlib>

// Whether the drawn image holds the picture one device pixel to one picture pixel, with
// the picture's top-left corner at the given device pixel, each channel within the
// tolerance (every fifth row is compared).
inline ::testing::AssertionResult DrawnOneToOne(const QImage& drawn, const QImage& picture, QPoint at,
                                                int tolerance = 0)
{
    const auto near = [tolerance](QRgb a, QRgb b) {
        return std::abs(qRed(a) - qRed(b)) <= tolerance && std::abs(qGreen(a) - qGreen(b)) <= tolerance &&
               std::abs(qBlue(a) - qBlue(b)) <= tolerance;
    };
    for (int y = 0; y < picture.height(); y += 5) {
        for (int x = 0; x < picture.width(); ++x) {
            if (!near(drawn.pixel(at.x() + x, at.y() + y), picture.pixel(x, y)))
                return ::testing::AssertionFailure() << "differs at picture pixel " << x << ", " << y;
        }
    }
    return ::testing::AssertionSuccess();
}
