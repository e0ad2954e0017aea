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
