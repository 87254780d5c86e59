#pragma once
// The Tab order of a window as its controls are laid out.
//
// Controls are placed by position in code, so the order Qt gives them by
// default is the order they were made in, which is not the order the user
// sees. Here the stops follow the layout: side by side in a container,
// controls go top to bottom and left to right; where a clear gutter divides
// them into columns, each column is run down before the next; a frame or
// any other container is run through whole before the controls after it.
// A tab control gives its strip, then each page's controls in page order
// (Qt skips the hidden pages, so only the page in view takes part).
//
// Tab runs round the chain, and a window with no control focused yet takes
// its first Tab at the chain's start. A window laid out from a tab control
// starts at the first control of the page rather than on the strip: the
// strip goes to the end of the chain, which keeps the cycle as laid out
// (from the strip, Tab goes on to the page below it).
class QWidget;

// Sets the Tab order of the controls under `root`. Call it once the
// controls stand where they will stay.
void OrderTabsByLayout(QWidget* root);
