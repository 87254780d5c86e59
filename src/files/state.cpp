#include "files/state.h"

void resetFilesState() {
    ArrFileBuf.clear();
    PrgFileBuf.clear();
    StyFileBuf.clear();
    StyGrpBuf.clear();
    GblFileData.clear();
    BsqFileBuf.clear();
    DBArrImage.clear();
    ArrI30Buf.clear();
    PrgI30Buf.clear();
    ArrI5Buf.clear();
    PcgI5Buf.clear();
    ImpArrI30 = ImpArrI5 = ImpPrgI30 = ImpPcgI5 = ImpStyI30 = false;
    ClipBuf.clear();
    ClipKind = 0;
    ActiveKind = 0;
    StyShowByCut = 0;
}
