#pragma once
// The geometry the document windows share (twips): a list of columns whose
// rows stand at a fixed step, so each column holds exactly its rows; a row
// or a column of buttons, each wide enough for its caption. The places of a
// window's design are kept where its controls fit there; a control that
// needs more room pushes the ones after it on, the design's gaps kept.
#include <initializer_list>
#include <vector>

class ListBox;
class QWidget;

// A list of `columns` columns of `rows` rows: the step between rows and the
// width of a column from the list's font (a row of a position code, a marker
// and a 16-character name), never below the design's.
struct ListGrid {
    int rowStep = 0;       // twips
    int columnWidth = 0;   // twips
    int width = 0;         // the whole list, frame included
    int height = 0;
};
ListGrid ListGridFor(const ListBox* list, int rows, int columns, int designWidth, int designHeight);
// Moves the list to `left`, `top` at the grid's size and sets its row step.
void PlaceList(ListBox* list, int left, int top, const ListGrid& grid);

// The width a button or label needs for its caption in its font: at least
// `designWidth`.
int CaptionFit(const QWidget* w, int designWidth);

// The inside a window's controls need at their places (twips).
struct Extent {
    int width = 0, height = 0;
};

// One control of a row: its design place and size.
struct Placed {
    QWidget* w;
    int left, top, width, height;
};
// Lays out a row: each control at its design Left, moved right by what the
// controls before it grew to hold their captions. Returns the row's right
// edge.
int PlaceRow(std::initializer_list<Placed> row);
// A column of buttons from `left`, `top`, one every `step`, all as wide as
// the widest caption needs (at least `width`). Returns its right edge.
int PlaceColumn(std::initializer_list<QWidget*> buttons, int left, int top, int step, int width, int height);
