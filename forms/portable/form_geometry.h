#pragma once
// Arithmetic of form placement, control sizing and the window map.
#include <cstddef>

// Origin that centres an extent on a parent span (integer halves of
// unsigned values, as the window coordinates wrap).
int CentredOrigin(int parentOrigin, int parentExtent, int extent);

// Right edges of status-bar parts from their widths: a running total, where
// a width of -1 gives an edge of -1 and the total goes on from -1.
void StatusBarEdges(const int* widths, int count, int* edges);

// Height of a combo box window showing `visibleItems` lines of `lineHeight`
// pixels below a selection field whose window is `windowHeight` high.
int ComboFitHeight(int visibleItems, int lineHeight, int windowHeight);

struct Box {
    int left, top, width, height;
};

// A label resized to its text: alignment 0 keeps the top-left corner, 2 the
// bottom-right corner, 1 the centre. Borders are window minus client size.
Box AutoSizedLabel(const Box& old, int textWidth, int textHeight, int borderX, int borderY,
                   int alignment);

// Capacity (in pairs) of the window map after making room for one more pair
// when `count` pairs are in use: the map grows to twice (count + 2) pairs
// when fewer than two free pairs would remain, so that the terminating pair
// always fits; otherwise the capacity is kept.
std::size_t WindowMapCapacityFor(std::size_t count, std::size_t capacity);

// A toolbar shows texts when at least one button text is longer than one
// character or starts with something other than a zero byte or a blank.
bool ToolbarHasTexts(const char* const* texts, int count);

// Offset that centres an image in a window: the difference taken as a
// signed 16-bit value and halved with its sign (negative when the image is
// larger, which crops it equally on both sides).
int CentredImageOffset(int windowExtent, int imageExtent);

// Where an owner-drawn push button puts its picture and text, for the
// picture position 0 above, 1 below, 2 left or 3 right of the text, in a
// W x H button whose caption measures tw x th; letterWidth is the width of
// "H". The text rectangle's top and left start from 0 and move as told.
struct ButtonPictureLayout {
    int pictureX, pictureY;
    int textTop, textLeft;
    bool keepVerticalCentre;    // else the text is placed by textTop
    bool keepHorizontalCentre;  // else the text starts at textLeft
};
ButtonPictureLayout PlaceButtonPicture(int position, int width, int height, int textWidth, int textHeight,
                                       int imageWidth, int imageHeight, int letterWidth);
