// SPDX-License-Identifier: GPL-3.0-or-later
// The pictures of the four groups: source, how it is displayed, target, how that is displayed.
#include "project/aspect_pictures.h"

namespace ratewise {

AspectView AspectPictures(int sourceAspect, int conversion)
{
    using enum AspectPicture;
    AspectView view;
    if (sourceAspect < 1) {
        view.sourceAspectText = "4:3";
        view.conversionEnabled = false;
        view.conversion = -1;
        view.pictures = {Full, Full, Full, Full};
        return view;
    }
    view.sourceAspectText = "16:9";
    view.conversion = conversion;
    switch (conversion) {
    case 0:
        view.pictures = {Squeezed, Letterboxed, Letterboxed, Letterboxed};
        break;
    case 1:
        view.pictures = {Squeezed, Letterboxed, Full, Full};
        break;
    case 2:
        view.pictures = {Squeezed, Letterboxed, Squeezed, Letterboxed};
        break;
    case 3:
        view.pictures = {Squeezed, Letterboxed, Squeezed, Squeezed};
        break;
    default:
        break;
    }
    return view;
}

} // namespace ratewise
