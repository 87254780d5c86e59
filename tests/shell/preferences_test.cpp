// The Preferences menu: toggles and their kept values, the language choice,
// MIDI thru, and what the settings at exit carry.
#include <map>

#include "app/Messages.h"
#include "files/state.h"
#include "platform/bytes.h"
#include "shell/MenuAgg.h"
#include "frametest.h"

TEST_F(FrameTest, TogglesAndLanguageAreKeptAndSaved) {
    struct Case {
        MenuId item;
        bool* kept;
        int position;
    } cases[] = {
        {MenuId::mnuRdOnly, &RdOnlyOpt, 17},        {MenuId::mnuCaricaStyNuovoArr, &CaricaStyNuovoArrOpt, 20},
        {MenuId::mnuCaricaSty, &CaricaStyOpt, 21},  {MenuId::mnuCaricaPrg, &CaricaPrgOpt, 23},
        {MenuId::mnuAddi40DBArr, &AutoDBArrOpt, 26}, {MenuId::mnuVisBarraStato, &StatusBarOpt, 27},
        {MenuId::mnuCaricaArr, &CaricaArrOpt, 28},
    };
    frmMain* f = open([] { LangSel = 1, LangBase = 0; });
    f->show();
    for (const Case& c : cases) {
        MenuItem* m = f->item(c.item);
        const bool was = m->Checked();
        for (int clicks = 1; clicks <= 3; ++clicks) {
            m->trigger();
            EXPECT_EQ(std::tuple(m->Checked(), *c.kept), std::tuple(was != (clicks % 2 == 1), was != (clicks % 2 == 1)))
                << c.position;
        }
    }
    EXPECT_EQ(f->Picture1->isVisibleTo(f), f->mnuVisBarraStato->Checked());
    // The language: nothing for the one in force; a change is told in it.
    f->mnuItaliano->trigger();
    EXPECT_TRUE(dialogs.shown.empty());
    dialogs.answer(vbOK), dialogs.answer(vbOK);
    f->mnuInglese->trigger();
    EXPECT_TRUE(f->mnuInglese->Checked() && !f->mnuItaliano->Checked() && LangSel == 2);
    f->mnuItaliano->trigger();
    EXPECT_TRUE(f->mnuItaliano->Checked() && !f->mnuInglese->Checked());
    EXPECT_EQ(boxesShown(), MsgRaw(66) + "|Cambio lingua\n" + MsgRaw(66) + "|Cambio lingua");
    f->mnuExit->trigger();
    ASSERT_FALSE(f->Loaded());
    const std::string ini = savedIni();
    for (const Case& c : cases) EXPECT_EQ(at(ini, c.position), *c.kept ? 1 : 0) << c.position;
    EXPECT_EQ(at(ini, 25), 1);
}

TEST_F(FrameTest, MidiThruSwitchesTheDriverOrTellsWhyNot) {
    using E = CaptureBackend::Event;
    const struct {
        bool midiOn, startOn;
        int failConnect;
        std::vector<E::Kind> events;
        bool on;  // the mark and MidiThruOn afterwards
    } cases[] = {
        {true, false, 0, {E::Connect, E::InStart}, true},
        {true, true, 0, {E::Disconnect, E::InStop}, false},
        {true, false, MidiErrInvalidHandle, {}, false},
        {false, false, 0, {}, true},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.events.size() + 10 * c.midiOn);
        frmMain* f = reopen([&] { MidiThruOn = c.startOn; });
        if (!c.midiOn) MidiOn = 0;
        midi->clear();
        midi->failConnect = c.failConnect;
        dialogs.shown.clear();
        if (c.failConnect) dialogs.answer(vbOK);
        f->mnuMIDIThru->trigger();
        std::vector<E::Kind> kinds;
        for (const E& e : midi->events) kinds.push_back(e.kind);
        EXPECT_EQ(std::tuple(kinds, f->mnuMIDIThru->Checked(), MidiThruOn), std::tuple(c.events, c.on, c.on));
        EXPECT_EQ(boxesShown(),
                  c.failConnect ? "MIDI Thru could not be switched: the MIDI driver refused it|MIDI Thru" : "");
        f->mnuExit->trigger();
        EXPECT_EQ(at(savedIni(), 46), c.on ? 1 : 0);
    }
}

TEST_F(FrameTest, PreferencesActOnTheOpenWindowsAtOnce) {
    frmMain* f = open();
    f->show();
    // Three arrangement file windows and the user bank's, each with its add button.
    std::map<int, ChildForm*> bySlot;
    const Registration family = RegisterWindowFamily(
        WinFamily::ArrU, {nullptr, [&](int s) { return bySlot.count(s) ? bySlot[s] : nullptr; }});
    std::vector<CommandButton*> adds;
    for (int slot : {1, 4, 8, 9}) {
        std::string img = WindowImageNew(19);
        ImgSet(img, ImgSlot, static_cast<unsigned>(slot));
        TestChild* w = ShowTestChild(f, img, {"11  Ballad", "12"});
        auto* add = new CommandButton(w, "CommAdd");
        w->offers = [add](WindowJob j) { return j == WindowJob::AddToDatabase && add->isEnabled(); };
        bySlot[slot] = w;
        adds.push_back(add);
    }
    ChildForm* first = bySlot[1];
    first->activate();
    MenuAgg();
    EXPECT_TRUE(f->mnui40DBArr->isEnabled());
    f->mnuAddi40DBArr->trigger();
    const auto enabled = [&] {
        std::vector<bool> on{f->mnui40DBArr->isEnabled()};
        for (CommandButton* b : adds) on.push_back(b->isEnabled());
        return on;
    };
    EXPECT_EQ(enabled(), (std::vector<bool>{false, false, false, false, true})) << "the user bank's keeps its own";
    f->mnuAddi40DBArr->trigger();
    EXPECT_EQ(enabled(), std::vector<bool>(5, true));

    // Read only blocks Cut and Paste at once.
    auto* list = FindControl<ListBox>(first, "List1");
    ClipBuf = WindowImageNew(2);
    for (int row : {0, 1}) {  // a filled row offers Cut, an empty one Paste
        list->setListIndex(row), list->setSelected(row, true);
        MenuItem* m = row == 0 ? f->mnuTaglia : f->mnuIncolla;
        MenuAgg();
        ASSERT_TRUE(m->isEnabled());
        f->mnuRdOnly->trigger();
        EXPECT_FALSE(m->isEnabled());
        f->mnuRdOnly->trigger();
    }
}
