#include "PreviewRequest.h"

#include <cmath>

namespace markwell {

QSize previewSize(QSize image, QSize pane)
{
    const auto follow = [](int paneSide, int imageSide, int otherSide) {
        if (imageSide <= 0)
            return 0;
        const long double scale = static_cast<long double>(paneSide) / static_cast<long double>(imageSide);
        return int(std::trunc(scale * static_cast<long double>(otherSide)));
    };
    if (image.width() > image.height())
        return {pane.width(), follow(pane.width(), image.width(), image.height())};
    return {follow(pane.height(), image.height(), image.width()), pane.height()};
}

} // namespace markwell
