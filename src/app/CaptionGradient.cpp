#include "CaptionGradient.h"

namespace markwell {

QImage BuildCaptionGradient(const QColor &first, const QColor &second)
{
    constexpr int width = 255;
    QImage gradient(width, 1, QImage::Format_RGB32);

    float r = float(first.red());
    float g = float(first.green());
    float b = float(first.blue());
    const float dr = float(second.red() - first.red()) / float(width);
    const float dg = float(second.green() - first.green()) / float(width);
    const float db = float(second.blue() - first.blue()) / float(width);

    for (int x = 0; x < width; ++x) {
        gradient.setPixel(x, 0, qRgb(int(r) & 0xFF, int(g) & 0xFF, int(b) & 0xFF));
        r += dr;
        g += dg;
        b += db;
    }
    return gradient;
}

} // namespace markwell
