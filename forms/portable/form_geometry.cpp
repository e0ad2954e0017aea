#include "forms/portable/form_geometry.h"

#include <cstring>

int CentredOrigin(int parentOrigin, int parentExtent, int extent)
{
    unsigned half = static_cast<unsigned>(parentExtent) / 2 - static_cast<unsigned>(extent) / 2;
    return static_cast<int>(half + static_cast<unsigned>(parentOrigin));
}

void StatusBarEdges(const int* widths, int count, int* edges)
{
    int edge = 0;
    for (int i = 0; i < count; ++i) {
        edge = widths[i] == -1 ? -1 : edge + widths[i];
        edges[i] = edge;
    }
}

int ComboFitHeight(int visibleItems, int lineHeight, int windowHeight)
{
    return visibleItems * lineHeight + windowHeight + 4;
}

Box AutoSizedLabel(const Box& old, int textWidth, int textHeight, int borderX, int borderY,
                   int alignment)
{
    Box box = {old.left, old.top, textWidth + borderX, textHeight + borderY};
    if (alignment == 2) {
        box.left = old.left + old.width - box.width;
        box.top = old.top + old.height - box.height;
    } else if (alignment == 1) {
        box.left = old.left + old.width / 2 - textWidth / 2 - borderX;
        box.top = old.top + old.height / 2 - textHeight / 2 - borderY;
    }
    return box;
}

std::size_t WindowMapCapacityFor(std::size_t count, std::size_t capacity)
{
    if (count + 2 < capacity)
        return capacity;
    return (count + 2) * 2;
}

bool ToolbarHasTexts(const char* const* texts, int count)
{
    for (int i = 0; i < count; ++i) {
        const char* text = texts[i];
        if ((text[0] != '\0' && text[0] != ' ') || std::strlen(text) > 1)
            return true;
    }
    return false;
}

int CentredImageOffset(int windowExtent, int imageExtent)
{
    auto difference = static_cast<short>(windowExtent - imageExtent);
    // An arithmetic shift: odd negative differences round down.
    return difference >> 1;
}

ButtonPictureLayout PlaceButtonPicture(int position, int width, int height, int textWidth, int textHeight,
                                       int imageWidth, int imageHeight, int letterWidth)
{
    ButtonPictureLayout layout = {0, 0, 0, 0, true, true};
    switch (position) {
    case 1:
        layout.pictureX = width / 2 - imageWidth / 2;
        layout.pictureY = (height + textHeight) / 2 - imageHeight / 2;
        layout.textTop = textHeight / 4;
        layout.keepVerticalCentre = false;
        break;
    case 2:
        layout.pictureX = (width - textWidth) / 2 - imageWidth / 2;
        layout.pictureY = height / 2 - imageHeight / 2;
        layout.textLeft = width - textWidth - letterWidth;
        layout.keepHorizontalCentre = false;
        break;
    case 3:
        layout.pictureX = (width + textWidth) / 2 - imageWidth / 2;
        layout.pictureY = height / 2 - imageHeight / 2;
        layout.textLeft = letterWidth;
        layout.keepHorizontalCentre = false;
        break;
    default:
        layout.pictureX = width / 2 - imageWidth / 2;
        layout.pictureY = (height - textHeight) / 2 - imageHeight / 2;
        layout.textTop = height - textHeight - textHeight / 2;
        layout.keepVerticalCentre = false;
        break;
    }
    return layout;
}
