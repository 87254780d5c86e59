// The arrangement editor's assignments: a program or kit clicked in a list
// window goes to the selected track, a style to the arrangement.
#include <QString>

#include "editors/arrangement/ArrRec.h"
#include "editors/arrangement/ArrState.h"
#include "editors/arrangement/frmEditArr.h"
#include "platform/Text.h"
#include "platform/bytes.h"

bool frmEditArr::EditArrPrgAssign(int n, const std::string& image) {
    int i = -1;
    for (int j = 2; j < 19 && i < 0; j += 2)
        if (EditArrSelFlags[static_cast<std::size_t>(j)] == 1) i = j;
    if (i < 0) return false;
    const std::optional<ArrPrgAssignment> a = ArrPrgAssignOf(image, n);
    if (!a) return false;
    const int t = (i - 2) / 2;
    put(ArrRec, ArrRecTrack(t), static_cast<unsigned>(a->program));
    put(ArrRec, ArrRecTrack(t) + 1, static_cast<unsigned>(a->bankKind));
    putField(ArrRec, ArrRecPrgName(t), ArrRecTextLen, a->name);
    Text1[static_cast<std::size_t>(i)]->setText(fromQt(QString::fromLatin1(a->name.data(), static_cast<qsizetype>(a->name.size()))));
    Text1[static_cast<std::size_t>(i + 1)]->setText(a->bank);
    ArrModified = true;
    return true;
}

void frmEditArr::EditArrStyAssign(int row, const std::string& image) {
    const std::optional<ArrStyAssignment> a = ArrStyAssignOf(image, row);
    if (!a) return;
    put(ArrRec, ArrRecStyle, static_cast<unsigned>(a->style));
    put(ArrRec, ArrRecStyleKind, static_cast<unsigned>(a->kind));
    Text1[1]->setText(a->text);
    StyleLabel->setCaption(a->label);
    ArrModified = true;
}
