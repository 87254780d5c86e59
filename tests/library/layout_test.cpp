// What a user sees of each document window at its standard size, on screens
// of 15 and 12 twips per pixel: every row of a list whole inside it (a
// four-column list holding 16 rows a column), names of 16 characters whole,
// and every button and label inside the window and wide enough for its
// caption.
#include <QLabel>
#include <QPushButton>
#include <QMdiSubWindow>
#include <QStyle>

#include "files/FileFormats.h"
#include "library/frmArrAB.h"
#include "library/frmArrNew.h"
#include "library/frmBsq.h"
#include "library/frmStyAB.h"
#include "library/frmStyUN.h"
#include "librarytest.h"

namespace {

// Names as wide as the instrument's own get: capitals, mixed case, digits.
const char* const Names[] = {"ORCHESTRA STRING", "Percussive Organ", "Honky-tonk Piano", "BIG BAND SWING 2",
                             "Bright Ac. Piano", "SLOW ROCK BALLAD", "Electric Piano 2", "DANCE GROOVE MIX"};
std::string nameOf(int i) { return Names[i % 8]; }

QString shown(const std::string& caption) { return QString::fromLatin1(caption.c_str()).remove(QLatin1Char('&')); }

using Param = std::tuple<std::string, int>;

class LayoutTest : public LibraryTest, public ::testing::WithParamInterface<Param> {
protected:
    void SetUp() override {
        LibraryTest::SetUp();
        const int twips = std::get<1>(GetParam());
        OverrideTwipsPerPixel(twips, twips);
        std::vector<ArrEntry> arrs;
        for (int i = 0; i < 64; ++i) arrs.push_back({i, nameOf(i), 0, i % 2});
        const std::string arr = arrFileOf(arrs);
        writeSong("Song", arr, styFileOf({Names, Names + 8}));
        // The banks: the same names in the bank file's places.
        for (int b : {0, 1}) {
            std::string bank = ArrBankImage(b);
            bank.replace(ArrHdrLen, 64 * ArrBlkLen, arr.substr(ArrHdrLen, 64 * ArrBlkLen));
            writeFileBytes(startFile(b ? "i40ArrB" : "i40ArrA"), bank);
        }
        std::string bsq = BsqMagicBytes() + std::string(2400 - BsqMagicBytes().size(), '\0');
        for (int k = 0; k < 10; ++k) putField(bsq, 17 + 198L * k, 10, "Sequence " + std::to_string(k));
        writeFileBytes(song("Song.bsq"), bsq);
        start();
        for (int i = 0; i < 128; ++i) StyRomNames[static_cast<std::size_t>(i)] = nameOf(i);
    }

    // The window, opened as a user opens it.
    DocWindow* open(const std::string& which) {
        if (which == "ArrU") return openArr("Song");
        if (which == "ArrUser") {
            EXPECT_EQ(ArrFileRead(song("Song.arr")), 0);
            ArrSlots[9] = {};
            ArrSlots[9].Path = song("Song");
            ArrSlotCur = 9;
            auto* w = new frmArrU(frame);
            w->Show();
            return w;
        }
        if (which == "ArrNew") {
            RunMenuCommand(MenuId::mnuNuovoArr);
            return ArrNewForms()[1].data();
        }
        if (which == "ArrA" || which == "ArrB") {
            RunMenuCommand(which == "ArrA" ? MenuId::mnuArrA : MenuId::mnuArrB);
            return ArrABForm(which == "ArrA" ? 2 : 3).data();
        }
        if (which == "StyA" || which == "StyB") {
            RunMenuCommand(which == "StyA" ? MenuId::mnuStyA : MenuId::mnuStyB);
            return StyABForm(which == "StyA" ? 17 : 18).data();
        }
        if (which == "StyU") {
            dialogs.chooseFile(song("Song.sty"));
            RunMenuCommand(MenuId::mnuApriSty);
            return StyUNForms()[1].data();
        }
        if (which == "StyNew") {
            RunMenuCommand(MenuId::mnuNuovoSty);
            return StyNewForms()[1].data();
        }
        dialogs.chooseFile(song("Song.bsq"));
        RunMenuCommand(MenuId::mnuApriBSQ);
        return BsqForms()[1].data();
    }
};

TEST_P(LayoutTest, AtItsStandardSizeEveryRowAndButtonShowsWhole) {
    DocWindow* w = open(std::get<0>(GetParam()));
    ASSERT_NE(w, nullptr);
    ASSERT_TRUE(dialogs.shown.empty()) << boxesShown();
    // At the standard size, its inside all the window's frame holds.
    int height = 0, width = 0;
    StandardSize(w->kind(), height, width);
    EXPECT_EQ(std::pair(w->Width(), w->Height()), std::pair(pxToTwipsX(twipsToPxX(width)), pxToTwipsY(twipsToPxY(height))));
    EXPECT_EQ(w->subWindow()->contentsRect().size(), w->size());
    const QRect inside = w->rect();
    const QStyle* style = w->style();

    // Buttons and labels: inside the window, their captions whole.
    const int buttonMargin = style->pixelMetric(QStyle::PM_ButtonMargin);
    int captions = 0;
    for (auto* b : w->findChildren<CommandButton*>()) {
        if (!b->isVisibleTo(w)) continue;
        SCOPED_TRACE(b->objectName().toStdString());
        EXPECT_FALSE(b->Caption().empty());
        EXPECT_TRUE(inside.contains(b->geometry())) << b->x() << "," << b->y() << " " << b->width();
        EXPECT_GE(b->width(), b->fontMetrics().horizontalAdvance(shown(b->Caption())) + buttonMargin);
        ++captions;
    }
    EXPECT_GE(captions, 3);
    for (auto* l : w->findChildren<Label*>()) {
        if (!l->isVisibleTo(w) || l->Caption().empty()) continue;
        SCOPED_TRACE(l->objectName().toStdString());
        EXPECT_TRUE(inside.contains(l->geometry()));
        EXPECT_GE(l->width(), l->fontMetrics().horizontalAdvance(shown(l->Caption())));
    }

    // The list: each row whole inside it; four columns of 16 rows where it
    // has columns.
    auto* list = w->findChild<ListBox*>(QStringLiteral("List1"));
    ASSERT_NE(list, nullptr);
    EXPECT_TRUE(inside.contains(list->geometry()));
    const int textMargin = 2 * (style->pixelMetric(QStyle::PM_FocusFrameHMargin, nullptr, list) + 1);
    const QRect view = list->viewport()->rect();
    const int rows = list->Columns() == 4 ? 16 : list->ListCount();
    ASSERT_GT(list->ListCount(), 1);
    const int step = list->visualItemRect(list->item(1)).y() - list->visualItemRect(list->item(0)).y();
    for (int i = 0; i < list->ListCount(); ++i) {
        SCOPED_TRACE(list->List(i));
        const QRect r = list->visualItemRect(list->item(i));
        EXPECT_TRUE(view.contains(r)) << r.x() << "," << r.y() << " " << r.width() << "x" << r.height();
        EXPECT_GE(r.width(), list->fontMetrics().horizontalAdvance(list->item(i)->text()) + textMargin);
        // The first row of its column, and the column's place.
        const QRect first = list->visualItemRect(list->item(i / rows * rows));
        EXPECT_EQ(r.x(), first.x());
        EXPECT_EQ(r.y() - first.y(), i % rows * step);
    }
    if (list->Columns() == 4) {
        ASSERT_EQ(list->ListCount(), 64);
        const int last = list->visualItemRect(list->item(48)).x();
        EXPECT_EQ(last, 3 * list->visualItemRect(list->item(16)).x());
    }
}

INSTANTIATE_TEST_SUITE_P(Windows, LayoutTest,
                         ::testing::Combine(::testing::Values("ArrU", "ArrUser", "ArrNew", "ArrA", "ArrB", "StyA",
                                                              "StyB", "StyU", "StyNew", "Bsq"),
                                            ::testing::Values(15, 12)),
                         [](const auto& info) {
                             return std::get<0>(info.param) + "_" + std::to_string(std::get<1>(info.param));
                         });

}  // namespace
