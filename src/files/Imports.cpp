#include "files/Imports.h"

#include "app/state.h"
#include "files/FileFormats.h"
#include "files/state.h"
#include "platform/Files.h"
#include "platform/bytes.h"

void ArrI30Hdr() {
    if (static_cast<long>(ArrFileBuf.size()) < ArrHdrLen) ArrFileBuf.resize(ArrHdrLen, '\0');
    putMid(ArrFileBuf, 1, ArrNativeHeader());
}

void PrgI30Hdr() {
    std::string tmpl;
    std::string hdr = PrgNativeHeader();
    if (!PrgBankFile.empty() && ReadWholeFile(PrgBankFile, tmpl) == FileError::None && PrgFileType(tmpl) != 0)
        hdr = tmpl.substr(0, PrgHdrLen);
    if (static_cast<long>(PrgFileBuf.size()) < PrgHdrLen) PrgFileBuf.resize(PrgHdrLen, '\0');
    putMid(PrgFileBuf, 1, hdr);
}

void StyI30Hdr() { StyHeaderRewrite(StyFileBuf); }
