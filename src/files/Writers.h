#pragma once
// Saving documents from their window images.
#include <string>

#include "app/ImageLayout.h"   // ImgPrgOnDisk: saving deletes the twin with
                                 // the other extension only when it is this file

class DocumentT;

// Every writer writes a document's file under its name on disk: "SONG.ARR"
// stays "SONG.ARR" (an extension differing only in case is the same file).
// A file part that is not a whole file of its kind (its exact length; a valid
// style file for a style part) is refused with message "Data format error"
// before anything is written, so the file on disk stays as it was.

// Writes the document of the image to the path it holds, by window kind:
// 19, 20 arrangement file and companion style file (ArrSave); 21, 22, 31
// program file; 23, 24 style file; 25 Global file (also left in GblFileData).
// Clears the changed marks. 0 saved; above 0 not saved (2: a write error,
// already reported; 1: nothing to save to).
int FileSave(std::string& image, bool dropStyleFile = false);
// Save dialog, then writes as FileSave does to the chosen file, its
// extension spelled as typed (kinds 2 and 3 as arrangement files, 14 as a
// Global file). An import's window is offered its source's folder and no
// name. A file, or a companion style file, that a window other than `self`
// holds is refused ("File already open"); any file written that the user
// did not name (the companion style file, a program file whose extension
// follows its contents rather than the name typed) goes through
// MayWriteUnnamed: asked before replacing one the window never read or wrote. On success stores the new path at
// 21 and clears the marks 4, 7, 10, 11 and 18. 0 written, 1 cancelled, 2 a
// write error or a refusal reported.
// The dialog offers `offer` (without extension) in place of the image's path
// when it is given. The caller renews the caption and the recent files.
int FileSaveAs(std::string& image, const DocumentT* self = nullptr, const std::string& offer = {});
// Writes image 271-10798 as the ".arr" file of the image's path and clears
// char 4; then by char 9: 1 with `dropStyleFile` (the window held the style
// file of that name and no longer uses it, and no other window holds it)
// deletes that style file unless it is damaged (it is then left to the
// user), 2 writes the style part as that style file when char 10 is set and
// clears char 10. 0 saved, 2 write error.
int ArrSave(std::string& image, bool dropStyleFile);
// After a program bank send: the image's file becomes the instrument's user
// program bank (slot 9 path and type, PrgUFile, mnuPrgU).
void PrgFileLink(const std::string& image);
