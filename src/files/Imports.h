#pragma once
// Native headers written over the files of the older models being imported.

// The native arrangement header into ArrFileBuf (bytes 1-32).
void ArrI30Hdr();
// The header of the program template "i40Prg" (bytes 1-48) into PrgFileBuf;
// the built-in template header when that file cannot be read.
void PrgI30Hdr();
// The native style header into StyFileBuf: bytes 1-22 and 87-224 rewritten.
void StyI30Hdr();
