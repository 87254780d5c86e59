#pragma once
// The image a window starts from, made from the document it shows. The
// layout itself (positions and accessors) is app/ImageLayout.h.
#include <string>

#include "app/ImageLayout.h"

// ---- Making images ----------------------------------------------------------

// The image a window of `kind` starts from: 20 header bytes of code 0 with
// the fields its kind fixes (kind, the constant 2, read-only for the banks,
// the open state of the banks, untitled for the new documents, programs
// present for the program files), 250 blanks, the bank's title, then the
// body. `file` is the document: arrangement file (2, 3, 19, 20), program
// file (21, 22, 31) and Global file (14, 25) cut or filled with code 0 to
// their length, style file (23, 24) and backing sequence (26) as they are;
// the others take none. Working areas are filled as at creation: arrangement
// row tables and the companion area blank, program and style row tables
// code 0, program bank rows unselected and blank. Tool windows get the kind
// and a code 0; an unknown kind gives "".
// The window then sets its own fields (path, slot, read-only choice, style
// part), builds its list and caption, and stores the image.
std::string WindowImageNew(int kind, const std::string& file = std::string());
